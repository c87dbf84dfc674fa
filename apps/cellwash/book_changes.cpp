#include "apps/cellwash/book_changes.h"

#include <map>

#include "host/constants.h"
#include "host/text.h"

namespace cli {

using engine::Cell;
using engine::Sheet;

namespace {

using CellMap = std::map<std::pair<long, long>, const Cell*>;

CellMap storedCells(const Sheet& sheet) {
    CellMap cells;
    sheet.forEachCell(sheet.usedArea(), [&](long row, long col, const Cell& c) {
        cells[{row, col}] = &c;
        return true;
    });
    return cells;
}

bool sameCell(const Cell* a, const Cell* b) {
    const Cell empty;
    const Cell& x = a ? *a : empty;
    const Cell& y = b ? *b : empty;
    return x.value == y.value && x.formula == y.formula && x.colorIndex == y.colorIndex &&
           (x.comment ? x.comment->text : u"") == (y.comment ? y.comment->text : u"");
}

long long differingCells(const Sheet& before, const Sheet& after) {
    const CellMap a = storedCells(before), b = storedCells(after);
    long long n = 0;
    for (const auto& [at, cell] : a) {
        const auto other = b.find(at);
        n += sameCell(cell, other == b.end() ? nullptr : other->second) ? 0 : 1;
    }
    for (const auto& [at, cell] : b)
        if (!a.count(at)) n += sameCell(nullptr, cell) ? 0 : 1;
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
