// The engine's figures on a full-height column: COUNTIF of every row over the column,
// deleting every second row one at a time bottom-up, and copying the sheet.
#include <string>

#include "bench/bench_report.h"
#include "host/application.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/range.h"
#include "host/worksheet.h"

namespace bench {

namespace {

using engine::Cell;

// A full column of texts with many repeats, as a customer list would have.
host::embedded::EmbeddedWorksheetPtr fullColumn(host::embedded::EmbeddedApplication& app) {
    auto sheet = app.worksheetOf(app.newBook()->model().activeSheet());
    for (long row = 1; row <= host::kMaxRows; ++row) {
        Cell cell;
        cell.value = host::Variant(u"customer " + std::u16string(1, static_cast<char16_t>(u'A' + row % 26)) +
                                   std::u16string(1, static_cast<char16_t>(u'a' + (row / 26) % 26)));
        sheet->model().setCell(row, 1, std::move(cell));
    }
    return sheet;
}

}  // namespace

void runEngineBench() {
    auto app = host::embedded::EmbeddedApplication::create();
    auto sheet = fullColumn(*app);
    auto functions = app->WorksheetFunction();
    auto column = sheet->Range(u"A1:A1048576");

    double checksum = 0;
    report("countif_per_row_1M", secondsOf([&] {
               for (long row = 1; row <= host::kMaxRows; ++row)
                   checksum += functions->CountIf(column, sheet->Cells(row, 1)->Value());
           }),
           "s");
    report("countif_mean_matches", checksum / host::kMaxRows, "cells");

    report("sheet_copy_1M", secondsOf([&] { sheet->Copy(sheet); }), "s");

    report("delete_every_other_row_1M", secondsOf([&] {
               for (long row = host::kMaxRows; row >= 2; row -= 2) sheet->Cells(row, 1)->EntireRow()->Delete();
           }),
           "s");
    report("rows_left_after_delete", static_cast<double>(sheet->model().column(1)->cellCount()), "rows");
}

}  // namespace bench
