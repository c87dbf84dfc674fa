#pragma once
// CalcWorkbook and CalcWorkbooks: host::Workbook over one Calc document, host::Workbooks over
// the spreadsheet documents the desktop has open.
#include <com/sun/star/frame/XDesktop2.hpp>
#include <functional>

#include "host/application.h"
#include "host/calc/calc_document.h"

namespace host::calc {

host::WorkbookPtr makeWorkbook(const CalcDocumentPtr& doc);

// Finds the shared CalcDocument of a model (one per open document).
using DocumentLookup = std::function<CalcDocumentPtr(const Reference<css::frame::XModel>&)>;
host::WorkbooksPtr makeWorkbooks(Reference<css::frame::XDesktop2> desktop, DocumentLookup lookup);

// The document behind a workbook of this host, or nullptr.
CalcDocumentPtr documentOf(const host::WorkbookPtr& workbook);

}  // namespace host::calc
