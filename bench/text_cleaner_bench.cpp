// The text cleaner's speed: a whole run of "remove extra spaces" over a full-height column
// through the user's road (set-up, Yes, snapshot, one progress update and one yield per
// cell, message), and the cost of the per-item progress step alone.
#include <cstdint>
#include <string>

#include "bench/bench_report.h"
#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "forms/forms.h"
#include "host/embedded/embedded_application.h"
#include "host/range.h"
#include "host/text.h"
#include "shell/frm_alert.h"
#include "shell/host_references.h"
#include "tools/text/text_cleaner_module.h"
#include "tools/tool_families.h"

namespace bench {

namespace {

constexpr long kCells = 1048576;

void benchProgressStep() {
    constexpr std::int32_t kItems = 10000000;
    dialog::FrmMain& form = dialog::frmMain();
    const double seconds = secondsOf([&] {
        dialog::ProgressReadout progress(form.lblDOHeader1to4, dialog::kRemoving, kItems);
        for (std::int32_t i = 0; i < kItems; ++i)
            if (!progress.itemDone()) break;
    });
    forms::Unload(form);
    report("progress_step_per_item", seconds * 1e9 / kItems, "ns");
}

void benchRemoveExtraSpaces() {
    auto app = host::embedded::EmbeddedApplication::create();
    auto book = app->newBook();
    auto sheet = book->model().activeSheet();
    for (long row = 1; row <= kCells; ++row)
        sheet->enterText(row, 1, u"  cwk  ver " + std::u16string(1, u'0' + row % 10) + u"  ");
    shell::hostApplication = app;
    app->Range(u"A:A")->Select();
    forms::ScriptedDriver user;
    forms::DriverScope scope(user);
    user.click(u"cmdYes").on(u"frmMain");
    std::u16string key = u"removeExtraSpaces";
    const double seconds = secondsOf([&] { tools::text::setUpTextCleanerDialog(key); });
    const bool done = app->Range(u"A" + host::utf16(std::to_string(kCells)))->Value().toText() == u"cwk ver 6";
    report(done ? "text_cleaner_raes_1M" : "text_cleaner_raes_1M_FAILED", seconds, "s");
    shell::hostApplication.reset();
}

}  // namespace

void runTextCleanerBench() {
    tools::registerToolFamilies();
    benchProgressStep();
    benchRemoveExtraSpaces();
}

}  // namespace bench
