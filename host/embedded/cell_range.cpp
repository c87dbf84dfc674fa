#include "host/embedded/cell_range.h"

#include <algorithm>
#include <limits>

#include "engine/area_ops.h"
#include "engine/book.h"
#include "engine/cell_paste.h"
#include "engine/cell_search.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/embedded/range_objects.h"
#include "host/error.h"

namespace host::embedded {

using namespace engine;

namespace {

[[noreturn]] void failRange(const char* what) {
    throw Error(errApplication, std::string(what) + " method of Range class failed");
}

long rowsOf(const Area& a) { return a.row2 - a.row1 + 1; }
long colsOf(const Area& a) { return a.col2 - a.col1 + 1; }

Area checkedArea(long row1, long col1, long row2, long col2) {
    const Area a{row1, col1, row2, col2};
    if (row2 < row1 || col2 < col1 || !isInsideSheet(a))
        throw Error(errApplication, "Application-defined or object-defined error");
    return a;
}

}  // namespace

std::shared_ptr<CellRange> asCellRange(const RangePtr& range) {
    auto ours = std::dynamic_pointer_cast<CellRange>(range);
    if (!ours) throw Error(errObjectRequired, "Object required");
    return ours;
}

CellRange::CellRange(EmbeddedWorksheetPtr worksheet, std::vector<Area> areas, RangeItems items)
    : worksheet_(std::move(worksheet)),
      sheet_(&worksheet_->model()),
      areas_(std::move(areas)),
      seq_(sheet_->editCount()),
      items_(items) {
    if (areas_.empty()) throw Error(errObjectRequired, "Object required");
}

const std::vector<Area>& CellRange::areas() const {
    sheet_->requireLive();
    sheet_->follow(areas_, seq_);
    if (areas_.empty()) throw Error(errObjectRequired, "Object required");
    return areas_;
}

RangePtr CellRange::make(std::vector<Area> areas, RangeItems items) const {
    return std::make_shared<CellRange>(worksheet_, std::move(areas), items);
}

void CellRange::forEachPosition(const std::function<bool(long, long)>& fn) const {
    for (const Area& a : areas())
        for (long row = a.row1; row <= a.row2; ++row)
            for (long col = a.col1; col <= a.col2; ++col)
                if (!fn(row, col)) return;
}

// ---- values ----

Variant CellRange::Value() const {
    const Area& a = firstArea();
    return sheet_->valueAt(a.row1, a.col1);
}

// One walk down each column of the first area, instead of a cell found per value.
ValueArray CellRange::Values() const {
    const Area& a = firstArea();
    ValueArray array = ValueArray::sized(rowsOf(a), colsOf(a));
    sheet_->forEachCell(a, [&](long row, long col, const Cell& c) {
        array.values[(row - a.row1) * array.columns + (col - a.col1)] = c.value;
        return true;
    });
    return array;
}

void CellRange::setValue(const Variant& value) {
    if (value.isEmpty()) {
        ClearContents();
        return;
    }
    forEachPosition([&](long row, long col) {
        try {
            sheet_->setValueAt(row, col, value);
        } catch (const host::Error& e) {
            sheet_->noteRefusedWrite(row, col, e.description());
            throw;
        }
        return true;
    });
}

std::u16string CellRange::Formula() const {
    const Area& a = firstArea();
    const Cell* c = sheet_->cell(a.row1, a.col1);
    if (!c) return u"";
    if (!c->formula().empty()) return c->formula();
    return c->value.isError() ? c->value.errorText() : c->value.toText();
}

void CellRange::setFormula(const std::u16string& formula) { setValue(Variant(formula)); }

bool CellRange::HasFormula() const {
    const Area& a = firstArea();
    const Cell* c = sheet_->cell(a.row1, a.col1);
    return c && !c->formula().empty();
}

void CellRange::ClearContents() {
    for (const Area& a : std::vector<Area>(areas())) {
        std::vector<std::pair<long, long>> filled;
        sheet_->forEachCell(a, [&](long row, long col, const Cell& c) {
            if (c.hasContent()) filled.emplace_back(row, col);
            return true;
        });
        for (auto [row, col] : filled) clearContentsAt(row, col);
    }
}

// The value and formula go; the fill, format and comment stay.
void CellRange::clearContentsAt(long row, long col) {
    const Cell* c = sheet_->cell(row, col);
    if (!c || !c->hasContent()) return;
    Cell kept = *c;
    kept.value = Variant();
    kept.clearFormula();
    sheet_->setCell(row, col, std::move(kept));
}

void CellRange::ClearComments() {
    for (const Area& a : std::vector<Area>(areas())) {
        std::vector<std::pair<long, long>> noted;
        sheet_->forEachCell(a, [&](long row, long col, const Cell& c) {
            if (c.comment()) noted.emplace_back(row, col);
            return true;
        });
        for (auto [row, col] : noted) {
            Cell kept = *sheet_->cell(row, col);
            kept.clearComment();
            sheet_->setCell(row, col, std::move(kept));
        }
    }
}

// ---- shape and enumeration ----

std::u16string CellRange::Address(bool rowAbsolute, bool columnAbsolute) const {
    return formatAddress(areas(), rowAbsolute, columnAbsolute);
}

long long CellRange::CountLarge() const {
    const auto& all = areas();
    switch (items_) {
    case RangeItems::Rows: return rowsOf(all.front());
    case RangeItems::Columns: return colsOf(all.front());
    case RangeItems::Cells: break;
    }
    long long n = 0;
    for (const Area& a : all) n += cellCount(a);
    return n;
}

long CellRange::Count() const {
    const long long n = CountLarge();
    if (n > std::numeric_limits<std::int32_t>::max()) throw Error(errOverflow, "Overflow");
    return static_cast<long>(n);
}

RangePtr CellRange::Item(long long index) const {
    const auto& all = areas();
    const Area& first = all.front();
    if (items_ == RangeItems::Rows) {
        const long row = first.row1 + static_cast<long>(index) - 1;
        return make({checkedArea(row, first.col1, row, first.col2)});
    }
    if (items_ == RangeItems::Columns) {
        const long col = first.col1 + static_cast<long>(index) - 1;
        return make({checkedArea(first.row1, col, first.row2, col)});
    }
    if (index < 1) throw Error(errApplication, "Application-defined or object-defined error");
    long long rest = index - 1;
    for (const Area& a : all) {
        if (rest < cellCount(a)) {
            const long row = a.row1 + static_cast<long>(rest / colsOf(a));
            const long col = a.col1 + static_cast<long>(rest % colsOf(a));
            return make({Area{row, col, row, col}});
        }
        rest -= cellCount(a);
    }
    // Beyond the last cell the host keeps counting down the first area's columns.
    const long row = first.row1 + static_cast<long>((index - 1) / colsOf(first));
    const long col = first.col1 + static_cast<long>((index - 1) % colsOf(first));
    return make({checkedArea(row, col, row, col)});
}

RangePtr CellRange::Cells(long row, long column) const {
    const Area& a = firstArea();
    const long r = a.row1 + row - 1, c = a.col1 + column - 1;
    return make({checkedArea(r, c, r, c)});
}

RangePtr CellRange::Cells() const { return make(areas()); }
RangePtr CellRange::Rows() const { return make(areas(), RangeItems::Rows); }
RangePtr CellRange::Columns() const { return make(areas(), RangeItems::Columns); }

RangePtr CellRange::EntireRow() const {
    std::vector<Area> rows;
    for (const Area& a : areas()) rows.push_back({a.row1, 1, a.row2, kMaxColumns});
    return make(std::move(rows), RangeItems::Rows);
}

RangePtr CellRange::EntireColumn() const {
    std::vector<Area> cols;
    for (const Area& a : areas()) cols.push_back({1, a.col1, kMaxRows, a.col2});
    return make(std::move(cols), RangeItems::Columns);
}

RangePtr CellRange::Offset(long rows, long columns) const {
    std::vector<Area> moved;
    for (const Area& a : areas())
        moved.push_back(checkedArea(a.row1 + rows, a.col1 + columns, a.row2 + rows, a.col2 + columns));
    return make(std::move(moved));
}

RangePtr CellRange::Resize(long rows, long columns) const {
    if (rows < 1 || columns < 1) throw Error(errApplication, "Application-defined or object-defined error");
    const Area& a = firstArea();
    return make({checkedArea(a.row1, a.col1, a.row1 + rows - 1, a.col1 + columns - 1)});
}

AreasPtr CellRange::Areas() const {
    std::vector<RangePtr> parts;
    for (const Area& a : areas()) parts.push_back(make({a}));
    return std::make_shared<AreaList>(std::move(parts));
}

// ---- navigation ----

RangePtr CellRange::End(int direction) const {
    const Area& a = firstArea();
    long row = a.row1, col = a.col1;
    long dr = 0, dc = 0, limitRow = row, limitCol = col;
    switch (direction) {
    case xlUp: dr = -1, limitRow = 1; break;
    case xlDown: dr = 1, limitRow = kMaxRows; break;
    case xlToLeft: dc = -1, limitCol = 1; break;
    case xlToRight: dc = 1, limitCol = kMaxColumns; break;
    default: throw Error(errInvalidCall, "Invalid procedure call or argument");
    }
    auto filled = [&](long r, long c) {
        const Cell* cell = sheet_->cell(r, c);
        return cell && cell->hasContent();
    };
    auto atLimit = [&](long r, long c) { return (dr && r == limitRow) || (dc && c == limitCol); };
    if (atLimit(row, col)) return make({Area{row, col, row, col}});
    if (filled(row, col) && filled(row + dr, col + dc)) {
        // Inside a block: its last filled cell in that direction.
        while (!atLimit(row, col) && filled(row + dr, col + dc)) row += dr, col += dc;
    } else {
        // Next filled cell in that direction, or the sheet's edge.
        do {
            row += dr, col += dc;
        } while (!atLimit(row, col) && !filled(row, col));
    }
    return make({Area{row, col, row, col}});
}

RangePtr CellRange::SpecialCells(int type) const {
    std::vector<Area> found;
    if (type == xlCellTypeLastCell) {
        const Area used = sheet_->usedArea();
        found.push_back({used.row2, used.col2, used.row2, used.col2});
    } else if (type == xlCellTypeBlanks) {
        found = blankCells(*sheet_, areas());
    } else if (type == xlCellTypeComments) {
        found = commentCells(*sheet_, areas());
    } else if (type == xlCellTypeConstants) {
        found = constantCells(*sheet_, areas());
    } else {
        throw Error(errInvalidCall, "Invalid procedure call or argument");
    }
    if (found.empty()) throw Error(errApplication, "No cells were found.");
    return make(std::move(found));
}

RangePtr CellRange::Find(const std::u16string& what, int lookIn, int lookAt, int searchOrder, int searchDirection,
                         bool matchCase) const {
    const auto hit = findCell(*sheet_, areas(), what, {lookIn, lookAt, searchOrder, searchDirection, matchCase});
    if (!hit) return nullptr;
    return make({Area{hit->first, hit->second, hit->first, hit->second}});
}

// ---- structure ----

void CellRange::Delete(std::optional<int> shift) {
    std::vector<Area> pending = areas();
    size_t seq = sheet_->editCount();
    while (!pending.empty()) {
        const Area a = pending.front();
        pending.erase(pending.begin());
        // Whole rows always go up and whole columns left: the host ignores Shift for them.
        int how = shift.value_or(colsOf(a) >= rowsOf(a) ? xlShiftUp : xlShiftToLeft);
        if (isWholeRows(a))
            how = xlShiftUp;
        else if (isWholeColumns(a))
            how = xlShiftToLeft;
        if (how != xlShiftUp && how != xlShiftToLeft) failRange("Delete");
        sheet_->deleteCells(a, how);
        sheet_->follow(pending, seq);
    }
}

void CellRange::Select() {
    auto book = sheet_->book();
    if (!book || book->activeSheet().get() != sheet_) failRange("Select");
    const Area& a = firstArea();
    sheet_->setSelection(areas(), a.row1, a.col1);
}

void CellRange::Activate() {
    auto book = sheet_->book();
    if (!book || book->activeSheet().get() != sheet_) failRange("Activate");
    const Area& a = firstArea();
    for (const Area& s : sheet_->selection())
        if (contains(s, a.row1, a.col1)) {
            sheet_->setSelection(sheet_->selection(), a.row1, a.col1);
            return;
        }
    sheet_->setSelection({a}, a.row1, a.col1);
}

void CellRange::Copy() {
    auto app = worksheet_->app();
    if (!app || !sheet_->book() || areas().size() != 1) failRange("Copy");
    app->clipboard() = {worksheet_->sheet(), firstArea()};
}

void CellRange::PasteSpecial(int paste, int operation, bool skipBlanks, bool transpose) {
    (void)operation;
    auto app = worksheet_->app();
    if (!app || !sheet_->book() || !app->clipboard().sheet) failRange("PasteSpecial");
    const auto& clip = app->clipboard();
    pasteCells(*clip.sheet, clip.area, *sheet_, firstArea().row1, firstArea().col1,
               {paste == xlPasteValues, skipBlanks, transpose});
}

// ---- attached objects ----

InteriorPtr CellRange::Interior() const {
    return std::make_shared<RangeInterior>(std::const_pointer_cast<CellRange>(shared_from_this()));
}

ValidationPtr CellRange::Validation() const {
    return std::make_shared<RangeValidation>(std::const_pointer_cast<CellRange>(shared_from_this()));
}

CommentPtr CellRange::Comment() const {
    const Area& a = firstArea();
    const Cell* c = sheet_->cell(a.row1, a.col1);
    if (!c || !c->comment()) return nullptr;
    return std::make_shared<CellComment>(worksheet_, a.row1, a.col1);
}

CommentPtr CellRange::AddComment(const std::u16string& text) {
    const Area& a = firstArea();
    Cell updated = sheet_->cell(a.row1, a.col1) ? *sheet_->cell(a.row1, a.col1) : Cell{};
    if (updated.comment()) failRange("AddComment");
    updated.setComment(CommentData{text, u""});
    sheet_->setCell(a.row1, a.col1, std::move(updated));
    return Comment();
}

}  // namespace host::embedded
