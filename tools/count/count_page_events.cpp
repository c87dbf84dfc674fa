#include "tools/count/count_page_events.h"

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "tools/count/count_tool_module.h"
#include "tools/count/statistics_scope.h"

namespace tools::count {

namespace {

struct Hint {
    std::u16string_view control;
    std::u16string_view text;
    double fontSize;
};

constexpr Hint kHints[] = {
    {u"frmCountTool1to3", u"Click on Radio Buttons & Check Box to Start Count Process Automatically.", 10},
    {u"optActiveSheet", u"Click 'Active Sheet' Radio Button to Show only Current Sheet Statistics", 10},
    {u"optActiveWorkbook", u"Click 'Active Workbook' Radio Button to Show All Sheets Statistics", 10},
    {u"optSelectedCells", u"Click 'Selected Cells' Radio Button to Show only  Statistics of Selection", 10},
};
constexpr Hint kShapesChecked{u"chkIncludeShapes",
                              u"Uncheck it to Exclude TextFrames, AutoShapes & Word Art Statistics", 10};
constexpr Hint kShapesUnchecked{
    u"chkIncludeShapes",
    u"Select a Blank Cell & 'Selected Cells' and Checked it on to Show only TextFrames, AutoShapes.., Statistics", 8};

const Hint* hintFor(const dialog::FrmMain& form, std::u16string_view control) {
    if (control == kShapesChecked.control) return form.chkIncludeShapes.Value() ? &kShapesChecked : &kShapesUnchecked;
    for (const Hint& hint : kHints)
        if (hint.control == control) return &hint;
    return nullptr;
}

// A scope option's click: the count of that scope when auto count is on and clicks count.
void scopeClicked(dialog::FrmMain& form, Scope scope) {
    if (!form.chkAllowAutoCount.Value() || dialog::suppressOptionClicks) return;
    countScope(scope);
    ShowStatistics(form);
}

void wireHint(dialog::FrmMain& form, forms::Control& control) {
    control.onMouseMove = [&form, name = control.Name()](int, int, double, double) { showHint(form, name); };
}

}  // namespace

void countToolsLayout(dialog::FrmMain& form) {
    if (dialog::activeCTKey == u"CountTool1to3") AutoCountOnLayout(form);
    if (form.dialogBeingMoved) return;
    if (dialog::activeCTKey == u"CountTool5")
        CountEntriesInSelection(true);
    else if (dialog::activeCTKey == u"CountTool4")
        CountEntriesInSelection(false);
}

void optActiveSheet_Click(dialog::FrmMain& form) { scopeClicked(form, Scope::ActiveSheet); }
void optActiveWorkbook_Click(dialog::FrmMain& form) { scopeClicked(form, Scope::AllSheets); }
void optSelectedCells_Click(dialog::FrmMain& form) { scopeClicked(form, Scope::Selection); }

void chkIncludeShapes_Click(dialog::FrmMain& form) {
    if (const auto scope = selectedScope(form)) countScope(*scope);
    ShowStatistics(form);
}

void optCountUnique_Click() {
    if (!dialog::suppressOptionClicks) CountEntriesInSelection(true);
}

void optCountDuplicate_Click() {
    if (!dialog::suppressOptionClicks) CountEntriesInSelection(false);
}

void showHint(dialog::FrmMain& form, std::u16string_view control) {
    const Hint* hint = hintFor(form, control);
    if (!hint) return;
    form.lblTips.setCaption(std::u16string(hint->text));
    form.lblTips.setFontSize(hint->fontSize);
}

void wireCountPage(dialog::FrmMain& form) {
    form.optActiveSheet.onClick = [&form] { optActiveSheet_Click(form); };
    form.optActiveWorkbook.onClick = [&form] { optActiveWorkbook_Click(form); };
    form.optSelectedCells.onClick = [&form] { optSelectedCells_Click(form); };
    form.chkIncludeShapes.onClick = [&form] { chkIncludeShapes_Click(form); };
    form.optCountUnique.onClick = [] { optCountUnique_Click(); };
    form.optCountDuplicate.onClick = [] { optCountDuplicate_Click(); };
    for (forms::Control* control :
         {static_cast<forms::Control*>(&form.frmCountTool1to3), static_cast<forms::Control*>(&form.optActiveSheet),
          static_cast<forms::Control*>(&form.optActiveWorkbook), static_cast<forms::Control*>(&form.optSelectedCells),
          static_cast<forms::Control*>(&form.chkIncludeShapes)})
        wireHint(form, *control);
}

}  // namespace tools::count
