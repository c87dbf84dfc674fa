#include "tools/organizer/removal_steps.h"

#include <limits>

#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/resume_next.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/organizer_support.h"

namespace tools::organizer {

namespace {

std::int32_t clamp32(long value) {
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace

host::RangePtr activeSheetCells() {
    host::RangePtr cells;
    shell::resumeNext([&] {
        if (const host::WorksheetPtr sheet = app().ActiveSheet()) cells = sheet->Cells();
    });
    return cells;
}

bool removalOpening() {
    dialog::startToolLoop(dialog::frmMain());
    return dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetTotallyEmpty, activeSheetCells());
}

void removalBulkEnd(const std::u16string& message, const std::function<void()>& deletion) {
    shell::resumeNext(deletion);
    dialog::frmMain().cmdDO1to4Stop.setVisible(false);
    dialog::endRunWithMessage(message);
}

void cleanBeforeRemoval(const host::RangePtr& work) {
    if (!dialog::frmMain().chkCleanWhiteSpaces.Value()) return;
    long total = 0;
    shell::resumeNext([&] { total = work->Count(); });
    clearSpaceOnlyCells(total, work);
}

void showSelectedCells(const host::RangePtr& work) {
    shell::resumeNext([&] { dialog::frmMain().lblDOSelCells.setCaption(decimal(dialog::cellCount(work))); });
}

void showPercentOf(forms::Label& label, std::u16string_view prefix, long done, long total) {
    const auto percent = dialog::progressPercent(clamp32(done), clamp32(total));
    if (percent) dialog::showProgressText(label, prefix, *percent);
}

std::u16string activeCellAddress() {
    std::u16string address;
    shell::resumeNext([&] { address = app().ActiveCell()->Address(); });
    return address;
}

void activateCell(const std::u16string& address) {
    if (address.empty()) return;
    shell::resumeNext([&] { app().ActiveSheet()->Range(address)->Activate(); });
}

}  // namespace tools::organizer
