#include <windows.h>

#include <stdexcept>

#include "base/text_services.h"

namespace base::text_services {

namespace {

// Full case mapping in the invariant locale with linguistic casing (the mapping ICU's root locale
// gives for the letters Windows maps; Windows does not lengthen texts, so ß stays ß in upper case).
std::u16string windowsMap(std::u16string_view text, DWORD flags) {
    if (text.empty()) return {};
    const auto* source = reinterpret_cast<LPCWSTR>(text.data());
    const int length = static_cast<int>(text.size());
    const DWORD all = flags | LCMAP_LINGUISTIC_CASING;
    int needed = LCMapStringEx(LOCALE_NAME_INVARIANT, all, source, length, nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0) throw std::runtime_error("LCMapStringEx failed");
    std::u16string out(static_cast<size_t>(needed), u'\0');
    needed = LCMapStringEx(LOCALE_NAME_INVARIANT, all, source, length, reinterpret_cast<LPWSTR>(out.data()), needed,
                           nullptr, nullptr, 0);
    if (needed <= 0) throw std::runtime_error("LCMapStringEx failed");
    out.resize(static_cast<size_t>(needed));
    return out;
}

}  // namespace

std::u16string toUpper(std::u16string_view text) { return windowsMap(text, LCMAP_UPPERCASE); }
std::u16string toLower(std::u16string_view text) { return windowsMap(text, LCMAP_LOWERCASE); }

bool isLetter(std::u16string_view character) {
    const std::size_t length = firstCharacterLength(character);
    if (length == 0) return false;
    WORD types[2] = {};
    if (!GetStringTypeW(CT_CTYPE1, reinterpret_cast<LPCWSTR>(character.data()), static_cast<int>(length), types))
        return false;
    return (types[0] & C1_ALPHA) != 0;
}

std::size_t firstCharacterLength(std::u16string_view text) {
    if (text.empty()) return 0;
    const bool pair =
        text.size() >= 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF;
    return pair ? 2 : 1;
}

}  // namespace base::text_services
