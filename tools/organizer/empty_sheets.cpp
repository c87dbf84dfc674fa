// The empty-sheet tool: deletes the empty worksheets of the active workbook or of every open
// workbook; hidden ones only when asked, very hidden ones never, and a workbook always keeps
// one worksheet.
#include <vector>

#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/constants.h"
#include "host/worksheet.h"
#include "shell/processing_frame.h"
#include "shell/resume_next.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/organizer_support.h"
#include "tools/organizer/removal_steps.h"

namespace tools::organizer {

namespace {

using dialog::frmMain;

// The walk's counters are the host's 16-bit integers.
using Counter = std::int16_t;

// The worksheets as the walk meets them: taken when the walk starts, so that deleting one
// does not disturb the visits of the others.
std::vector<host::WorksheetPtr> worksheetsOf(const host::WorkbookPtr& book) {
    std::vector<host::WorksheetPtr> sheets;
    shell::resumeNext([&] {
        const host::SheetsPtr all = book->Worksheets();
        for (long i = 1, count = all->Count(); i <= count; ++i) sheets.push_back(all->Item(i));
    });
    return sheets;
}

long worksheetCount(const host::WorkbookPtr& book) {
    long count = 0;
    shell::resumeNext([&] { count = book->Worksheets()->Count(); });
    return count;
}

enum class Decision { Examined, LeaveWorkbook };

// The decision for one worksheet; deletes it when it is empty and may go.
Decision decide(const host::WorksheetPtr& sheet, const host::WorkbookPtr& book, Counter& n) {
    bool empty = false;
    shell::resumeNext([&] { empty = holdsNothing(sheet->Cells()); });
    if (!empty) return Decision::Examined;
    if (worksheetCount(book) == 1) return Decision::LeaveWorkbook;
    int visibility = host::xlSheetVeryHidden;
    shell::resumeNext([&] { visibility = sheet->Visible(); });
    const bool hiddenToo = frmMain().chkCleanWhiteSpaces.Value();
    if ((hiddenToo && visibility == host::xlSheetHidden) || visibility == host::xlSheetVisible) {
        shell::resumeNext([&] { sheet->Delete(); });
        ++n;
    }
    return Decision::Examined;
}

std::u16string bookName(const host::WorkbookPtr& book) {
    std::u16string name;
    shell::resumeNext([&] { name = book->Name(); });
    return name;
}

// One workbook of the all-workbooks walk; a Stop ends this workbook's loop only.
void walkOpenWorkbook(const host::WorkbookPtr& book, Counter& n, Counter& visits, forms::Label& label) {
    const long total = worksheetCount(book);
    const std::u16string prefix = u"Removing from " + bookName(book) + u"...\r\n";
    for (const host::WorksheetPtr& sheet : worksheetsOf(book)) {
        if (decide(sheet, book, n) == Decision::LeaveWorkbook) break;
        ++visits;
        dialog::ProgressReadout::yield();
        showPercentOf(label, prefix, visits, total);
        if (dialog::stopRequested) break;
    }
}

Counter walkAllWorkbooks(forms::Label& label) {
    Counter n = 0, visits = 0;
    std::vector<host::WorkbookPtr> books;
    shell::resumeNext([&] {
        const host::WorkbooksPtr all = app().Workbooks();
        for (long i = 1, count = all->Count(); i <= count; ++i) books.push_back(all->Item(i));
    });
    for (const host::WorkbookPtr& book : books) walkOpenWorkbook(book, n, visits, label);
    return n;
}

Counter walkActiveWorkbook(forms::Label& label) {
    Counter n = 0, visits = 0;
    host::WorkbookPtr book;
    shell::resumeNext([&] { book = app().ActiveWorkbook(); });
    if (!book) return n;
    const long total = worksheetCount(book);
    for (const host::WorksheetPtr& sheet : worksheetsOf(book)) {
        if (decide(sheet, book, n) == Decision::LeaveWorkbook) break;
        ++visits;
        dialog::ProgressReadout::yield();
        showPercentOf(label, dialog::kRemoving, visits, total);
        if (dialog::stopRequested) break;
    }
    return n;
}

}  // namespace

void runEmptySheetTool() {
    shell::ProcessingFrame processing;
    deleteEmptySheets();
}

void deleteEmptySheets() {
    dialog::startToolLoop(frmMain());
    const auto keepDialog = frmMain().keepAlive();
    forms::Label& label = frmMain().lblDOHeader1to4;
    if (frmMain().optDelEmptyCells.Value()) {
        const Counter n = walkAllWorkbooks(label);
        dialog::endRunWithMessage(u"Total  " + decimal(n) + u"  Empty Sheets Removed from All Open Workbook!");
    } else {
        const Counter n = walkActiveWorkbook(label);
        dialog::endRunWithMessage(u"Total  " + decimal(n) + u"  Empty Sheets Removed from Active Workbook!");
    }
}

}  // namespace tools::organizer
