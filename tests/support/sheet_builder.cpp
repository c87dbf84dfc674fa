#include "tests/support/sheet_builder.h"

#include "engine/address.h"

namespace testsupport {

using namespace host::embedded;

TestHost makeHost(const Rows& rows, const std::u16string& version) {
    TestHost t;
    t.app = EmbeddedApplication::create(version);
    t.book = t.app->newBook();
    t.sheet = t.book->activeSheet();
    fill(*t.sheet, rows);
    return t;
}

void fill(Sheet& sheet, const Rows& rows, long row, long col) {
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            if (!rows[r][c].empty())
                sheet.enterText(row + static_cast<long>(r), col + static_cast<long>(c), rows[r][c]);
}

Rows texts(const Sheet& sheet, const std::u16string& address) {
    const Area a = parseAddress(address).front();
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
