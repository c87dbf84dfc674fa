#pragma once
// Which number formats show a number as a date or time: such cells are read as dates.
#include <string_view>

namespace files {

bool isBuiltinDateFormat(int numFmtId);
bool isDateFormatCode(std::string_view code);

}  // namespace files
