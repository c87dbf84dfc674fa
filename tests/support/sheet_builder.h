#pragma once
// Workbooks for tests from compact literals: rows of typed input, as a user would type them.
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/sheet.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"

namespace testsupport {

using Rows = std::vector<std::vector<std::u16string>>;

// An application with one workbook "Book1" whose active sheet "Sheet1" holds `rows` from A1.
struct TestHost {
    std::shared_ptr<host::embedded::EmbeddedApplication> app;
    host::embedded::EmbeddedWorkbookPtr book;
    host::embedded::EmbeddedWorksheetPtr sheet;
};
TestHost makeHost(const Rows& rows = {}, const std::u16string& version = u"16.0");
// A sheet added to the test workbook, and a sheet of it by name (nullptr when absent), as the
// object model hands them out.
host::embedded::EmbeddedWorksheetPtr addSheet(const TestHost& t, const std::u16string& name,
                                              int type = host::xlWorksheet);
host::embedded::EmbeddedWorksheetPtr sheetNamed(const TestHost& t, const std::u16string& name);

// Types each non-empty text of `rows` into the sheet, the first at (row, col).
void fill(engine::Sheet& sheet, const Rows& rows, long row = 1, long col = 1);
// The cells' texts over the area (errors as their literal), trailing empty rows kept.
Rows texts(const engine::Sheet& sheet, const std::u16string& address);
// One column of texts, top to bottom, for compact column assertions.
std::vector<std::u16string> column(const engine::Sheet& sheet, const std::u16string& address);

// The same on a worksheet's engine sheet.
inline void fill(const host::embedded::EmbeddedWorksheet& sheet, const Rows& rows, long row = 1, long col = 1) {
    fill(sheet.model(), rows, row, col);
}
inline Rows texts(const host::embedded::EmbeddedWorksheet& sheet, const std::u16string& address) {
    return texts(sheet.model(), address);
}
inline std::vector<std::u16string> column(const host::embedded::EmbeddedWorksheet& sheet,
                                          const std::u16string& address) {
    return column(sheet.model(), address);
}

}  // namespace testsupport
