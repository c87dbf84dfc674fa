#pragma once
// Resource bytes taken as text, the two ways the add-in reads its text resources.
#include <string>

#include "resources/resources.h"

namespace resources {

// UTF-16 little-endian bytes as they are, two bytes to a character: a byte-order mark
// stays as the first character. An odd last byte becomes a character of its own.
std::u16string wideText(Bytes bytes);

// 8-bit text in the system code page (Windows-1252), one character per byte.
std::u16string narrowText(Bytes bytes);

}  // namespace resources
