#pragma once
// The worksheet text functions UPPER, LOWER and LEN (TRIM and CLEAN are the host's own,
// host/worksheet_text.h) and the case folding used to compare texts without regard to case.
#include <string>
#include <string_view>

namespace engine {

// ICU full case folding ("Straße" -> "strasse"), for case-insensitive comparison.
std::u16string foldCase(std::u16string_view text);
// Simple case folding, one code point for one code point of the same UTF-16 length, so that
// positions and lengths are kept (wildcard matching counts code units).
std::u16string foldCaseSimple(std::u16string_view text);
// The same, in place, on the units of `text` from `from` on.
void foldCaseSimpleFrom(std::u16string& text, size_t from);
// Case-insensitive three-way comparison of texts (simple folding, then code unit order):
// negative, zero or positive.
int compareIgnoringCase(std::u16string_view a, std::u16string_view b);
// UPPER and LOWER with en-US rules.
std::u16string upper(std::u16string_view text);
std::u16string lower(std::u16string_view text);
// LEN: code units, a surrogate pair counting 2.
long len(std::u16string_view text);

}  // namespace engine
