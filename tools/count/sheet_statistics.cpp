// The three statistics counts (active sheet, every worksheet, the selection) and the count
// of sheets by visibility. Each step runs with host errors ignored; the count page's frame
// and Exit button are disabled while a count runs and enabled again at its end.
#include <functional>
#include <memory>

#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"
#include "tools/count/count_tool_module.h"
#include "tools/count/statistics_texts.h"
#include "tools/count/text_sources.h"

namespace tools::count {

namespace {

// The dialog, kept alive for one count: a yield may close it, the count still ends cleanly.
class StatisticsRun {
public:
    StatisticsRun() : form_(dialog::frmMain()), keep_(form_.keepAlive()) {}

    dialog::FrmMain& form() { return form_; }
    bool includeShapes() const { return form_.chkIncludeShapes.Value(); }

    void setStatus(std::u16string text) { form_.lblStatus.setCaption(std::move(text)); }
    void setControlsEnabled(bool enabled) {
        form_.Frame7.setEnabled(enabled);
        form_.cmdExit.setEnabled(enabled);
    }

private:
    dialog::FrmMain& form_;
    std::shared_ptr<forms::Form> keep_;
};

void addFigures(const TextFigures& figures) {
    statisticsTotals.words += figures.words;
    statisticsTotals.charsNoSpaces += figures.charsNoSpaces;
    statisticsTotals.charsWithSpaces += figures.charsWithSpaces;
}

// Steps 3 to 5 for one worksheet: its name in the status, a yield, its used range, its
// shapes when they are included.
void countWorksheet(StatisticsRun& run, const host::WorksheetPtr& sheet) {
    shell::resumeNext([&] { run.setStatus(kAnalayzing + sheet->Name()); });
    dialog::ProgressReadout::yield();
    shell::resumeNext([&] { addFigures(rangeFigures(sheet->UsedRange())); });
    if (run.includeShapes()) shell::resumeNext([&] { addFigures(shapeFigures(sheet)); });
}

// The frame of every statistics count: controls off, totals reset, the scope's own steps,
// the sheets, controls on, the final status.
void countStatistics(Scope scope, const std::function<void(StatisticsRun&)>& countScope) {
    StatisticsRun run;
    run.setControlsEnabled(false);
    ResetCountTotals();
    countScope(run);
    run.setStatus(std::u16string(kCountingSheets));
    CountSheetsByVisibility();
    run.setControlsEnabled(true);
    run.setStatus(std::u16string(finalStatus(scope, run.includeShapes())));
}

host::ApplicationPtr app() { return shell::hostApplication; }

}  // namespace

void ResetCountTotals() { statisticsTotals = StatisticsTotals{}; }

void CountStatsActiveSheet() {
    countStatistics(Scope::ActiveSheet, [](StatisticsRun& run) {
        host::WorksheetPtr sheet;
        shell::resumeNext([&] { sheet = app()->ActiveSheet(); });
        if (sheet) countWorksheet(run, sheet);
    });
}

void CountStatsAllSheets() {
    countStatistics(Scope::AllSheets, [](StatisticsRun& run) {
        host::SheetsPtr sheets;
        long count = 0;
        shell::resumeNext([&] {
            sheets = app()->ActiveWorkbook()->Worksheets();
            count = sheets->Count();
        });
        for (long i = 1; i <= count; ++i) {
            host::WorksheetPtr sheet;
            shell::resumeNext([&] { sheet = sheets->Item(i); });
            if (sheet) countWorksheet(run, sheet);
        }
    });
}

// The selection's part of the used range; when they do not overlap there is no address and
// the text totals stay 0. With shapes included, every shape of the sheet counts.
void CountStatsSelection() {
    countStatistics(Scope::Selection, [](StatisticsRun& run) {
        host::WorksheetPtr sheet;
        host::RangePtr cells;
        shell::resumeNext([&] {
            sheet = app()->ActiveSheet();
            cells = dialog::selectionInUsedRange(sheet);
        });
        if (cells) shell::resumeNext([&] { run.setStatus(kAnalayzing + cells->Address()); });
        dialog::ProgressReadout::yield();
        if (cells) addFigures(rangeFigures(cells));
        if (run.includeShapes() && sheet) shell::resumeNext([&] { addFigures(shapeFigures(sheet)); });
    });
}

void CountSheetsByVisibility() {
    StatisticsRun run;
    host::SheetsPtr sheets;
    long count = 0;
    shell::resumeNext([&] {
        sheets = app()->ActiveWorkbook()->Sheets();
        count = sheets->Count();
    });
    for (long i = 1; i <= count; ++i) {
        shell::resumeNext([&] {
            const bool hidden = sheets->Item(i)->Visible() == 0;
            run.setStatus(hidden ? sheetCountStatus(kCountingHidden, statisticsTotals.sheetsHidden)
                                 : sheetCountStatus(kCountingVisible, statisticsTotals.sheetsVisible));
            dialog::ProgressReadout::yield();
            if (hidden)
                ++statisticsTotals.sheetsHidden;
            else
                ++statisticsTotals.sheetsVisible;
        });
    }
}

}  // namespace tools::count
