#pragma once
// The selection as a person who cleans data gives it: an address as typed (`A:A`, `2:10`,
// `A1:B9,D4`, a bare column `B` or row `7`), or columns by the header text in row 1
// (`--column Email`, matched without regard to case).
#include <string>
#include <vector>

#include "engine/sheet.h"

namespace cli {

// The address the host selects for what the user typed; Failure(kUsage) when it is none.
std::u16string typedSelection(const std::string& typed);

// The cells under the headers (row 2 to the last used row) of the sheet's columns whose row-1
// text is each header. An unknown or ambiguous header is Failure(kUsage) listing the headers.
std::u16string columnsUnderHeaders(const engine::Sheet& sheet, const std::vector<std::string>& headers);

}  // namespace cli
