#include "apps/cellwash/book_changes.h"

#include <map>

#include "host/constants.h"
#include "host/text.h"

namespace cli {

using host::embedded::Cell;
using host::embedded::Sheet;

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

BookPicture::BookPicture(const host::embedded::Book& book) {
    for (const auto& s : book.sheets()) sheets_.push_back({s->Name(), s->Visible(), s->clone(s->Name())});
}

BookPicture::Changes BookPicture::changesIn(const host::embedded::Book& book) const {
    Changes changes;
    for (const auto& before : sheets_) {
        auto now = book.sheetNamed(before.name);
        if (!now || now->Name() != before.name) {
            changes.sheets.push_back("removed " + host::utf8(before.name));
            continue;
        }
        if (now->Visible() != before.visible)
            changes.sheets.push_back((now->Visible() == host::xlSheetVisible ? "shown " : "hid ") +
                                     host::utf8(before.name));
        if (now->Type() == host::xlWorksheet) changes.cells += differingCells(*before.copy, *now);
    }
    for (const auto& s : book.sheets()) {
        bool known = false;
        for (const auto& before : sheets_) known = known || before.name == s->Name();
        if (!known) changes.sheets.push_back("added " + host::utf8(s->Name()) + visibilityNote(s->Visible()));
    }
    return changes;
}

}  // namespace cli
