#pragma once
// The workbook part: the sheet list with names, visibility and relationships, the active
// sheet, defined names tied to a sheet, and the calculation settings. Saving regenerates the
// sheet list and keeps the rest of the part's text.
#include <cstdint>
#include <string>
#include <vector>

#include "files/xml_splice.h"

namespace files {

struct SheetEntry {
    std::u16string name;
    std::string sheetId;
    int visibility = -1;  // -1 visible, 0 hidden, 2 very hidden
    std::string relId;
};

struct WorkbookPart {
    std::string xml;
    std::string prefix;  // "x:" when the part prefixes its elements
    std::vector<ElementSpan> children;
    std::vector<SheetEntry> sheets;
    long activeTab = 0;
    std::uint64_t rootTagEnd = 0;              // just past the <workbook ...> start tag
    std::uint64_t viewBegin = 0, viewEnd = 0;  // the first <workbookView> start tag
    struct LocalName {
        std::uint64_t begin, end;  // the whole <definedName> element
        long sheet;                // its localSheetId
    };
    std::vector<LocalName> localNames;
};

WorkbookPart parseWorkbookXml(std::string xml);

struct SheetOut {
    SheetEntry entry;
    long readIndex = -1;  // its position in the part as read; -1 for a new sheet
};

// The part with the new sheet list, active sheet and full recalculation on load.
std::string writeWorkbookXml(const WorkbookPart& part, const std::vector<SheetOut>& sheets, size_t activeTab,
                             std::vector<std::u16string>& notes);

// A minimal workbook part for a workbook that has no file yet.
std::string newWorkbookXml();

}  // namespace files
