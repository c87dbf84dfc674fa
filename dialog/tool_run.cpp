#include "dialog/tool_run.h"

#include <limits>

#include "dialog/frm_main.h"
#include "dialog/stop_flag.h"
#include "forms/form.h"
#include "host/application.h"
#include "host/worksheet.h"
#include "shell/frm_alert.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"

namespace dialog {

namespace {

struct CheckMessage {
    OpeningCheck check;
    std::u16string_view message;
};

constexpr CheckMessage kCheckMessages[] = {
    {OpeningCheck::ActiveSheetEmpty, u"Active Sheet is Empty!"},
    {OpeningCheck::ActiveSheetTotallyEmpty, u"Active Sheet is totally Empty!"},
    {OpeningCheck::SelectionEmpty, u"Selection is Empty!"},
    {OpeningCheck::SingleColumn, u"Please Select Single Column!"},
};

bool holdsNothing(const host::RangePtr& subject) {
    return !subject || shell::hostApplication->WorksheetFunction()->CountA(subject) == 0;
}

bool checkFails(OpeningCheck check, const host::RangePtr& subject) {
    if (check == OpeningCheck::SingleColumn) return subject && subject->Columns()->Count() > 1;
    return holdsNothing(subject);
}

}  // namespace

std::u16string_view openingCheckMessage(OpeningCheck check) {
    for (const CheckMessage& row : kCheckMessages)
        if (row.check == check) return row.message;
    return {};
}

bool passesOpeningCheck(OpeningCheck check, const host::RangePtr& subject) {
    bool fails = false;
    shell::resumeNext([&] { fails = checkFails(check, subject); });
    if (fails) endRunWithMessage(std::u16string(openingCheckMessage(check)));
    return !fails;
}

void endRunWithMessage(const std::u16string& message) {
    if (frmMainLoaded()) forms::Unload(frmMain());
    shell::FrmAlert& alert = shell::frmAlert();
    alert.lblMessage.setCaption(message);
    alert.Show();
}

host::RangePtr selectionInUsedRange(const host::WorksheetPtr& sheet) {
    const host::RangePtr selection = shell::hostApplication->Selection();
    if (!selection || !sheet) return nullptr;
    return shell::hostApplication->Intersect(selection, sheet->UsedRange());
}

std::int32_t cellCount(const host::RangePtr& range) {
    if (!range) return 0;
    const long count = range->Count();  // fails with error 6 past the 32-bit range
    return count > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                            : static_cast<std::int32_t>(count);
}

void startToolLoop(FrmMain& form) {
    stopRequested = false;
    form.cmdDO1to4Stop.setVisible(true);
}

ActiveCellKeeper::ActiveCellKeeper() {
    shell::resumeNext([&] {
        if (const host::RangePtr cell = shell::hostApplication->ActiveCell()) address_ = cell->Address();
    });
}

ActiveCellKeeper::~ActiveCellKeeper() {
    if (address_.empty()) return;
    shell::resumeNext([&] {
        if (const host::WorksheetPtr sheet = shell::hostApplication->ActiveSheet()) sheet->Range(address_)->Select();
    });
}

}  // namespace dialog
