// The empty-row tool: its runner, and the walk that deletes completely blank worksheet rows.
#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/constants.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/processing_frame.h"
#include "shell/resume_next.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/organizer_support.h"
#include "tools/organizer/removal_steps.h"

namespace tools::organizer {

namespace {

using dialog::frmMain;

std::u16string blankRowsMessage(long n) { return u"Total  " + decimal(n) + u"  Entirely Blank Rows Removed!"; }

// Every cell of the work range empty, and its rows empty across the sheet: one deletion.
bool deletedInOneStep(const host::RangePtr& work) {
    bool empty = false;
    shell::resumeNext([&] { empty = holdsNothing(work) && holdsNothing(work->EntireRow()); });
    if (!empty) return false;
    long rows = 0;
    shell::resumeNext([&] { rows = work->Rows()->Count(); });
    shell::resumeNext([] { frmMain().lblDOHeader1to4.setCaption(u"Removing...Please Wait!"); });
    removalBulkEnd(u"Total " + decimal(rows) + u" Entirely Blank Rows Removed!",
                   [&] { work->EntireRow()->Delete(host::xlShiftUp); });
    return true;
}

// The worksheet row number of the last row of the work range's last area.
long lastRowOf(const host::RangePtr& work) {
    const host::AreasPtr areas = work->Areas();
    const host::RangePtr last = areas->Item(areas->Count());
    return last->Row() + last->Rows()->Count() - 1;
}

// One pass: the active cell's row is deleted when it is blank across the sheet, otherwise
// the walk moves one row down. Counts the deletion into n.
void visitActiveRow(long& n) {
    bool blank = false;
    shell::resumeNext([&] { blank = holdsNothing(app().ActiveCell()->EntireRow()); });
    if (blank) {
        shell::resumeNext([] { app().ActiveCell()->EntireRow()->Delete(host::xlShiftUp); });
        ++n;
    } else {
        shell::resumeNext([] { app().ActiveCell()->Offset(1, 0)->Activate(); });
    }
}

long walkRows(const host::RangePtr& work) {
    long lastRow = 0, position = 0, n = 0;
    shell::resumeNext([&] { lastRow = lastRowOf(work); });
    shell::resumeNext([&] { work->Rows()->Item(1)->Select(); });
    shell::resumeNext([&] { position = app().ActiveCell()->Row(); });
    const auto keepDialog = frmMain().keepAlive();
    forms::Label& label = frmMain().lblDOHeader1to4;
    while (position <= lastRow) {
        visitActiveRow(n);
        ++position;
        dialog::ProgressReadout::yield();
        showPercentOf(label, dialog::kRemoving, position, lastRow);
        if (dialog::stopRequested) break;
    }
    return n;
}

}  // namespace

void runEmptyRowTools() {
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetEmpty, activeSheetCells())) return;
    shell::ProcessingFrame processing;
    const std::u16string address = activeCellAddress();
    // The options are read before the first routine unloads the dialog (one is selected).
    const bool blankRows = frmMain().optDelEntireIfBlank.Value();
    const bool emptyCells = frmMain().optDelEmptyCells.Value();
    const bool rowsWithEmptyCell = frmMain().optDelEntire.Value();
    if (blankRows) deleteBlankRows();
    if (emptyCells) deleteEmptyCells(host::xlShiftUp);
    if (rowsWithEmptyCell) deleteRowsWithEmptyCell();
    activateCell(address);
}

void deleteBlankRows() {
    if (!removalOpening()) return;
    host::RangePtr work;
    shell::resumeNext([] {
        if (frmMain().chkRemoveAS.Value()) app().ActiveSheet()->UsedRange()->Rows()->Select();
    });
    shell::resumeNext([&] { work = dialog::selectionInUsedRange(app().ActiveSheet()); });
    long n = 0;
    if (work) {
        if (deletedInOneStep(work)) return;
        cleanBeforeRemoval(work);
        showSelectedCells(work);
        n = walkRows(work);
    }
    dialog::endRunWithMessage(blankRowsMessage(n));
}

}  // namespace tools::organizer
