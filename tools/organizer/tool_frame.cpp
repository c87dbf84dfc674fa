#include "tools/organizer/tool_frame.h"

#include "dialog/stop_flag.h"
#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/resume_next.h"
#include "tools/organizer/organizer_support.h"
#include "tools/organizer/removal_steps.h"

namespace tools::organizer {

ToolFrame::ToolFrame() { dialog::stopRequested = false; }

bool ToolFrame::sheetHasContent() const {
    return dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetTotallyEmpty, activeSheetCells());
}

host::RangePtr workRange() {
    host::RangePtr work;
    shell::resumeNext([&] { work = dialog::selectionInUsedRange(app().ActiveWorkbook()->ActiveSheet()); });
    return work;
}

long rowsOf(const host::RangePtr& range) {
    long rows = 0;
    if (range) shell::resumeNext([&] { rows = range->Rows()->Count(); });
    return rows;
}

}  // namespace tools::organizer
