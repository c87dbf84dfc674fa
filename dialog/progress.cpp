#include "dialog/progress.h"

#include <cmath>
#include <limits>

#include "dialog/stop_flag.h"
#include "forms/form.h"
#include "forms/runtime.h"

namespace dialog {

namespace {

void appendDecimal(std::u16string& out, std::int64_t value) {
    char16_t digits[24];
    int n = 0;
    const bool negative = value < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) out.push_back(u'-');
    while (n > 0) out.push_back(digits[--n]);
}

LoopProgress latest;

// Writes prefix + percent + " %" over `out`, keeping its room for the next.
void writeProgressText(std::u16string& out, std::u16string_view prefix, std::int64_t percent) {
    out.assign(prefix);
    appendDecimal(out, percent);
    out += u" %";
}

}  // namespace

LoopProgress latestLoop() { return latest; }
void noteLoopProgress(LoopProgress progress) { latest = progress; }

std::optional<std::int64_t> progressPercent(std::int32_t done, std::int32_t total) {
    std::int32_t hundredfold = 0;
    if (__builtin_mul_overflow(done, std::int32_t{100}, &hundredfold)) return std::nullopt;
    if (total == 0) return std::nullopt;
    // nearbyint rounds in the current mode, ties to even by default.
    return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(hundredfold) / total));
}

void showProgressText(forms::Label& label, std::u16string_view prefix, std::int64_t percent) {
    thread_local std::u16string text;
    writeProgressText(text, prefix, percent);
    if (label.Caption() != text) label.setCaption(text);
}

ProgressReadout::ProgressReadout(forms::Label& label, std::u16string_view prefix, std::int32_t total)
    : keepForm_(label.form().keepAlive()), label_(label), prefix_(prefix), total_(total) {
    latest = {0, total};
}

bool ProgressReadout::itemDone() {
    countItem();
    if (stopRequested) return false;
    showPercent();
    yield();
    // A Stop delivered by this yield ends the loop now: the item during which the user
    // pressed it is the last one done.
    return !stopRequested;
}

void ProgressReadout::countItem() {
    if (done_ < std::numeric_limits<std::int32_t>::max()) ++done_;
    latest.done = done_;
}

void ProgressReadout::setTotal(std::int32_t total) {
    total_ = total;
    latest.total = total;
}

void ProgressReadout::showPercent() {
    const std::optional<std::int64_t> percent = progressPercent(done_, total_);
    if (!percent) return;
    if (percent != textPercent_) {
        writeProgressText(text_, prefix_, *percent);
        textPercent_ = percent;
    }
    if (label_.Caption() != text_) label_.setCaption(text_);
}

void ProgressReadout::yield() { forms::DoEvents(); }

}  // namespace dialog
