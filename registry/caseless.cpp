#include "registry/caseless.h"

#include <unicode/uchar.h>

namespace registry {

namespace {
char16_t upper(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    if (c >= 0xD800 && c <= 0xDFFF) return c;  // surrogate halves map to themselves
    const UChar32 mapped = u_toupper(c);
    return mapped <= 0xFFFF ? static_cast<char16_t>(mapped) : c;
}
}  // namespace

std::u16string foldName(std::u16string_view name) {
    std::u16string out(name);
    for (char16_t& c : out) c = upper(c);
    return out;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && upper(a[i]) != upper(b[i])) return false;
    return true;
}

}  // namespace registry
