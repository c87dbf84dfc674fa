#pragma once
// Where the statistics read text: the cells of a range and the shapes of a sheet. Cells are
// read a block at a time, and a block that fails cell by cell; host errors are ignored: a
// cell or shape that cannot be read adds nothing and the count goes on.
#include "host/fwd.h"
#include "tools/count/text_figures.h"

namespace tools::count {

// The figures of every cell of `range` (area by area), or nothing for no range.
TextFigures rangeFigures(const host::RangePtr& range);

// The figures of the shapes of `sheet`, in the collection's order: AutoShapes (type 1) and
// text boxes (17) by their text frame, SmartArt (24) by the text-effect text of each of its
// group items; every other type adds nothing.
TextFigures shapeFigures(const host::WorksheetPtr& sheet);

}  // namespace tools::count
