#include "engine/text_functions.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

namespace engine {

namespace {

icu::UnicodeString toIcu(std::u16string_view text) {
    return icu::UnicodeString(text.data(), static_cast<int32_t>(text.size()));
}

std::u16string fromIcu(const icu::UnicodeString& text) {
    return std::u16string(text.getBuffer(), static_cast<size_t>(text.length()));
}

const icu::Locale& usEnglish() {
    static const icu::Locale locale("en", "US");
    return locale;
}

}  // namespace

std::u16string foldCase(std::u16string_view text) {
    icu::UnicodeString s = toIcu(text);
    s.foldCase(U_FOLD_CASE_DEFAULT);
    return fromIcu(s);
}

void foldCaseSimpleFrom(std::u16string& out, size_t from) {
    size_t i = from;
    while (i < out.size()) {
        if (out[i] < 0x80) {  // ASCII, most of what a sheet holds: no table needed
            if (out[i] >= u'A' && out[i] <= u'Z') out[i] = static_cast<char16_t>(out[i] + (u'a' - u'A'));
            ++i;
            continue;
        }
        char32_t cp = out[i];
        size_t units = 1;
        if (U16_IS_LEAD(out[i]) && i + 1 < out.size() && U16_IS_TRAIL(out[i + 1])) {
            cp = U16_GET_SUPPLEMENTARY(out[i], out[i + 1]);
            units = 2;
        }
        const UChar32 folded = u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT);
        if (static_cast<size_t>(U16_LENGTH(folded)) == units) {
            if (units == 1) {
                out[i] = static_cast<char16_t>(folded);
            } else {
                out[i] = U16_LEAD(folded);
                out[i + 1] = U16_TRAIL(folded);
            }
        }
        i += units;
    }
}

std::u16string foldCaseSimple(std::u16string_view text) {
    std::u16string out(text);
    foldCaseSimpleFrom(out, 0);
    return out;
}

int compareIgnoringCase(std::u16string_view a, std::u16string_view b) {
    const std::u16string fa = foldCaseSimple(a), fb = foldCaseSimple(b);
    return fa.compare(fb);
}

std::u16string upper(std::u16string_view text) {
    icu::UnicodeString s = toIcu(text);
    s.toUpper(usEnglish());
    return fromIcu(s);
}

std::u16string lower(std::u16string_view text) {
    icu::UnicodeString s = toIcu(text);
    s.toLower(usEnglish());
    return fromIcu(s);
}

long len(std::u16string_view text) { return static_cast<long>(text.size()); }

}  // namespace engine
