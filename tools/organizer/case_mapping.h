#pragma once
// Letter-case mapping of one cell's text: upper, lower and proper case through the platform's full
// Unicode case mapping (base/text_services.h), and the ASCII-only sentence case.
#include <string>

namespace tools::organizer {

enum class CaseMode { Upper = 1, Lower = 2, Proper = 3 };

// Every letter to upper case (mode 1), to lower case (mode 2), or proper case (mode 3): a
// letter that begins a word is upper case, every other letter lower case. A word begins at
// the first character and after each word separator (isWordSeparator).
std::u16string mapCase(const std::u16string& text, CaseMode mode);

// Space, tab, line feed, carriage return, vertical tab, form feed and NUL.
bool isWordSeparator(char16_t c);

// Sentence case by character code: "." and "?" make the next ASCII letter upper case, every
// other ASCII letter is lower case; anything else (digits, non-ASCII letters) stays and does
// not use up the capital.
std::u16string sentenceCase(const std::u16string& text);

}  // namespace tools::organizer
