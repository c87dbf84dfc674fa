#pragma once
// The escaped strings of Wine's registry files: key names in [brackets], value names
// and string data in "quotes". Backslash escapes as in C (\n, \x263a, \012), and a
// backslash before the delimiters and before itself.
#include <string>
#include <string_view>

namespace registry::wine {

// Reads from text[pos] up to the unescaped `end` character and leaves pos after it.
// False when the text ends first or holds a broken escape.
bool parseEscaped(std::string_view text, size_t& pos, char end, std::u16string& out);

// Writes the text escaped, with a backslash before '\\', `open` and `close`.
std::string escape(std::u16string_view text, char open, char close);

}  // namespace registry::wine
