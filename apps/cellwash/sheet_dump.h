#pragma once
// What `show` prints of a sheet: a text grid, or a JSON description of cells, rules and shapes.
#include <string>

#include "engine/book.h"

namespace cli {

std::string gridOf(const engine::Sheet& sheet, const engine::Area& area);
// JSON text of the workbook's sheets and of the area's cells, validations and shapes.
std::string jsonOf(const engine::Book& book, const engine::Sheet& sheet, const engine::Area& area);
// The kind of a value as a word: empty, number, text, boolean, date, error.
std::string kindName(const host::Variant& value);
// A value's text, errors as their literal.
std::string displayText(const host::Variant& value);

}  // namespace cli
