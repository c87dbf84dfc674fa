#include "tools/duplicates/duplicate_preventer.h"

#include <algorithm>

#include "host/application.h"
#include "host/constants.h"
#include "host/range.h"
#include "shell/frm_alert.h"
#include "shell/host_references.h"
#include "shell/object_required.h"
#include "shell/processing_frame.h"
#include "shell/resume_next.h"
#include "tools/duplicates/duplicate_texts.h"
#include "tools/duplicates/frm_dup_prev.h"

namespace tools::duplicates {

using shell::objectOf;
using shell::resumeNext;

namespace {

std::u16string withoutDollars(std::u16string address) {
    std::erase(address, u'$');
    return address;
}

host::Application& application() { return objectOf(shell::hostApplication); }

host::RangePtr selection() { return application().Selection(); }

long selectedColumns() {
    long columns = 0;
    resumeNext([&] { columns = objectOf(objectOf(selection()).Columns()).Count(); });
    return columns;
}

void selectEntireColumns() {
    resumeNext([] { objectOf(objectOf(selection()).EntireColumn()).Select(); });
}

// The areas of the selection, one rule each, so that every area is guarded against its own
// column (a rule spanning the areas would take its column from the first one only).
std::vector<host::RangePtr> selectedAreas() {
    std::vector<host::RangePtr> areas;
    resumeNext([&] {
        host::AreasPtr all = objectOf(selection()).Areas();
        for (long i = 1; i <= objectOf(all).Count(); ++i) areas.push_back(all->Item(i));
    });
    return areas;
}

std::u16string activate() {
    for (const host::RangePtr& area : selectedAreas()) addPreventerRule(area);
    return std::u16string(kPreventerActivated);
}

std::u16string deactivate() {
    selectEntireColumns();
    resumeNext([] { objectOf(objectOf(selection()).Validation()).Delete(); });
    return std::u16string(kPreventerDeactivated);
}

void tell(std::u16string_view message) {
    shell::frmAlert().lblMessage.setCaption(std::u16string(message));
    forms::Unload(frmDupPrev());
    shell::frmAlert().Show(forms::ShowMode::Modal);
}

}  // namespace

std::u16string preventerFormula(const host::Range& area) {
    const std::u16string column = objectOf(objectOf(area.Columns()).Item(1)).Address();
    const std::u16string first = withoutDollars(objectOf(area.Cells(1, 1)).Address());
    return u"=CountIf(" + column + u"," + first + u")=1";
}

void addPreventerRule(const host::RangePtr& area) {
    std::u16string formula;
    host::RangePtr firstCell;
    host::ValidationPtr rule;
    resumeNext([&] { formula = preventerFormula(objectOf(area)); });
    resumeNext([&] { firstCell = objectOf(area).Cells(1, 1); });
    // The host reads the rule's relative reference from the active cell: make it the first cell.
    resumeNext([&] { objectOf(firstCell).Activate(); });
    resumeNext([&] { rule = objectOf(area).Validation(); });
    resumeNext([&] { objectOf(rule).Delete(); });
    resumeNext([&] { objectOf(rule).Add(host::xlValidateCustom, host::xlValidAlertStop, host::xlBetween, formula); });
    resumeNext([&] { objectOf(rule).setIgnoreBlank(true); });
    resumeNext([&] { objectOf(rule).setInCellDropdown(true); });
    resumeNext([&] { objectOf(rule).setInputTitle(std::u16string(kRuleInputTitle)); });
    resumeNext([&] { objectOf(rule).setErrorTitle(u""); });
    resumeNext([&] { objectOf(rule).setInputMessage(u""); });
    resumeNext([&] { objectOf(rule).setErrorMessage(std::u16string(kRuleErrorMessage)); });
    resumeNext([&] { objectOf(rule).setShowError(true); });
}

void toggleDuplicatePreventer() {
    shell::ProcessingFrame frame;
    if (selectedColumns() > 1) {
        forms::Unload(frmDupPrev());
        shell::frmAlert().lblMessage.setCaption(std::u16string(kSelectSingleColumn));
        shell::frmAlert().Show(forms::ShowMode::Modal);
        return;
    }
    std::u16string message;
    if (frmDupPrev().optAct.Value()) {
        if (frmDupPrev().chkSelCol.Value()) selectEntireColumns();
        message = activate();
    } else {
        message = deactivate();
    }
    tell(message);
}

}  // namespace tools::duplicates
