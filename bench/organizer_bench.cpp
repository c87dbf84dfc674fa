// The data organizer's speed on a full-height column, each figure a whole run along the
// user's road: set-up, Yes, undo snapshot, one progress update and one yield per item,
// message. Half the rows are blank for the removal tools; entries repeat for the colouring.
#include <string>

#include "bench/bench_report.h"
#include "forms/forms.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/range.h"
#include "shell/family_keys.h"
#include "shell/host_references.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/set_up_data_organizer_dialog.h"
#include "tools/tool_families.h"

namespace bench {

namespace {

using engine::Cell;

// Row r holds "entry <r mod 1000>" when `everyRow` or r is odd; the other rows are blank.
std::shared_ptr<host::embedded::EmbeddedApplication> column(bool everyRow) {
    auto app = host::embedded::EmbeddedApplication::create();
    auto sheet = app->newBook()->model().activeSheet();
    for (long row = 1; row <= host::kMaxRows; ++row) {
        if (!everyRow && row % 2 == 0) continue;
        const std::string text = "entry " + std::to_string(row % 1000);
        Cell cell;
        cell.value = host::Variant(std::u16string(text.begin(), text.end()));
        sheet->setCell(row, 1, std::move(cell));
    }
    return app;
}

// One run: `options` answers the dialog, then Yes. Returns the seconds of the whole road.
template <class Options>
double runOnColumn(const std::shared_ptr<host::embedded::EmbeddedApplication>& app, const char16_t* command,
                   Options options) {
    shell::hostApplication = app;
    app->Range(u"A:A")->Select();
    forms::ScriptedDriver user;
    forms::DriverScope scope(user);
    options(user);
    user.click(u"cmdYes").on(u"frmMain");
    std::u16string key = command;
    shell::clearFamilyKeys();
    const double seconds = secondsOf([&] { tools::organizer::setUpDataOrganizerDialog(key); });
    shell::hostApplication.reset();
    return seconds;
}

void noOptions(forms::ScriptedDriver&) {}

}  // namespace

void runOrganizerBench() {
    tools::registerToolFamilies();
    {
        auto app = column(false);
        report("organizer_delete_blank_rows_1M", runOnColumn(app, u"removeRows", noOptions), "s");
        report("organizer_rows_left", app->activeWorksheet()->model().countA({1, 1, host::kMaxRows, 1}), "rows");
    }
    {
        auto app = column(false);
        report("organizer_delete_empty_cells_up_1M",
               runOnColumn(app, u"removeRows", [](forms::ScriptedDriver& u) { u.selectOption(u"optDelEmptyCells"); }),
               "s");
    }
    {
        auto app = column(true);
        report("organizer_upper_case_1M", runOnColumn(app, u"changeToUpperCase", noOptions), "s");
    }
    {
        auto app = column(true);
        report("organizer_colour_every_2nd_row_1M",
               runOnColumn(app, u"colorNthRow", [](forms::ScriptedDriver& u) { u.setText(u"txtNthRow", u"2"); }), "s");
    }
    {
        auto app = column(true);
        report("organizer_colour_duplicate_rows_1M", runOnColumn(app, u"colorDuplicateRows", noOptions), "s");
    }
}

}  // namespace bench
