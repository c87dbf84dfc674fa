#pragma once
// Worksheets, sheet lists, ranges, areas, a range's Interior, Validation and Comment, a sheet's
// comments, shapes and drawing collections, and WorksheetFunction of the host, over IDispatch: each
// member one late-bound call of the same name. A worksheet's Parent is not reached yet (error 438).
#include "host/application.h"
#include "host/com/com_support.h"
#include "host/range.h"
#include "host/worksheet.h"

namespace host::com {

WorksheetPtr worksheetOf(Dispatch sheet);                                // nullptr for Nothing
RangePtr rangeOf(Dispatch range, RangeItems items = RangeItems::Cells);  // nullptr for Nothing
SheetsPtr sheetsOf(Dispatch sheets);                                     // error 91 for Nothing
WorksheetFunctionPtr worksheetFunctionOf(Dispatch functions);            // error 91 for Nothing
// The host's object behind one of ours, for passing it back to the host; error 13 for a foreign one.
IDispatch* dispatchOf(const RangePtr& range);
IDispatch* dispatchOf(const WorksheetPtr& sheet);

}  // namespace host::com
