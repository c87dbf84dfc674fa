// The statistics tools' dialog: the start with its empty-sheet check, the set-up of frmMain,
// the automatic count on layout and the figures shown.
#include <string_view>

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/layout_steps.h"
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"
#include "tools/count/count_page_events.h"
#include "tools/count/count_tool_module.h"
#include "tools/count/statistics_scope.h"

namespace tools::count {

namespace {

struct ScopeCommand {
    std::u16string_view commandKey;
    forms::OptionButton dialog::FrmMain::*option;
};

constexpr ScopeCommand kScopeCommands[] = {
    {u"countActiveSheet", &dialog::FrmMain::optActiveSheet},
    {u"countAllSheet", &dialog::FrmMain::optActiveWorkbook},
    {u"countSelectedCells", &dialog::FrmMain::optSelectedCells},
};

void selectScopeOption(dialog::FrmMain& form, std::u16string_view commandKey) {
    for (const ScopeCommand& row : kScopeCommands)
        if (row.commandKey == commandKey) (form.*row.option).setValue(true);
}

host::RangePtr activeUsedRange() {
    host::RangePtr used;
    shell::resumeNext([&] { used = shell::hostApplication->ActiveSheet()->UsedRange(); });
    return used;
}

}  // namespace

std::optional<Scope> selectedScope(const dialog::FrmMain& form) {
    if (form.optActiveSheet.Value()) return Scope::ActiveSheet;
    if (form.optActiveWorkbook.Value()) return Scope::AllSheets;
    if (form.optSelectedCells.Value()) return Scope::Selection;
    return std::nullopt;
}

void countScope(Scope scope) {
    switch (scope) {
    case Scope::ActiveSheet: CountStatsActiveSheet(); return;
    case Scope::AllSheets: CountStatsAllSheets(); return;
    case Scope::Selection: CountStatsSelection(); return;
    }
}

void StartCountTool1to3(std::u16string& commandKey) {
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetEmpty, activeUsedRange())) return;
    ShowCountTool1to3Dialog(commandKey);
}

void ShowCountTool1to3Dialog(std::u16string& commandKey) {
    dialog::FrmMain& form = dialog::frmMain();
    auto keep = form.keepAlive();
    wireCountPage(form);
    shell::resumeNext([&] { selectScopeOption(form, commandKey); });
    form.setHeightTwips(kCountDialogHeightTwips);
    form.frmCountTools.setVisible(true);
    form.frmCountTool1to3.setVisible(true);
    form.lblMainHeader.setCaption(std::u16string(kCountToolHeader));
    form.lblStatus.setCaption(std::u16string(kPleaseWait));
    dialog::activeCTKey = u"CountTool1to3";
    form.Show();
    // The key names a prepared tool only while its dialog is open.
    dialog::activeCTKey.clear();
    dialog::ProgressReadout::yield();
}

void ShowStatistics(dialog::FrmMain& form) {
    form.ctrWords.setCaption(dialog::decimalText(statisticsTotals.words));
    form.ctrChars.setCaption(dialog::decimalText(statisticsTotals.charsNoSpaces));
    form.ctrCharsSpaces.setCaption(dialog::decimalText(statisticsTotals.charsWithSpaces));
    form.ctrSheetsHidden.setCaption(dialog::decimalText(statisticsTotals.sheetsHidden));
    form.ctrSheetsVisible.setCaption(dialog::decimalText(statisticsTotals.sheetsVisible));
}

void AutoCountOnLayout(dialog::FrmMain& form) {
    if (form.dialogBeingMoved || !form.chkAllowAutoCount.Value()) return;
    if (const std::optional<Scope> scope = selectedScope(form)) countScope(*scope);
    ShowStatistics(form);
}

}  // namespace tools::count
