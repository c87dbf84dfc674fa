#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <stdexcept>

#include "base/text_services.h"

namespace base::text_services {

namespace {

using MapFunction = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

// Full (length-changing, context-aware) mapping in the root locale.
std::u16string icuMap(std::u16string_view text, MapFunction map) {
    if (text.empty()) return {};
    const auto* source = reinterpret_cast<const UChar*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    std::u16string out(text.size() + 16, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t written =
        map(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), source, length, "", &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<size_t>(written), u'\0');
        status = U_ZERO_ERROR;
        written = map(reinterpret_cast<UChar*>(out.data()), written, source, length, "", &status);
    }
    if (U_FAILURE(status)) throw std::runtime_error("ICU case mapping failed");
    out.resize(static_cast<size_t>(written));
    return out;
}

}  // namespace

std::u16string toUpper(std::u16string_view text) { return icuMap(text, u_strToUpper); }
std::u16string toLower(std::u16string_view text) { return icuMap(text, u_strToLower); }

bool isLetter(std::u16string_view character) {
    if (character.empty()) return false;
    size_t length = 0;
    UChar32 c = 0;
    U16_NEXT(character.data(), length, character.size(), c);
    return u_isalpha(c);
}

std::size_t firstCharacterLength(std::u16string_view text) {
    if (text.empty()) return 0;
    size_t length = 0;
    UChar32 c = 0;
    U16_NEXT(text.data(), length, text.size(), c);
    return length;
}

}  // namespace base::text_services
