#pragma once
// The copy behind PasteSpecial: a source area's cells onto a sheet, values only or whole
// cells (formulas as their values), skipping blanks, transposed.
#include "engine/sheet.h"

namespace engine {

struct PasteOptions {
    bool valuesOnly, skipBlanks, transpose;
};
// Error 1004 when the pasted block would leave the sheet.
void pasteCells(const Sheet& from, const Area& source, Sheet& to, long row, long col, const PasteOptions& options);

}  // namespace engine
