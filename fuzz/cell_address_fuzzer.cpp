// Cell addresses, both readers: the host's A1 addresses ("A1:B2,D:D", host::Error 1004 when
// bad) and the package's references ("$B$12", sqref lists, FormatError when bad). What
// parses must stay inside the sheet, normalised, and read back the same from its own text.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/address.h"
#include "files/cell_ref.h"
#include "files/file_error.h"
#include "fuzz_support.h"
#include "host/error.h"
#include "host/text.h"

namespace {

using engine::Area;

bool sameAreas(const std::vector<Area>& a, const std::vector<Area>& b) { return files::sameAreas(a, b); }

void checkArea(const Area& a, const std::u16string& text) {
    fuzz::require(engine::isInsideSheet(a) && a.row1 <= a.row2 && a.col1 <= a.col2,
                  "an address parsed to an area outside the sheet or not normalised", host::utf8(text));
}

void hostAddress(const std::u16string& text) {
    std::vector<Area> areas;
    try {
        areas = engine::parseAddress(text);
    } catch (const host::Error& e) {
        fuzz::require(e.number() == host::errApplication, "a bad address raised another error than 1004",
                      host::utf8(text));
        return;
    }
    for (const Area& a : areas) checkArea(a, text);
    for (bool rowAbs : {true, false}) {
        const std::u16string written = engine::formatAddress(areas, rowAbs, !rowAbs);
        std::vector<Area> again;
        try {
            again = engine::parseAddress(written);
        } catch (const host::Error&) {
            fuzz::fail("an address's own text does not parse", host::utf8(text) + " -> " + host::utf8(written));
        }
        fuzz::require(sameAreas(areas, again), "an address's own text names other cells",
                      host::utf8(text) + " -> " + host::utf8(written));
    }
}

void columnsAndParts(const std::u16string& text) {
    const long column = engine::columnNumber(text);
    if (column > 0)
        fuzz::require(engine::columnNumber(engine::columnLetters(column)) == column, "column letters do not read back");
    engine::RefPart part;
    const size_t used = engine::scanRefPart(text, part);
    fuzz::require(used <= text.size(), "a reference part longer than its text");
    if (used > 0)
        fuzz::require(
            part.row >= 0 && part.row <= 1048576 && part.col >= 0 && part.col <= 16384 && (part.row || part.col),
            "a reference part outside the sheet", host::utf8(text));
}

void packageRefs(std::string_view text) {
    files::CellRef ref;
    if (files::parseCellRef(text, ref)) {
        std::string written;
        files::appendCellRef(written, ref.row, ref.col);
        files::CellRef again;
        fuzz::require(files::parseCellRef(written, again) && again.row == ref.row && again.col == ref.col,
                      "a cell reference does not read back", written);
    }
    Area area;
    if (files::parseAreaRef(text, area)) {
        std::string written;
        files::appendAreaRef(written, area);
        Area again;
        fuzz::require(files::parseAreaRef(written, again) && files::sameArea(area, again),
                      "an area reference does not read back", written);
    }
    std::vector<Area> areas;
    try {
        areas = files::parseSqref(text);
    } catch (const files::FormatError&) {
        return;
    }
    const std::string written = files::sqrefOf(areas);
    try {
        fuzz::require(sameAreas(files::parseSqref(written), areas), "an sqref list does not read back", written);
    } catch (const files::FormatError&) {
        fuzz::fail("an sqref list's own text does not parse", written);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::u16string text = fuzz::text(data, size);
    hostAddress(text);
    columnsAndParts(text);
    packageRefs(fuzz::bytes(data, size));
    return 0;
}
