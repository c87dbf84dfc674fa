#pragma once
// Workbooks for tests from compact literals: rows of typed input, as a user would type them.
#include <initializer_list>
#include <string>
#include <vector>

#include "host/embedded/embedded_application.h"

namespace testsupport {

using Rows = std::vector<std::vector<std::u16string>>;

// An application with one workbook "Book1" whose active sheet "Sheet1" holds `rows` from A1.
struct TestHost {
    std::shared_ptr<host::embedded::EmbeddedApplication> app;
    host::embedded::BookPtr book;
    host::embedded::SheetPtr sheet;
};
TestHost makeHost(const Rows& rows = {}, const std::u16string& version = u"16.0");

// Types each non-empty text of `rows` into the sheet, the first at (row, col).
void fill(host::embedded::Sheet& sheet, const Rows& rows, long row = 1, long col = 1);
// The cells' texts over the area (errors as their literal), trailing empty rows kept.
Rows texts(const host::embedded::Sheet& sheet, const std::u16string& address);
// One column of texts, top to bottom, for compact column assertions.
std::vector<std::u16string> column(const host::embedded::Sheet& sheet, const std::u16string& address);

}  // namespace testsupport
