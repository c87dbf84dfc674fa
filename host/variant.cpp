#include "host/variant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <new>

#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

namespace host {

namespace {

struct ErrorName {
    int code;
    const char16_t* literal;
};

constexpr ErrorName kErrorNames[] = {
    {xlErrNull, u"#NULL!"}, {xlErrDiv0, u"#DIV/0!"}, {xlErrValue, u"#VALUE!"}, {xlErrRef, u"#REF!"},
    {xlErrName, u"#NAME?"}, {xlErrNum, u"#NUM!"},    {xlErrNA, u"#N/A"},
};

char16_t asciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }

// Civil date from days since 1970-01-01 (H. Hinnant's algorithm).
void civilFromDays(long long z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yy + (m <= 2));
}

}  // namespace

Variant::Variant(std::u16string_view text) : kind_(VariantKind::Text) {
    text_ = text.empty() ? nullptr : allocate(text.size());
    if (text_) std::copy(text.begin(), text.end(), text_->units());
}

Variant::TextBlock* Variant::allocate(std::size_t size) {
    void* memory = ::operator new(sizeof(TextBlock) + size * sizeof(char16_t));
    return new (memory) TextBlock{{1}, static_cast<std::uint32_t>(size)};
}

void Variant::release() noexcept {
    // The only holder frees without a locked decrement: no other value can copy it meanwhile.
    if (text_->refs.load(std::memory_order_acquire) != 1 && text_->refs.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    text_->~TextBlock();
    ::operator delete(text_);
}

Variant Variant::date(double serial) {
    Variant v;
    v.kind_ = VariantKind::Date;
    v.number_ = serial;
    return v;
}

Variant Variant::error(int code) {
    Variant v;
    v.kind_ = VariantKind::Error;
    v.number_ = code;
    return v;
}

std::u16string Variant::toText() const {
    switch (kind_) {
    case VariantKind::Empty: return u"";
    case VariantKind::Number: return formatNumber(number_);
    case VariantKind::Text: return std::u16string(text());
    case VariantKind::Boolean: return number_ != 0 ? u"True" : u"False";
    case VariantKind::Date: return formatDate(number_);
    case VariantKind::Error: break;
    }
    throw Error(errTypeMismatch, "Type mismatch");
}

std::u16string Variant::errorText() const { return kind_ == VariantKind::Error ? errorLiteral(errorCode()) : u""; }

std::u16string formatNumber(double value) {
    if (value == 0) return u"0";  // also -0
    if (!std::isfinite(value)) return u"#NUM!";
    // What printf's "%.15G" writes, without printf's cost: a sheet of numbers turned to text
    // (counting its characters, say) spent a tenth of its time there.
    char buffer[40];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::u16string text(static_cast<const char*>(buffer), end);
    std::ranges::replace(text, u'e', u'E');
    return text;
}

std::u16string formatDate(double serial) {
    const long long days = static_cast<long long>(std::floor(serial));
    long long seconds = std::llround((serial - static_cast<double>(days)) * 86400.0);
    long long dayNumber = days;
    if (seconds >= 86400) {
        seconds -= 86400;
        ++dayNumber;
    }
    char buffer[64] = "";
    int length = 0;
    const bool timeOnly = dayNumber == 0 && seconds != 0;
    if (!timeOnly) {
        int y;
        unsigned m, d;
        civilFromDays(dayNumber - 25569, y, m, d);  // serial 25569 is 1970-01-01
        length = std::snprintf(buffer, sizeof buffer, "%u/%u/%d", m, d, y);
    }
    if (seconds != 0) {
        const int h = static_cast<int>(seconds / 3600), mi = static_cast<int>(seconds / 60 % 60),
                  s = static_cast<int>(seconds % 60);
        const int h12 = h % 12 == 0 ? 12 : h % 12;
        std::snprintf(buffer + length, sizeof buffer - length, "%s%d:%02d:%02d %s", timeOnly ? "" : " ", h12, mi, s,
                      h < 12 ? "AM" : "PM");
    }
    return utf16(buffer);
}

std::u16string errorLiteral(int code) {
    for (const auto& e : kErrorNames)
        if (e.code == code) return e.literal;
    return u"";
}

int errorCodeOf(std::u16string_view literal) {
    if (literal.empty() || literal.front() != u'#') return 0;  // every literal starts so
    for (const auto& e : kErrorNames) {
        std::u16string_view name(e.literal);
        if (name.size() != literal.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i) same = asciiUpper(literal[i]) == name[i];
        if (same) return e.code;
    }
    return 0;
}

}  // namespace host
