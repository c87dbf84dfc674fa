#pragma once
// Moving a formula by an offset, as a shared formula's cells derive theirs from the first:
// relative row and column parts of A1 references shift, absolute ($) parts stay. Text in
// quotes, quoted sheet names, bracketed table references and function names are left alone.
#include <string>
#include <string_view>

namespace files {

// A reference moved off the sheet becomes #REF!.
std::u16string shiftFormula(std::u16string_view formula, long rowOffset, long colOffset);

}  // namespace files
