// The cell-wise removal walks down one column: rows holding an empty cell, or the empty
// cells themselves with the rest shifted up or left.
#include <optional>

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

namespace tools::organizer {

namespace {

using dialog::frmMain;

// What one walk deletes when it meets an empty cell.
struct CellWalk {
    std::optional<int> cellShift;  // nothing: the entire row
    std::u16string bulkMessage;    // "... Removed ..." after the count, one-step deletion
    std::u16string finalBefore, finalAfter;

    void deleteAt(const host::RangePtr& cell) const {
        if (cellShift)
            cell->Delete(*cellShift);
        else
            cell->EntireRow()->Delete(host::xlShiftUp);
    }
};

CellWalk rowsWalk() {
    return {std::nullopt, u" Rows Removed Where Cells Found Empty!", u"Total  ",
            u"  Rows Removed Where Cells Found Empty!"};
}

CellWalk cellsWalk(int shift) {
    const bool up = shift == host::xlShiftUp;
    return {shift, u" Empty Cells Removed & Rest Shifted!", u"Total  ",
            up ? u"  Empty Cells Removed & Rest Shifted Upwards!" : u" Empty Cells Removed & Rest Shifted!"};
}

// The selection holds nothing: its rows (or its cells) go in one deletion.
void deleteSelectionInOneStep(const CellWalk& walk, const host::RangePtr& selection) {
    long rows = 0;
    shell::resumeNext([&] { rows = selection->Rows()->Count(); });
    shell::resumeNext([] { frmMain().lblDOHeader1to4.setCaption(u"Removing...Please Wait!"); });
    removalBulkEnd(u"Total " + decimal(rows) + walk.bulkMessage, [&] {
        if (walk.cellShift)
            selection->Delete(*walk.cellShift);
        else
            selection->EntireRow()->Delete(host::xlShiftUp);
    });
}

// The single column the walk goes down: the selection's part of the used range, or else the
// active cell's column within the used range.
host::RangePtr walkColumn() {
    host::RangePtr work;
    shell::resumeNext([&] { work = dialog::selectionInUsedRange(app().ActiveSheet()); });
    if (work) {
        cleanBeforeRemoval(work);
        showSelectedCells(work);
    }
    bool single = false;
    shell::resumeNext([&] { single = work && work->Columns()->Count() == 1; });
    if (single) return work;
    host::RangePtr column;
    shell::resumeNext([&] {
        const host::WorksheetPtr sheet = app().ActiveSheet();
        column = app().Intersect(sheet->Columns()->Item(app().ActiveCell()->Column()), sheet->UsedRange());
    });
    return column;
}

long blanksIn(const host::RangePtr& work) {
    long blanks = 0;
    shell::resumeNext([&] { blanks = work->SpecialCells(host::xlCellTypeBlanks)->Count(); });
    return blanks;
}

// One pass on the active cell. False when the walk cannot go on: the active cell holds
// something and there is no row below it (the sheet's last row).
bool visitActiveCell(const CellWalk& walk, long& n) {
    bool empty = false;
    shell::resumeNext([&] { empty = holdsNothing(app().ActiveCell()); });
    if (empty) {
        shell::resumeNext([&] { walk.deleteAt(app().ActiveCell()); });
        ++n;
        return true;
    }
    return shell::resumeNext([] { app().ActiveCell()->Offset(1, 0)->Activate(); });
}

long walkDown(const CellWalk& walk, const host::RangePtr& work) {
    const long blanks = work ? blanksIn(work) : 0;
    if (work) shell::resumeNext([&] { work->Rows()->Item(1)->Select(); });
    const auto keepDialog = frmMain().keepAlive();
    forms::Label& label = frmMain().lblDOHeader1to4;
    long n = 0;
    while (n != blanks) {
        if (!visitActiveCell(walk, n)) break;
        dialog::ProgressReadout::yield();
        showPercentOf(label, dialog::kRemoving, n, blanks);
        if (dialog::stopRequested) break;
    }
    return n;
}

void runCellWalk(const CellWalk& walk) {
    if (!removalOpening()) return;
    host::RangePtr selection;
    shell::resumeNext([&] { selection = app().Selection(); });
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::SingleColumn, selection)) return;
    bool empty = false;
    shell::resumeNext([&] { empty = holdsNothing(selection); });
    if (empty) return deleteSelectionInOneStep(walk, selection);
    const long n = walkDown(walk, walkColumn());
    dialog::endRunWithMessage(walk.finalBefore + decimal(n) + walk.finalAfter);
}

}  // namespace

void deleteRowsWithEmptyCell() { runCellWalk(rowsWalk()); }

void deleteEmptyCells(int shift) { runCellWalk(cellsWalk(shift)); }

}  // namespace tools::organizer
