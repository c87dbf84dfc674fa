#pragma once
// The frame of the colouring and transpose tools: processing start, the active cell kept
// and the stop flag cleared; the empty-sheet check; on leaving, the kept cell selected again
// and processing end. Also their work range and its row count.
#include "dialog/tool_run.h"
#include "host/fwd.h"
#include "shell/processing_frame.h"

namespace tools::organizer {

class ToolFrame {
public:
    ToolFrame();
    // False, after "Active Sheet is totally Empty!", when the active sheet holds nothing.
    bool sheetHasContent() const;

private:
    shell::ProcessingFrame processing_;
    dialog::ActiveCellKeeper activeCell_;
};

// The selection's part of the active workbook's active sheet's used range, or nothing.
host::RangePtr workRange();
// Rows of the (first area of the) range; 0 for nothing.
long rowsOf(const host::RangePtr& range);

}  // namespace tools::organizer
