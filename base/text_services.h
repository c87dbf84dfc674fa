#pragma once
// The text services the add-in takes from the platform: full Unicode case mapping (length-changing,
// root locale) and whether a character is a letter. ICU gives them on Linux
// (text_services_icu.cpp), Windows itself (LCMapStringEx, GetStringTypeW) in the Windows build
// (text_services_windows.cpp); the build links exactly one.
#include <string>
#include <string_view>

namespace base::text_services {

std::u16string toUpper(std::u16string_view text);
std::u16string toLower(std::u16string_view text);

// Whether the character that `character` holds (one code unit, or a surrogate pair) is a letter.
bool isLetter(std::u16string_view character);

// The length in code units of the character `text` begins with (1, or 2 for a surrogate pair);
// 0 for an empty text.
std::size_t firstCharacterLength(std::u16string_view text);

}  // namespace base::text_services
