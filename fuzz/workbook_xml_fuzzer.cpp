// The workbook part: parsed (sheet list, active sheet, sheet-local names), then written
// with its own sheet list in reverse order, as a save that moved sheets writes it. The
// written part must parse again to exactly that list and active sheet.
#include <cstdint>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "files/workbook_xml.h"
#include "fuzz_support.h"
#include "host/text.h"

namespace {

std::string describe(const std::vector<files::SheetEntry>& sheets) {
    std::string out;
    for (const files::SheetEntry& e : sheets)
        out += host::utf8(e.name) + " | " + e.sheetId + " | " + std::to_string(e.visibility) + " | " + e.relId + "\n";
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    files::WorkbookPart part;
    try {
        part = files::parseWorkbookXml(std::string(fuzz::bytes(data, size)));
    } catch (const files::FormatError&) {
        return 0;
    }
    std::vector<files::SheetOut> out;
    for (size_t i = part.sheets.size(); i-- > 0;) out.push_back({part.sheets[i], static_cast<long>(i)});
    const size_t active = out.empty() ? 0 : out.size() - 1;
    std::vector<std::u16string> notes;
    const std::string written = files::writeWorkbookXml(part, out, active, notes);
    files::WorkbookPart again;
    try {
        again = files::parseWorkbookXml(written);
    } catch (const files::FormatError& e) {
        fuzz::fail("a written workbook part does not parse", std::string(e.what()) + "\n" + written);
    }
    std::vector<files::SheetEntry> expected;
    for (const files::SheetOut& s : out) expected.push_back(s.entry);
    fuzz::require(describe(again.sheets) == describe(expected), "the sheet list changed through a write",
                  describe(expected) + "----\n" + describe(again.sheets) + "----\n" + written);
    if (!out.empty())
        fuzz::require(again.activeTab == static_cast<long>(active), "the active sheet changed through a write",
                      written);
    return 0;
}
