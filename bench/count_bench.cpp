// The count tools along the whole road on full-height data: the statistics of a workbook of
// four sheets of 1,048,576 × 4 filled cells, and the tally of a 1,048,576-cell selection,
// each with its status or progress texts and a yield per item, as a user would run them.
#include <string>

#include "bench/bench_report.h"
#include "dialog/frm_main.h"
#include "forms/runtime.h"
#include "forms/scripted_driver.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/range.h"
#include "shell/host_references.h"
#include "tools/count/count_tool_module.h"
#include "tools/tool_families.h"

namespace bench {

namespace {

using engine::Cell;

std::u16string letters(long n) {
    return std::u16string{static_cast<char16_t>(u'a' + n % 26), static_cast<char16_t>(u'a' + (n / 26) % 26)};
}

// Four columns of short texts and numbers down to the last row; the other sheets are copies
// (sharing the cells, as the engine's copies do).
void fillBook(host::embedded::EmbeddedApplication& app) {
    auto book = app.newBook();
    auto sheet = app.worksheetOf(book->model().activeSheet());
    for (long row = 1; row <= host::kMaxRows; ++row) {
        for (long col = 1; col <= 4; ++col) {
            Cell cell;
            if (col == 2)
                cell.value = host::Variant(static_cast<double>(row % 5000));
            else
                cell.value = host::Variant(letters(row * col) + u" " + letters(row + col));
            sheet->model().setCell(row, col, std::move(cell));
        }
    }
    for (int copy = 0; copy < 3; ++copy) sheet->Copy(sheet);
    book->Sheets()->Item(1)->Activate();
}

}  // namespace

void runCountBench() {
    tools::registerToolFamilies();
    auto app = host::embedded::EmbeddedApplication::create();
    fillBook(*app);
    shell::hostApplication = app;
    forms::ScriptedDriver user;  // no actions: the dialog closes after its first count
    forms::DriverScope scope(user);

    std::u16string key = u"countAllSheet";
    report("count_statistics_4_sheets_4x1M", secondsOf([&] { tools::count::StartCountTool1to3(key); }), "s");
    report("count_statistics_words", static_cast<double>(tools::count::statisticsTotals.words), "words");
    report("count_statistics_chars", static_cast<double>(tools::count::statisticsTotals.charsWithSpaces), "chars");

    app->Range(u"A1:A1048576")->Select();
    key = u"countUniques";
    report("count_tally_1M_cells", secondsOf([&] { tools::count::StartCountTool4to5(key); }), "s");
    report("count_tally_distinct_values", static_cast<double>(tools::count::entryTally.distinctValues), "values");
    report("count_tally_yields", static_cast<double>(user.doEventsCount()), "yields");
    shell::hostApplication.reset();
}

}  // namespace bench
