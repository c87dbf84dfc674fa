#include "shell/language_state.h"

#include "resources/resource_text.h"
#include "resources/resources.h"
#include "shell/resume_next.h"
#include "shell/text_split.h"

namespace shell {

namespace {

constexpr int labelTable = 106;
constexpr int screenTipTable = 102;
constexpr int superTipTable = 103;

std::u16string tableText(int number) { return resources::wideText(resources::customResource(number)); }

const std::u16string& field(const std::vector<std::u16string>& row, std::size_t index) {
    if (index >= row.size()) throw host::Error(host::errSubscript, "Subscript out of range");
    return row[index];
}

}  // namespace

void loadLanguageRow(std::u16string& code) {
    languageCode = code;
    std::vector<std::u16string> lines;
    resumeNext([&] { lines = splitText(tableText(labelTable), u"\r\n"); });
    resumeNext([&] {
        languageCodes = splitText(field(lines, 0), u";");
        labelRow = splitText(field(lines, 1), u";");  // English unless a row matches
    });
    for (std::size_t i = 1; i < lines.size() && !languageCode.empty(); ++i) {
        if (lines[i].substr(0, 2) == languageCode) {
            labelRow = splitText(lines[i], u";");
            break;
        }
    }
    resumeNext([] { msgNoWorkbook = field(labelRow, 69); });
    resumeNext([] { msgListUpdated = field(labelRow, 71); });
}

void loadScreenTips() {
    resumeNext([] { screenTips = splitText(tableText(screenTipTable), u";"); });
}

void loadSuperTips() {
    resumeNext([] { superTips = splitText(tableText(superTipTable), u";"); });
}

const std::vector<std::u16string>& fallbackLabelRow() {
    // The first 34 fields of the English row: every group, menu and tool up to number 33
    // keeps its English label even without the table.
    static const std::vector<std::u16string> row = {
        u"En",
        u"Undo or Redo",
        u"Undo",
        u"Redo",
        u"Data Cleaning Tools",
        u"Text Cleaner",
        u"Regular Text Cleaner",
        u"1. Remove all Numbers (0-9) in Selected Cells",
        u"2. Remove all Alphabets (a-z) in Selected Cells",
        u"3. Remove User-defined Characters in Selected Cells",
        u"4. Remove all UPPER CASE Characters in Selected Cells",
        u"5. Remove all lower case Characters in Selected Cells",
        u"Extra Space Cleaner",
        u"6. Remove all instance of Spaces in Selected Cells",
        u"7. Remove Leading and Trailing Spaces  in Selected Cells",
        u"8. Remove all Excessive Spaces  in Selected Cells",
        u"Advance Text Cleaner",
        u"9. Remove/Replace all text before nth Character(s)",
        u"10. Remove/Replace all text after nth Character(s)",
        u"11. Remove/Replace X nos. of Character(s) before nth Character(s)",
        u"12. Remove/Replace X nos. of Character(s) after nth Character(s)",
        u"13. Remove/Replace X nos. of Leading Character(s)",
        u"14. Remove/Replace X nos. of Trailing Character(s)",
        u"Duplicate Cleaner",
        u"Regular Duplicate Cleaner",
        u"1. Remove Duplicate Entries (Keep First)",
        u"2. Remove all Duplicate Entries",
        u"Advance Duplicate Cleaner",
        u"3. Remove Duplicate Entries from 1st Column Exist in 2nd Column",
        u"4. Remove Duplicate Entries as User-defined Criteria",
        u"4. Duplicate Preventer",
        u"5. Remove all Unique Entries",
        u"Data Organizer",
        u"Compact Data",
    };
    return row;
}

}  // namespace shell
