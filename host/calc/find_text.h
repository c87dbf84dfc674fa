#pragma once
// How Range.Find compares a cell's text with what is sought: as a whole (xlWhole) or as a part
// (xlPart), with the wildcards of COUNTIF (host/worksheet_text.h), ignoring case (Calc's lower
// case of both) unless asked to match it.
#include <string>
#include <string_view>

namespace host::calc {

bool findMatches(std::u16string_view text, std::u16string_view pattern, bool whole, bool matchCase);

}  // namespace host::calc
