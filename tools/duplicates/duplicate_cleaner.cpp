// The four duplicate cleaner routines: the common start (processing frame, stop flag, Stop
// button, opening checks, target), the walk with frmMain as its reporter, the common end.
#include "tools/duplicates/duplicate_cleaner.h"

#include "dialog/frm_main.h"
#include "dialog/layout_steps.h"
#include "dialog/progress.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/object_required.h"
#include "shell/processing_frame.h"
#include "shell/resume_next.h"
#include "tools/duplicates/duplicate_texts.h"
#include "tools/duplicates/duplicate_walks.h"

namespace tools::duplicates {

namespace {

using shell::objectOf;
using shell::resumeNext;

// frmMain as the walks see it: the count read-out, the deletion options and the progress
// read-out. The total of remove-all grows during its first pass, so the percentage is taken
// against the total the walk passes with each item.
class DialogReporter : public WalkReporter {
public:
    explicit DialogReporter(dialog::FrmMain& form) : form_(form), progress_(form.lblDOHeader1to4, kRemovingPrefix, 0) {}

    void showCount(std::int32_t count) override { form_.lblDOSelCells.setCaption(dialog::decimalText(count)); }

    DeletionMode deletionMode() override {
        return deletionModeOf(form_.optDelEntireIfBlank.Value(), form_.optDelEmptyCells.Value(),
                              form_.optDelEntire.Value());
    }

    // Count, stop test, label, yield — the shared order, a Stop the yield delivers included.
    bool itemDone(std::int32_t total) override {
        progress_.countItem();
        progress_.setTotal(total);
        if (dialog::stopRequested) return false;
        progress_.showPercent();
        dialog::ProgressReadout::yield();
        return !dialog::stopRequested;
    }

    // The second pass yields first, then counts, tests the stop flag and shows the label.
    bool secondPassItemDone(std::int32_t total) override {
        dialog::ProgressReadout::yield();
        progress_.countItem();
        progress_.setTotal(total);
        if (dialog::stopRequested) return false;
        progress_.showPercent();
        return true;
    }

private:
    dialog::FrmMain& form_;
    dialog::ProgressReadout progress_;
};

host::WorksheetPtr activeSheetOfActiveWorkbook() {
    const host::WorkbookPtr book = objectOf(shell::hostApplication).ActiveWorkbook();
    return objectOf(book).ActiveSheet();
}

host::RangePtr selection() { return objectOf(shell::hostApplication).Selection(); }

// DC3 wants exactly two columns; the shared opening checks know only the single column.
bool passesTwoColumnCheck() {
    bool fails = false;
    resumeNext([&] { fails = objectOf(objectOf(selection()).Columns()).Count() != 2; });
    if (fails) dialog::endRunWithMessage(std::u16string(kSelectTwoColumns));
    return !fails;
}

// The first area of the selection within the used range. Only the first area is walked (its
// rows and columns are what the host reports for the selection), so only it is counted too.
host::RangePtr targetOf(const host::WorksheetPtr& sheet) {
    host::RangePtr target;
    resumeNext([&] {
        const host::RangePtr firstArea = objectOf(objectOf(selection()).Areas()).Item(1);
        target = objectOf(shell::hostApplication).Intersect(firstArea, objectOf(sheet).UsedRange());
    });
    return target;
}

enum class Columns { One, Two };

template <class Walk>
void runDuplicateTool(Columns wanted, std::u16string_view finalMessage, Walk&& walk) {
    dialog::FrmMain& form = dialog::frmMain();
    const auto keepForm = form.keepAlive();
    const shell::ProcessingFrame processing;  // processing-end runs last, however we leave
    dialog::startToolLoop(form);

    host::WorksheetPtr sheet;
    host::RangePtr sheetCells;
    resumeNext([&] {
        sheet = activeSheetOfActiveWorkbook();
        sheetCells = objectOf(sheet).Cells();
    });
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetTotallyEmpty, sheetCells)) return;
    if (wanted == Columns::One && !dialog::passesOpeningCheck(dialog::OpeningCheck::SingleColumn, selection())) return;
    if (wanted == Columns::Two && !passesTwoColumnCheck()) return;

    const host::RangePtr target = targetOf(sheet);
    DialogReporter reporter(form);
    walk(objectOf(shell::hostApplication), target, reporter);
    dialog::endRunWithMessage(std::u16string(finalMessage));
}

}  // namespace

void removeDuplicates(bool removeAll) {
    runDuplicateTool(Columns::One, kDuplicatesRemoved,
                     [removeAll](const host::Application& app, const host::RangePtr& target, WalkReporter& r) {
                         walkDuplicates(app, target, removeAll, r);
                     });
}

void removeFromSecondList() { runDuplicateTool(Columns::Two, kSecondListRemoved, walkSecondList); }

void removeUniques() { runDuplicateTool(Columns::One, kUniquesRemoved, walkUniques); }

}  // namespace tools::duplicates
