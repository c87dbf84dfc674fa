#pragma once
// The copy behind Range.PasteSpecial in Calc: a source area's cells onto a sheet from a top
// left cell — their values (a formula's as its result; an empty cell pastes as empty) and,
// unless values only, their formats — skipping blanks, transposed.
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include "host/calc/a1_address.h"
#include "host/calc/uno_support.h"

namespace host::calc {

struct PasteOptions {
    bool valuesOnly = false, skipBlanks = false, transpose = false;
};

// The area written: from `row`, `column` (1-based) of `to`; host::Error 1004 when the block
// would leave a sheet of `size`.
Area pasteCells(const Reference<css::sheet::XSpreadsheet>& from, const Area& source,
                const Reference<css::sheet::XSpreadsheet>& to, long row, long column, const SheetSize& size,
                const PasteOptions& options);

}  // namespace host::calc
