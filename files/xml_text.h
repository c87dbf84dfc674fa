#pragma once
// Text in and out of package XML: escaping, and the _xHHHH_ form spreadsheet files use for
// characters XML cannot carry (control characters) and for a literal "_x" sequence.
#include <string>
#include <string_view>

namespace files {

// Appends UTF-16 text as escaped UTF-8 element content (or attribute value when `attribute`).
void appendXmlText(std::string& out, std::u16string_view text, bool attribute = false);
// Appends UTF-8 text escaped for XML, without the _xHHHH_ encoding.
void appendEscapedUtf8(std::string& out, std::string_view text, bool attribute = false);
// UTF-8 element content read from a part to UTF-16, decoding _xHHHH_.
std::u16string decodeXmlText(std::string_view utf8);
// The same into `out` (emptied first), whose room a reader uses again for every cell.
void decodeXmlTextInto(std::u16string& out, std::string_view utf8);
// The same decoding applied in place to UTF-16 text.
std::u16string decodeEscapes(std::u16string text);

}  // namespace files
