#pragma once
// Reading a text resource back the way the add-in does: the bytes as text, split at a separator.
#include <string>
#include <vector>

#include "resources/resource_text.h"

namespace restest {

inline std::vector<std::u16string> split(const std::u16string& text, const std::u16string& separator) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::u16string::npos; start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

inline std::u16string table(int number) { return resources::wideText(resources::customResource(number)); }

inline bool hasDevanagari(const std::u16string& s) {
    for (char16_t c : s)
        if (c >= 0x0900 && c <= 0x097F) return true;
    return false;
}

}  // namespace restest
