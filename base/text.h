#pragma once
// UTF-8 <-> UTF-16 at the edges (files, terminal). Inside, text is UTF-16.
#include <string>
#include <string_view>

namespace base {

std::u16string utf16(std::string_view utf8);
// utf16(utf8) added to the end of `out`, whose room a caller may use again and again.
void appendUtf16(std::u16string& out, std::string_view utf8);
std::string utf8(std::u16string_view utf16);

}  // namespace base
