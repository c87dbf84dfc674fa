#pragma once
// A Calc sheet's drawing objects and comments as the object model sees them: Shapes (with
// their types, names, texts and group items), DrawingObjects, Pictures and ChartObjects from
// the sheet's draw page, and Comments from its annotations, in row-by-row order.
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include "host/calc/calc_document.h"
#include "host/range.h"
#include "host/worksheet.h"

namespace host::calc {

host::ShapesPtr makeShapes(const Reference<css::sheet::XSpreadsheet>& sheet);
// What: every object on the draw page, its pictures, or its charts.
enum class DrawingKind { All, Pictures, Charts };
host::DrawingCollectionPtr makeDrawingCollection(const Reference<css::sheet::XSpreadsheet>& sheet, DrawingKind kind);
host::CommentsPtr makeComments(const CalcDocumentPtr& doc, const Reference<css::sheet::XSpreadsheet>& sheet);
// The comment of a cell, or nullptr when it has none.
host::CommentPtr makeCellComment(const CalcDocumentPtr& doc, const Reference<css::sheet::XSpreadsheet>& sheet, long row,
                                 long column);

}  // namespace host::calc
