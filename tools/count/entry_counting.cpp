// The duplicate and unique counting tools: their start with the empty checks and the dialog
// set-up, and the count behind the dialog (narrow the selection, tally, show the figures).
#include <string_view>

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/layout_steps.h"
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/processing_frame.h"
#include "shell/resume_next.h"
#include "tools/count/count_page_events.h"
#include "tools/count/count_tool_module.h"
#include "tools/count/statistics_texts.h"

namespace tools::count {

namespace {

struct EntryCommand {
    std::u16string_view commandKey;
    forms::OptionButton dialog::FrmMain::*option;
    std::u16string_view startHeader;
    std::u16string_view toolKey;
};

constexpr EntryCommand kEntryCommands[] = {
    {u"countUniques", &dialog::FrmMain::optCountUnique, u"Please Wait.....!\r\nCounting Unique Entries", u"CountTool5"},
    {u"countDuplicates", &dialog::FrmMain::optCountDuplicate, u"Please Wait.....!\r\nCounting Duplicate Entries",
     u"CountTool4"},
};

constexpr std::u16string_view kFoundInSelection = u"\r\nFound in Selected Cells";

host::RangePtr activeUsedRange() {
    host::RangePtr used;
    shell::resumeNext([&] { used = shell::hostApplication->ActiveSheet()->UsedRange(); });
    return used;
}

host::RangePtr currentSelection() {
    host::RangePtr selection;
    shell::resumeNext([&] { selection = shell::hostApplication->Selection(); });
    return selection;
}

void prepareEntryCommand(dialog::FrmMain& form, std::u16string_view commandKey) {
    for (const EntryCommand& row : kEntryCommands) {
        if (row.commandKey != commandKey) continue;
        (form.*row.option).setValue(true);
        form.lblCT4to5Header.setCaption(std::u16string(row.startHeader));
        dialog::activeCTKey = row.toolKey;
    }
}

std::u16string headline(bool showUnique) {
    return showUnique
               ? dialog::decimalText(entryTally.distinctValues) + u" Unique Entries" + std::u16string(kFoundInSelection)
               : dialog::decimalText(entryTally.duplicateEntries) + u" Duplicate Entries" +
                     std::u16string(kFoundInSelection);
}

void setCountControlsEnabled(dialog::FrmMain& form, bool enabled) {
    form.frmOptions.setEnabled(enabled);
    form.cmdExit.setEnabled(enabled);
}

}  // namespace

void StartCountTool4to5(std::u16string& commandKey) {
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetEmpty, activeUsedRange())) return;
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::SelectionEmpty, currentSelection())) return;
    dialog::FrmMain& form = dialog::frmMain();
    auto keep = form.keepAlive();
    wireCountPage(form);
    prepareEntryCommand(form, commandKey);
    form.setHeightTwips(kCountDialogHeightTwips);
    form.frmCountTools.setVisible(true);
    form.lblMainHeader.setCaption(std::u16string(kCountToolHeader));
    form.frmCountTool4to5.setVisible(true);
    form.Show();
    // The key names a prepared tool only while its dialog is open.
    dialog::activeCTKey.clear();
}

void CountEntriesInSelection(bool showUnique) {
    dialog::FrmMain& form = dialog::frmMain();
    auto keep = form.keepAlive();
    dialog::ProgressReadout::yield();
    setCountControlsEnabled(form, false);
    host::RangePtr counted;
    shell::resumeNext([&] {
        counted = dialog::selectionInUsedRange(shell::hostApplication->ActiveSheet());
        entryTally.cellCount = dialog::cellCount(counted);
        form.lblSelectedCells.setCaption(dialog::decimalText(entryTally.cellCount));
    });
    {
        shell::ProcessingFrame processing;
        if (counted) shell::resumeNext([&] { counted->Select(); });
        TallyEntries(entryTally.cellCount);
        form.lblCT4to5Header.setCaption(headline(showUnique));
        form.lblDuplicate.setCaption(dialog::decimalText(entryTally.duplicateEntries));
        form.lblUnique.setCaption(dialog::decimalText(entryTally.distinctValues));
        form.lblDistinct.setCaption(dialog::decimalText(entryTally.singleValues));
    }
    setCountControlsEnabled(form, true);
}

}  // namespace tools::count
