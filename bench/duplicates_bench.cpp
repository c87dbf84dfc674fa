// The duplicate cleaner along the whole road on a full-height column: set-up, the user's
// deletion option, Yes (undo snapshot, dispatch), a COUNTIF or two, a removal, progress and a
// yield per row, the final message. Half the rows hold entries that occur twice.
#include <string>

#include "bench/bench_report.h"
#include "dialog/family_keys.h"
#include "forms/runtime.h"
#include "forms/scripted_driver.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/range.h"
#include "shell/host_references.h"
#include "tools/duplicates/duplicate_cleaner.h"
#include "tools/tool_families.h"

namespace bench {

namespace {

using engine::Cell;

std::u16string keyText(char16_t prefix, long n) {
    std::u16string text(1, prefix);
    for (const char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
    return text;
}

// Rows 1..rows/2: unique entries; the lower half: rows/4 entries, each twice.
std::shared_ptr<host::embedded::EmbeddedApplication> columnHost(long rows) {
    auto app = host::embedded::EmbeddedApplication::create();
    auto sheet = app->newBook()->model().activeSheet();
    const long half = rows / 2;
    for (long row = 1; row <= rows; ++row) {
        Cell cell;
        cell.value = host::Variant(row <= half ? keyText(u'u', row) : keyText(u'd', row % (half / 2)));
        sheet->setCell(row, 1, std::move(cell));
    }
    return app;
}

struct BenchCase {
    const char* name;
    const char16_t* command;
    const char16_t* option;
    long rows;
};

// Remove-all's second pass calls the host's Find once per duplicated entry; the engine's text
// index answers each in time proportional to the matches, so it runs at full height too.
constexpr long kFullHeight = host::kMaxRows;

const BenchCase kCases[] = {
    {"dup_keep_first_entire_row_1M", u"removeDuplicatesKeepFirst", u"optDelEntireIfBlank", kFullHeight},
    {"dup_keep_first_shift_up_1M", u"removeDuplicatesKeepFirst", u"optDelEmptyCells", kFullHeight},
    {"dup_keep_first_clear_1M", u"removeDuplicatesKeepFirst", u"optDelEntire", kFullHeight},
    {"dup_remove_all_entire_row_1M", u"removeDuplicatesAll", u"optDelEntireIfBlank", kFullHeight},
    {"dup_remove_all_shift_up_1M", u"removeDuplicatesAll", u"optDelEmptyCells", kFullHeight},
    {"dup_remove_all_clear_1M", u"removeDuplicatesAll", u"optDelEntire", kFullHeight},
    {"dup_remove_uniques_entire_row_1M", u"removeUniquesAll", u"optDelEntireIfBlank", kFullHeight},
    {"dup_remove_uniques_shift_up_1M", u"removeUniquesAll", u"optDelEmptyCells", kFullHeight},
    {"dup_remove_uniques_clear_1M", u"removeUniquesAll", u"optDelEntire", kFullHeight},
};

long filledCells(host::Application& app) {
    return static_cast<long>(app.WorksheetFunction()->CountA(app.Range(u"A:A")));
}

}  // namespace

void runDuplicatesBench() {
    tools::registerToolFamilies();
    for (const BenchCase& c : kCases) {
        auto app = columnHost(c.rows);
        shell::hostApplication = app;
        app->Range(u"A1")->Resize(c.rows, 1)->Select();
        forms::ScriptedDriver user;
        user.selectOption(c.option).click(u"cmdYes");
        forms::DriverScope scope(user);
        dialog::clearFamilyKeys();
        std::u16string key = c.command;
        report(c.name, secondsOf([&] { tools::duplicates::setUpDuplicateCleanerDialog(key); }), "s");
        report((std::string(c.name) + "_entries_left").c_str(), static_cast<double>(filledCells(*app)), "cells");
        report((std::string(c.name) + "_yields").c_str(), static_cast<double>(user.doEventsCount()), "yields");
        shell::hostApplication.reset();
    }
}

}  // namespace bench
