#include "tools/text/text_run_frame.h"

#include "dialog/frm_main.h"
#include "dialog/layout_steps.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/processing_frame.h"
#include "shell/resume_next.h"

namespace tools::text {

namespace {

using shell::resumeNext;

host::WorksheetPtr activeSheetOfActiveWorkbook() {
    const host::WorkbookPtr book = shell::hostApplication->ActiveWorkbook();
    return book ? book->ActiveSheet() : nullptr;
}

}  // namespace

void runTextTool(forms::Label dialog::FrmMain::*countLabel, const TextPass& pass) {
    dialog::FrmMain& form = dialog::frmMain();
    const auto keepForm = form.keepAlive();
    const shell::ProcessingFrame processing;    // processing-end runs last, however we leave
    const dialog::ActiveCellKeeper activeCell;  // selected again before processing-end

    host::WorksheetPtr sheet;
    host::RangePtr sheetCells;
    resumeNext([&] {
        sheet = activeSheetOfActiveWorkbook();
        if (sheet) sheetCells = sheet->Cells();
    });
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetTotallyEmpty, sheetCells)) return;

    host::RangePtr target;
    std::int32_t count = 0;
    resumeNext([&] { target = dialog::selectionInUsedRange(sheet); });
    resumeNext([&] {
        count = dialog::cellCount(target);
        (form.*countLabel).setCaption(dialog::decimalText(count));
    });
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::SelectionEmpty, target)) return;

    dialog::startToolLoop(form);
    const std::u16string message = pass(form, target, count);
    dialog::endRunWithMessage(message);
}

}  // namespace tools::text
