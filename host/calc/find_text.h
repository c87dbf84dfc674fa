#pragma once
// How Range.Find compares a cell's text with what is sought: as a whole (xlWhole) or as a part
// (xlPart), with the wildcards * (any run), ? (any one character) and ~ (takes the next
// character as itself), ignoring case unless asked to match it.
#include <string>
#include <string_view>

namespace host::calc {

bool findMatches(std::u16string_view text, std::u16string_view pattern, bool whole, bool matchCase);

}  // namespace host::calc
