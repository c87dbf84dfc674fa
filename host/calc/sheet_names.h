#pragma once
// Sheet names as the object model has them: which names it takes, and the name of a copy.
#include <string>
#include <vector>

namespace host::calc {

// Whether two sheet names are the same, ignoring case as the host does.
bool sameSheetName(const std::u16string& a, const std::u16string& b);

// Whether the host takes `name` for a sheet: 1..31 code units, none of []:*?/\, no "'" at
// either end, and no other sheet of `others` named so (ignoring case).
bool validSheetName(const std::u16string& name, const std::vector<std::u16string>& others);

// The name of a copy of the sheet `name` among `existing`: "Data (2)", "Data (3)", ... counted
// from the plain name ("Data (2)" copies to "Data (3)"), shortened to fit 31 code units.
std::u16string copyName(const std::u16string& name, const std::vector<std::u16string>& existing);

}  // namespace host::calc
