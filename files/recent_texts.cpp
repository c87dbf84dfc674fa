#include "files/recent_texts.h"

#include <algorithm>
#include <functional>

namespace files {

namespace {

host::Variant widened(std::string_view bytes) {
    return host::Variant::withText(bytes.size(), [&](char16_t* units) { std::ranges::copy(bytes, units); });
}

bool sameText(std::u16string_view text, std::string_view bytes) {
    return text.size() == bytes.size() && std::ranges::equal(text, bytes, [](char16_t unit, char byte) {
               return unit == static_cast<unsigned char>(byte);
           });
}

}  // namespace

RecentTexts::Trial& RecentTexts::trialOf(long column) {
    const auto at = static_cast<std::size_t>(std::max(column, 1L) - 1);
    if (at >= trials_.size()) trials_.resize(at + 1);
    return trials_[at];
}

host::Variant RecentTexts::ascii(std::string_view bytes, long column) {
    Trial& trial = trialOf(column);
    if (bytes.size() > kLongText || !trial.worthIt()) return widened(bytes);
    const std::uint64_t hash = std::hash<std::string_view>{}(bytes);
    Slot& slot = slots_[hash & (kSlots - 1)];
    const bool repeat = slot.hash == hash && slot.text.isText() && sameText(slot.text.text(), bytes);
    if (trial.looked < kTrial) {
        ++trial.looked;
        trial.repeated += repeat;
    }
    if (!repeat) slot = {hash, widened(bytes)};
    return slot.text;
}

}  // namespace files
