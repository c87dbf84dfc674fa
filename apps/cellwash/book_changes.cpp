#include "apps/cellwash/book_changes.h"

#include <algorithm>
#include <vector>

#include "host/constants.h"
#include "host/text.h"

namespace cli {

using engine::Cell;
using engine::Sheet;

namespace {

struct StoredCell {
    long row;
    const Cell* cell;
};

std::vector<StoredCell> storedCells(const engine::ColumnStore* column) {
    std::vector<StoredCell> cells;
    if (column) {
        cells.reserve(static_cast<size_t>(column->cellCount()));
        column->forEach(1, host::kMaxRows, [&](long row, const Cell& c) {
            cells.push_back({row, &c});
            return true;
        });
    }
    return cells;
}

bool sameCell(const Cell* a, const Cell* b) {
    const Cell empty;
    const Cell& x = a ? *a : empty;
    const Cell& y = b ? *b : empty;
    return x.value == y.value && x.formula() == y.formula() && x.colorIndex == y.colorIndex &&
           (x.comment() ? x.comment()->text : u"") == (y.comment() ? y.comment()->text : u"");
}

// Cells that differ between two states of one column, by a merge of the two row-ordered lists.
long long differingCells(const engine::ColumnStore* before, const engine::ColumnStore* after) {
    if (before == after) return 0;  // still shared copy-on-write: nothing was written
    const auto a = storedCells(before), b = storedCells(after);
    long long n = 0;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        const long rowA = i < a.size() ? a[i].row : host::kMaxRows + 1;
        const long rowB = j < b.size() ? b[j].row : host::kMaxRows + 1;
        const Cell* x = rowA <= rowB ? a[i++].cell : nullptr;
        const Cell* y = rowB <= rowA ? b[j++].cell : nullptr;
        n += sameCell(x, y) ? 0 : 1;
    }
    return n;
}

long long differingCells(const Sheet& before, const Sheet& after) {
    long long n = 0;
    for (long col = 1; col <= std::max(before.columnCount(), after.columnCount()); ++col)
        n += differingCells(before.column(col), after.column(col));
    return n;
}

std::string visibilityNote(int visible) {
    return visible == host::xlSheetVisible ? "" : visible == host::xlSheetHidden ? " (hidden)" : " (very hidden)";
}

}  // namespace

BookPicture::BookPicture(const engine::Book& book) {
    for (const auto& s : book.sheets()) sheets_.push_back({s->name(), s->visible(), s->clone(s->name())});
}

BookPicture::Changes BookPicture::changesIn(const engine::Book& book) const {
    Changes changes;
    for (const auto& before : sheets_) {
        auto now = book.sheetNamed(before.name);
        if (!now || now->name() != before.name) {
            changes.sheets.push_back("removed " + host::utf8(before.name));
            continue;
        }
        if (now->visible() != before.visible)
            changes.sheets.push_back((now->visible() == host::xlSheetVisible ? "shown " : "hid ") +
                                     host::utf8(before.name));
        if (now->type() == host::xlWorksheet) changes.cells += differingCells(*before.copy, *now);
    }
    for (const auto& s : book.sheets()) {
        bool known = false;
        for (const auto& before : sheets_) known = known || before.name == s->name();
        if (!known) changes.sheets.push_back("added " + host::utf8(s->name()) + visibilityNote(s->visible()));
    }
    return changes;
}

}  // namespace cli
