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

engine::Area areaToShow(const engine::Sheet& sheet, const std::optional<std::string>& range) {
    if (!range) return sheet.usedArea();
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
    auto app = host::embedded::EmbeddedApplication::create();
    auto book = openBook(*app, options.workbook);
    auto sheet = options.sheet ? activateSheet(*book, *options.sheet) : book->activeSheet();
    if (sheet->type() != host::xlWorksheet)
        throw Failure(kUsage, "sheet \"" + host::utf8(sheet->name()) + "\" is a chart sheet");
    const auto area = areaToShow(*sheet, options.range);
    if (options.json) {
        out << jsonOf(*book, *sheet, area) << "\n";
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
