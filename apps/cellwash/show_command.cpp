#include "apps/cellwash/show_command.h"

#include <ostream>

#include "apps/cellwash/book_files.h"
#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/sheet_dump.h"
#include "engine/address.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

namespace cli {

namespace {

// The cells to show: --range, or the used range; csv and tsv start at A1 as a csv file does,
// so that a column keeps its place.
engine::Area areaToShow(const engine::Sheet& sheet, const std::optional<std::string>& range, bool fromA1) {
    if (!range) {
        auto used = sheet.usedArea();
        if (fromA1) used.row1 = used.col1 = 1;
        return used;
    }
    try {
        const auto areas = engine::parseAddress(host::utf16(*range));
        if (areas.size() != 1) throw Failure(kUsage, "--range takes one rectangle, such as A1:D20");
        const auto& a = areas.front();
        if (static_cast<long long>(a.row2 - a.row1 + 1) * (a.col2 - a.col1 + 1) > 1000000)
            throw Failure(kUsage, "--range " + *range + " is too large to show (at most 1,000,000 cells)");
        return a;
    } catch (const host::Error&) {
        throw Failure(kUsage, "--range " + *range + " is not an address such as A1:D20");
    }
}

}  // namespace

int runShow(const ShowOptions& options, std::ostream& out) {
    const std::string format = options.json ? "json" : options.format;
    if (options.json && options.format != "grid" && options.format != "json")
        throw Failure(kUsage, "--json is --format json: give one of them");
    auto app = host::embedded::EmbeddedApplication::create();
    auto book = openBook(*app, options.workbook);
    auto sheet = options.sheet ? sheetNamed(*book, *options.sheet) : book->activeSheet();
    if (sheet->type() != host::xlWorksheet)
        throw Failure(kUsage, "sheet \"" + host::utf8(sheet->name()) + "\" is a chart sheet");
    const auto area = areaToShow(*sheet, options.range, format == "csv" || format == "tsv");
    if (format == "json") {
        out << jsonOf(*book, *sheet, area) << "\n";
        return kDone;
    }
    if (format == "csv" || format == "tsv") {
        out << delimitedOf(*sheet, area, format == "csv" ? ',' : '\t');
        return kDone;
    }
    out << host::utf8(book->name()) << ": ";
    bool first = true;
    for (const auto& s : book->sheets()) {
        out << (first ? "" : ", ") << host::utf8(s->name());
        if (s->visible() == host::xlSheetHidden) out << " (hidden)";
        if (s->visible() == host::xlSheetVeryHidden) out << " (very hidden)";
        first = false;
    }
    out << "\n\n"
        << host::utf8(sheet->name()) << " " << host::utf8(engine::formatArea(area, false, false)) << "\n"
        << gridOf(*sheet, area);
    return kDone;
}

}  // namespace cli
