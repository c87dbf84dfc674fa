// The object tool: deletes the drawing objects of the active sheet or of every worksheet,
// or, as the check boxes choose, their comments, pictures and embedded charts.
#include <functional>
#include <vector>

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
using Counter = std::int16_t;

// Adds the collection's count to n, then deletes the collection; each step on its own.
void removeCollection(const std::function<host::DrawingCollectionPtr()>& collection, Counter& n) {
    shell::resumeNext([&] { n = static_cast<Counter>(n + collection()->Count()); });
    shell::resumeNext([&] { collection()->Delete(); });
}

void removeComments(const host::WorksheetPtr& sheet, Counter& n) {
    shell::resumeNext([&] { n = static_cast<Counter>(n + sheet->Comments()->Count()); });
    shell::resumeNext([&] { sheet->Cells()->SpecialCells(host::xlCellTypeComments)->ClearComments(); });
}

// The removal step for one sheet, reading the three check boxes each time.
void removeFrom(const host::WorksheetPtr& sheet, Counter& n) {
    const bool comments = frmMain().chkCleanWhiteSpaces.Value();
    const bool pictures = frmMain().chkRemoveAS.Value();
    const bool charts = frmMain().chkChartObject.Value();
    if (!comments && !pictures && !charts) removeCollection([&] { return sheet->DrawingObjects(); }, n);
    if (comments) removeComments(sheet, n);
    if (pictures) removeCollection([&] { return sheet->Pictures(); }, n);
    if (charts) removeCollection([&] { return sheet->ChartObjects(); }, n);
}

Counter removeFromAllSheets() {
    Counter n = 0;
    std::vector<host::WorksheetPtr> sheets;
    shell::resumeNext([&] {
        const host::SheetsPtr all = app().ActiveWorkbook()->Worksheets();
        for (long i = 1, count = all->Count(); i <= count; ++i) sheets.push_back(all->Item(i));
    });
    dialog::ProgressReadout progress(frmMain().lblDOHeader1to4, dialog::kRemoving,
                                     static_cast<std::int32_t>(sheets.size()));
    for (const host::WorksheetPtr& sheet : sheets) {
        removeFrom(sheet, n);
        progress.countItem();
        dialog::ProgressReadout::yield();
        progress.showPercent();
        if (dialog::stopRequested) break;
    }
    return n;
}

Counter removeFromActiveSheet() {
    Counter n = 0;
    frmMain().lblDOHeader1to4.setCaption(u"Removing...All Drawing Objects");
    host::WorksheetPtr sheet;
    shell::resumeNext([&] { sheet = app().ActiveWorkbook()->ActiveSheet(); });
    if (sheet) removeFrom(sheet, n);
    return n;
}

}  // namespace

void runObjectTool() {
    shell::ProcessingFrame processing;
    deleteObjects();
}

void deleteObjects() {
    dialog::startToolLoop(frmMain());
    if (frmMain().optDelEmptyCells.Value()) {
        const Counter n = removeFromAllSheets();
        dialog::endRunWithMessage(u"Total  " + decimal(n) + u"  Objects Removed from All Sheets!");
    } else {
        const Counter n = removeFromActiveSheet();
        dialog::endRunWithMessage(u"Total  " + decimal(n) + u"  Objects Removed from Active Sheet!");
    }
}

}  // namespace tools::organizer
