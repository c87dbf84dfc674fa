// The transpose tool: one column cut into blocks of N cells, each block pasted as a row of
// a table beside it, then the source column (or its cells) removed.
#include <algorithm>
#include <cstdint>

#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/constants.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/resume_next.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/organizer_support.h"
#include "tools/organizer/removal_steps.h"
#include "tools/organizer/tool_frame.h"

namespace tools::organizer {

namespace {

using dialog::frmMain;

// Where the table's row for the block at index r (1-based within the work range) goes:
// from the worksheet cell beside that index, up to the last filled cell above it — never
// above the work range's first row — and one row below. For a work range that starts in
// row 1 this is the host's end-upwards movement, which stops at row 1.
host::RangePtr destinationOf(const host::WorksheetPtr& sheet, long firstRow, long column, long r) {
    const host::RangePtr beside = sheet->Cells(firstRow + r - 1, column + 1);
    const long above = std::max(beside->End(host::xlUp)->Row(), firstRow);
    return sheet->Cells(above + 1, column + 1);
}

void pasteBlock(const host::RangePtr& work, const host::WorksheetPtr& sheet, long r, std::int32_t n) {
    const long firstRow = work->Row(), column = work->Column();
    shell::resumeNext([&] { work->Cells(r, 1)->Resize(n, 1)->Copy(); });
    shell::resumeNext([&] {
        destinationOf(sheet, firstRow, column, r)
            ->PasteSpecial(host::xlPasteAll, host::xlPasteSpecialOperationNone, false, true);
    });
    shell::resumeNext([] { app().setCutCopyMode(0); });
}

void transposeBlocks(const host::RangePtr& work, long rows, std::int32_t n) {
    dialog::startToolLoop(frmMain());
    host::WorksheetPtr sheet;
    shell::resumeNext([&] { sheet = work->Worksheet(); });
    const auto keepDialog = frmMain().keepAlive();
    forms::Label& label = frmMain().lblDOHeader1to4;
    for (long long r = 1; r <= rows; r += n) {
        shell::resumeNext([&] { pasteBlock(work, sheet, static_cast<long>(r), n); });
        if (dialog::stopRequested) break;
        showPercentOf(label, dialog::kTransposing, static_cast<long>(r), rows);
        dialog::ProgressReadout::yield();
    }
}

// Whether the work range's column holds nothing outside it, so that deleting the entire
// column loses no cell the user did not select.
bool columnHoldsOnly(const host::RangePtr& work) {
    bool only = false;
    shell::resumeNext([&] { only = countA(work->EntireColumn()) == countA(work); });
    return only;
}

void removeSource(const host::RangePtr& work, bool wholeColumn) {
    if (wholeColumn)
        shell::resumeNext([&] { work->EntireColumn()->Delete(); });
    else
        shell::resumeNext([&] { work->Delete(host::xlShiftToLeft); });
}

}  // namespace

void transposeColumn() {
    ToolFrame frame;
    if (!frame.sheetHasContent()) return;
    host::RangePtr selection;
    shell::resumeNext([&] { selection = app().Selection(); });
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::SingleColumn, selection)) return;
    long long cells = 0;
    shell::resumeNext([&] { cells = selection->CountLarge(); });
    const host::RangePtr work = workRange();
    const long rows = rowsOf(work);
    const bool wholeColumn = rows == cells && columnHoldsOnly(work);
    const std::int32_t n = wholeNumberOf(frmMain().txtNthRow.Text());
    shell::resumeNext([&] { frmMain().lblDOSelCells.setCaption(decimal(rows)); });
    if (n < 1) return dialog::endRunWithMessage(u"Number of Rows must be a whole number of 1 or more");
    if (work) {
        transposeBlocks(work, rows, n);
        removeSource(work, wholeColumn);
    }
    dialog::endRunWithMessage(u"Selected Rows are Transposed into Columns!");
}

}  // namespace tools::organizer
