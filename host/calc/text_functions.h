#pragma once
// TRIM and CLEAN as the object model's WorksheetFunction answers them. Calc's own TRIM gives
// the same text, but its CLEAN treats some code units from 127 on otherwise, so both are
// evaluated here rather than through Calc's function access (which also costs a call into
// the interpreter per cell).
#include <string>

namespace host::calc {

// Removes U+0020 at both ends and reduces every inner run of U+0020 to one.
std::u16string trimSpaces(const std::u16string& text);
// Removes the code units 0..31.
std::u16string cleanControls(const std::u16string& text);

}  // namespace host::calc
