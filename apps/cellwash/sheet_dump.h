#pragma once
// What `show` prints of a sheet: a text grid, csv or tsv, or a JSON description of cells,
// rules and shapes.
#include <string>

#include "engine/book.h"

namespace cli {

std::string gridOf(const engine::Sheet& sheet, const engine::Area& area);
// The area's values as lines of fields for other tools, each line ended by "\n": csv (',':
// a field holding the separator, a quote or a line break is quoted, its quotes doubled) or
// tsv ('\t': a tab, a line break or a backslash in a field is written \t, \n, \r or \\).
std::string delimitedOf(const engine::Sheet& sheet, const engine::Area& area, char separator);
// JSON text of the workbook's sheets and of the area's cells, validations and shapes.
std::string jsonOf(const engine::Book& book, const engine::Sheet& sheet, const engine::Area& area);
// The kind of a value as a word: empty, number, text, boolean, date, error.
std::string kindName(const host::Variant& value);
// A value's text, errors as their literal.
std::string displayText(const host::Variant& value);

}  // namespace cli
