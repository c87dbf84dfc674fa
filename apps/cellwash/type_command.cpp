#include "apps/cellwash/type_command.h"

#include <ostream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/run_report.h"
#include "apps/cellwash/sheet_dump.h"
#include "files/engine_binding.h"
#include "host/error.h"
#include "host/range.h"
#include "host/text.h"
#include "session/file_handlers.h"

namespace cli {

int runType(const TypeOptions& options, std::ostream& out, std::ostream& err) {
    checkOutputChoice(options.output, options.workbook);
    std::ostream& report = writesToStandardOutput(options.output) ? err : out;
    auto app = host::embedded::EmbeddedApplication::create();
    session::registerFileHandlers(*app);
    auto book = openBook(*app, options.workbook);
    auto sheet = options.sheet ? activateSheet(*book, *options.sheet) : book->activeSheet();
    host::RangePtr cell;
    try {
        cell = app->worksheetOf(sheet)->Range(host::utf16(options.cell));
    } catch (const host::Error&) {
        throw Failure(kUsage, "\"" + options.cell + "\" is not a cell address such as B7");
    }
    if (cell->CountLarge() != 1) throw Failure(kUsage, "\"" + options.cell + "\" is more than one cell");
    host::embedded::EntryResult entry;
    try {
        entry = app->enterValue(cell, host::utf16(options.text));
    } catch (const host::Error& e) {
        throw Failure(kRefused, e.description());
    }
    if (!entry.accepted) {
        err << host::utf8(entry.alertTitle) << ": " << host::utf8(entry.alertMessage) << "\n";
        return kRefused;
    }
    std::vector<std::string> notes;
    const auto written = writeBook(*book, options.workbook, options.output, notes, out);
    report << host::utf8(sheet->name()) << "!" << host::utf8(cell->Address(false, false)) << " = "
           << displayText(cell->Value()) << " (" << kindName(cell->Value()) << ")\n";
    for (const auto& note : notes) err << "note: " << note << "\n";
    report << (written ? "written to " + writtenTo(*written) : "dry run: nothing written (use -o FILE or --in-place)")
           << "\n";
    return kDone;
}

}  // namespace cli
