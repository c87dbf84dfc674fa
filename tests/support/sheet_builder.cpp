#include "tests/support/sheet_builder.h"

#include "engine/address.h"

namespace testsupport {

using engine::Area;
using engine::Sheet;
using host::embedded::EmbeddedApplication;

TestHost makeHost(const Rows& rows, const std::u16string& version) {
    TestHost t;
    t.app = EmbeddedApplication::create(version);
    t.book = t.app->newBook();
    t.sheet = t.app->worksheetOf(t.book->model().activeSheet());
    fill(t.sheet->model(), rows);
    return t;
}

host::embedded::EmbeddedWorksheetPtr addSheet(const TestHost& t, const std::u16string& name, int type) {
    return t.app->worksheetOf(t.book->model().addSheet(name, type));
}

host::embedded::EmbeddedWorksheetPtr sheetNamed(const TestHost& t, const std::u16string& name) {
    return t.app->worksheetOf(t.book->model().sheetNamed(name));
}

void fill(Sheet& sheet, const Rows& rows, long row, long col) {
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].empty())
                sheet.enterText(row + static_cast<long>(r), col + static_cast<long>(c), rows[r][c]);
}

Rows texts(const Sheet& sheet, const std::u16string& address) {
    const Area a = engine::parseAddress(address).front();
    Rows out;
    for (long r = a.row1; r <= a.row2; ++r) {
        std::vector<std::u16string> line;
        for (long c = a.col1; c <= a.col2; ++c) {
            const host::Variant v = sheet.valueAt(r, c);
            line.push_back(v.isError() ? v.errorText() : v.toText());
        }
        out.push_back(std::move(line));
    }
    return out;
}

std::vector<std::u16string> column(const Sheet& sheet, const std::u16string& address) {
    std::vector<std::u16string> out;
    for (const auto& line : texts(sheet, address)) out.push_back(line.front());
    return out;
}

}  // namespace testsupport
