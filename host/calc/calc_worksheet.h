#pragma once
// CalcWorksheet and CalcSheets: host::Worksheet and host::Sheets over a Calc document's
// sheets. Calc has worksheets only (no chart sheets) and one kind of hidden sheet.
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include "host/calc/a1_address.h"
#include "host/calc/calc_document.h"
#include "host/worksheet.h"

namespace host::calc {

host::WorksheetPtr makeWorksheet(const CalcDocumentPtr& doc, const Reference<css::sheet::XSpreadsheet>& sheet);
host::SheetsPtr makeSheets(const CalcDocumentPtr& doc);

// The smallest area holding every cell with a value, text, formula or comment; A1 on an empty
// sheet. (Cells holding only a fill or a validation rule are not counted yet.)
Area usedArea(const Reference<css::sheet::XSpreadsheet>& sheet);

}  // namespace host::calc
