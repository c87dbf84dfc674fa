#pragma once
// A cell's value as the object model reads it, and a value written as the user's typed
// input would be, over Calc's cells.
#include <com/sun/star/table/XCell.hpp>

#include "host/calc/calc_document.h"
#include "host/variant.h"

namespace host::calc {

// Empty, a number (Date or Boolean by the cell's number format), a text, an error; a
// formula gives its result.
host::Variant readCell(CalcDocument& doc, const Reference<css::table::XCell>& cell);

// Writes `value`: a text is read as typed input (a leading "=" makes a formula, "'" keeps
// the rest as text, TRUE/FALSE a boolean, a number, percentage or date as Calc's en-US
// number recognition reads it, anything else text; the empty text empties the cell). A text
// longer than 32,767 code units fails with host::Error 1004.
void writeCell(CalcDocument& doc, const Reference<css::table::XCell>& cell, const host::Variant& value);

// The object model's error value for a Calc error code (FormulaError).
int errorValueOf(sal_Int32 calcError);

}  // namespace host::calc
