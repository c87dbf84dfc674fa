// The colouring tools: every nth row of the selection, or the duplicate or unique entries
// of one column, filled with the palette colour chosen in the dialog.
#include <cstdint>

#include "dialog/cell_pass.h"
#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_run.h"
#include "host/application.h"
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

// The palette index held in the selected swatch's tag.
int selectedColour() { return static_cast<int>(wholeNumberOf(frmMain().lblMainColor.Tag())); }

void colourRows(const host::RangePtr& work, long rows, std::int32_t n) {
    const int colour = selectedColour();
    dialog::startToolLoop(frmMain());
    dialog::ProgressReadout progress(frmMain().lblDOHeader1to4, dialog::kColoring, static_cast<std::int32_t>(rows));
    for (long long i = 1; i <= rows; i += n) {
        shell::resumeNext([&] { work->Rows()->Item(i)->Interior()->setColorIndex(colour); });
        if (!progress.itemDone()) break;
    }
}

// Whether a cell with `matches` entries equal to its own gets the colour.
using Wanted = bool (*)(double matches);

void colourEntries(Wanted wanted, const char16_t* message) {
    host::RangePtr selection;
    shell::resumeNext([&] { selection = app().Selection(); });
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::SingleColumn, selection)) return;
    const host::RangePtr work = workRange();
    const long rows = rowsOf(work);
    shell::resumeNext([&] { frmMain().lblDOSelCells.setCaption(decimal(rows)); });
    const int colour = selectedColour();
    dialog::startToolLoop(frmMain());
    dialog::ProgressReadout progress(frmMain().lblDOHeader1to4, dialog::kColoring, static_cast<std::int32_t>(rows));
    dialog::runCellPass(work, progress, [&](const host::RangePtr& cell) {
        const std::u16string entry = app().WorksheetFunction()->Trim(cellText(cell));
        if (entry.empty() || entry.size() > 255) return;
        if (wanted(app().WorksheetFunction()->CountIf(work, host::Variant(entry))))
            cell->Interior()->setColorIndex(colour);
    });
    dialog::endRunWithMessage(message);
}

}  // namespace

void paintEveryNthRow() {
    ToolFrame frame;
    if (!frame.sheetHasContent()) return;
    const host::RangePtr work = workRange();
    const long rows = rowsOf(work);
    const std::int32_t n = wholeNumberOf(frmMain().txtNthRow.Text());
    showSelectedCells(work);
    if (n < 1) return dialog::endRunWithMessage(u"Nth Row must be a whole number of 1 or more");
    if (n > rows) return dialog::endRunWithMessage(u"Nth Row is bigger than total selected rows");
    colourRows(work, rows, n);
    dialog::endRunWithMessage(u"Every " + decimal(n) + u" Row is colored in Your Selection");
}

void paintDuplicateRows() {
    ToolFrame frame;
    if (!frame.sheetHasContent()) return;
    colourEntries([](double matches) { return matches > 1; }, u"Duplicate Rows are colored in Your Selection");
}

void paintUniqueRows() {
    ToolFrame frame;
    if (!frame.sheetHasContent()) return;
    colourEntries([](double matches) { return matches == 1; }, u"Unique Rows are colored in Your Selection");
}

}  // namespace tools::organizer
