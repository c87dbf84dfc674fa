// The empty-column tool: its runner, and the walk that deletes completely blank worksheet
// columns, over the selection or from column A across the used range.
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

// Whole columns go with the rest shifted left, whatever shift is passed; the embedded host
// refuses any other shift value, so the walk passes this one.
constexpr int kWholeColumnShift = host::xlShiftToLeft;

// Selection mode: the walk starts at the work range's first cell and visits its columns.
long prepareSelectionWalk() {
    host::RangePtr work;
    shell::resumeNext([&] { work = dialog::selectionInUsedRange(app().ActiveSheet()); });
    if (!work) return 0;
    cleanBeforeRemoval(work);
    long total = 0;
    shell::resumeNext([&] { total = work->Columns()->Count(); });
    shell::resumeNext([&] { work->Cells(1, 1)->Select(); });
    return total;
}

// Whole-sheet mode: the walk starts at A1 and visits as many columns as the last used
// column's number.
long prepareSheetWalk() {
    host::RangePtr used;
    shell::resumeNext([&] { used = app().ActiveSheet()->UsedRange(); });
    if (used) cleanBeforeRemoval(used);
    shell::resumeNext([] { app().Range(u"A1")->Select(); });
    long total = 0;
    shell::resumeNext(
        [&] { total = app().ActiveSheet()->UsedRange()->SpecialCells(host::xlCellTypeLastCell)->Column(); });
    return total;
}

void visitActiveColumn(long& n) {
    bool blank = false;
    shell::resumeNext([&] { blank = holdsNothing(app().ActiveCell()->EntireColumn()); });
    if (blank) {
        shell::resumeNext([] { app().ActiveCell()->EntireColumn()->Delete(kWholeColumnShift); });
        ++n;
    } else {
        shell::resumeNext([] { app().ActiveCell()->Offset(0, 1)->Activate(); });
    }
}

long walkColumns(long total) {
    const auto keepDialog = frmMain().keepAlive();
    forms::Label& label = frmMain().lblDOHeader1to4;
    long n = 0;
    for (long i = 0; i != total;) {
        visitActiveColumn(n);
        ++i;
        dialog::ProgressReadout::yield();
        showPercentOf(label, dialog::kRemoving, i, total);
        if (dialog::stopRequested) break;
    }
    return n;
}

}  // namespace

void runEmptyColumnTools() {
    shell::ProcessingFrame processing;
    const std::u16string address = activeCellAddress();
    const bool blankColumns = frmMain().optDelEntireIfBlank.Value();
    const bool emptyCells = frmMain().optDelEmptyCells.Value();
    if (blankColumns) deleteEmptyColumns();
    if (emptyCells) deleteEmptyCells(host::xlShiftToLeft);
    activateCell(address);
}

void deleteEmptyColumns() {
    if (!removalOpening()) return;
    const long total = frmMain().chkRemoveAS.Value() ? prepareSheetWalk() : prepareSelectionWalk();
    const long n = walkColumns(total);
    dialog::endRunWithMessage(u"Total  " + decimal(n) + u"  Empty Columns Removed!");
}

}  // namespace tools::organizer
