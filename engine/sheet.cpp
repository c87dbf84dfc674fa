#include "engine/sheet.h"

#include <algorithm>
#include <queue>

#include "engine/area_ops.h"
#include "engine/book.h"
#include "engine/criteria.h"
#include "engine/sheet_formula_context.h"
#include "engine/typed_input.h"
#include "host/constants.h"
#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

namespace {

void checkCell(long row, long col) {
    if (row < 1 || row > kMaxRows || col < 1 || col > kMaxColumns)
        throw Error(errApplication, "Application-defined or object-defined error");
}

}  // namespace

Sheet::Sheet(std::weak_ptr<Book> book, std::u16string name, int type)
    : book_(std::move(book)), name_(std::move(name)), type_(type) {}

std::shared_ptr<Sheet> Sheet::clone(const std::u16string& newName) const {
    auto copy = std::make_shared<Sheet>(book_, newName, type_);
    copy->columns_ = columns_;  // shared until either side writes
    copy->drawings_ = drawings_;
    copy->validations_ = validations_;
    copy->selection_ = selection_;
    copy->activeRow_ = activeRow_;
    copy->activeCol_ = activeCol_;
    copy->visible_ = xlSheetVisible;
    copy->fileData = fileData;
    copy->edits_ = edits_;  // what the file data was read before still has to be replayed
    return copy;
}

// ---- cells ----

void Sheet::noteRefusedWrite(long row, long col, const std::string& reason) {
    if (refusedWrites_.count++ == 0) refusedWrites_ = {1, row, col, reason};
}

const ColumnStore* Sheet::column(long col) const {
    if (col < 1 || col > columnCount()) return nullptr;
    return columns_[col - 1].get();
}

ColumnStore& Sheet::mutableColumn(long col) {
    if (col > columnCount()) columns_.resize(col);
    auto& slot = columns_[col - 1];
    if (!slot)
        slot = std::make_shared<ColumnStore>();
    else if (slot.use_count() > 1)
        slot = std::make_shared<ColumnStore>(*slot);  // copy on write
    return *slot;
}

const Cell* Sheet::cell(long row, long col) const {
    const ColumnStore* c = column(col);
    return c ? c->find(row) : nullptr;
}

Variant Sheet::valueAt(long row, long col) const {
    const Cell* c = cell(row, col);
    return c ? c->value : Variant();
}

void Sheet::setCell(long row, long col, Cell value) {
    checkCell(row, col);
    // Nothing written over nothing, as a tool clearing the empty cells of a column does at
    // every row: no copy of a column the undo snapshot shares.
    if (value.isVoid() && !cell(row, col)) return;
    mutableColumn(col).set(row, std::move(value));
}

void Sheet::appendCells(long col, std::vector<ColumnStore::RowCell>&& cells) {
    for (const auto& c : cells) checkCell(c.row, col);
    if (!cells.empty()) mutableColumn(col).append(std::move(cells));
}

void Sheet::eraseCell(long row, long col) {
    if (column(col)) mutableColumn(col).erase(row);
}

void Sheet::enterText(long row, long col, std::u16string_view text) {
    checkCell(row, col);
    enterTyped(row, col, parseTypedInput(text, currentYear()));
}

void Sheet::enterTyped(long row, long col, const TypedInput& input) {
    Cell updated = cell(row, col) ? *cell(row, col) : Cell{};
    updated.clearFormula();
    updated.value = Variant();
    if (input.kind == TypedInput::Kind::Value) {
        updated.value = input.value;
    } else if (input.kind == TypedInput::Kind::Formula) {
        const Formula formula = Formula::parse(input.formula);
        updated.setFormula(input.formula);
        updated.value = formula.evaluate(SheetFormulaContext(*this));
    }
    setCell(row, col, std::move(updated));
}

void Sheet::setValueAt(long row, long col, const Variant& value) {
    if (value.isText()) {
        checkCell(row, col);
        enterTyped(row, col, parseTypedValue(value, currentYear()));
        return;
    }
    checkCell(row, col);
    Cell updated = cell(row, col) ? *cell(row, col) : Cell{};
    updated.clearFormula();
    updated.value = value;
    setCell(row, col, std::move(updated));
}

bool Sheet::forEachCell(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const {
    const long lastCol = std::min(area.col2, columnCount());
    for (long col = area.col1; col <= lastCol; ++col) {
        const ColumnStore* c = column(col);
        if (!c) continue;
        const bool more =
            c->forEach(area.row1, area.row2, [&](long row, const Cell& cell) { return fn(row, col, cell); });
        if (!more) return false;
    }
    return true;
}

void Sheet::forEachCellByRows(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const {
    // Each column's cells come in row order; merging them gives the host's row-by-row order.
    // The merge goes a block of rows at a time, so that what it holds stays small on a sheet
    // of a million rows (a save walks every cell this way).
    constexpr long kBlockRows = 1 << 16;
    for (long first = area.row1; first <= area.row2; first += kBlockRows) {
        const long last = std::min(area.row2, first + kBlockRows - 1);
        if (!forEachCellByRowsIn({first, area.col1, last, area.col2}, fn)) return;
    }
}

bool Sheet::forEachCellByRowsIn(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const {
    struct Hit {
        long row;
        const Cell* cell;
    };
    std::vector<std::pair<long, std::vector<Hit>>> columns;
    const long lastCol = std::min(area.col2, columnCount());
    for (long col = area.col1; col <= lastCol; ++col) {
        std::vector<Hit> hits;
        if (const ColumnStore* c = column(col))
            c->forEach(area.row1, area.row2, [&](long row, const Cell& cell) {
                hits.push_back({row, &cell});
                return true;
            });
        if (!hits.empty()) columns.emplace_back(col, std::move(hits));
    }
    using Cursor = std::pair<long, size_t>;  // (row, index into columns); ties go left to right
    std::priority_queue<Cursor, std::vector<Cursor>, std::greater<>> next;
    std::vector<size_t> position(columns.size(), 0);
    for (size_t i = 0; i < columns.size(); ++i) next.push({columns[i].second.front().row, i});
    while (!next.empty()) {
        const size_t i = next.top().second;
        next.pop();
        const Hit& hit = columns[i].second[position[i]];
        if (!fn(hit.row, columns[i].first, *hit.cell)) return false;
        if (++position[i] < columns[i].second.size()) next.push({columns[i].second[position[i]].row, i});
    }
    return true;
}

void Sheet::dropIndexes() const {
    for (const auto& c : columns_)
        if (c) c->dropIndexes();
}

double Sheet::countIf(const Area& area, const Variant& criterion) const {
    const Criterion parsed = Criterion::parse(criterion);
    double n = 0;
    const long lastCol = std::min(area.col2, columnCount());
    for (long col = area.col1; col <= lastCol; ++col) {
        if (const ColumnStore* c = column(col)) n += c->countIf(area.row1, area.row2, parsed);
    }
    // Columns that hold nothing at all: every cell is truly empty.
    const long emptyColumns = (area.col2 - area.col1 + 1) -
                              std::count_if(columns_.begin() + std::min(area.col1 - 1, columnCount()),
                                            columns_.begin() + lastCol, [](const auto& c) { return c != nullptr; });
    if (emptyColumns > 0 && parsed.matches(Variant()))
        n += static_cast<double>(emptyColumns) * (area.row2 - area.row1 + 1);
    return n;
}

double Sheet::countA(const Area& area) const {
    double n = 0;
    const long lastCol = std::min(area.col2, columnCount());
    for (long col = area.col1; col <= lastCol; ++col)
        if (const ColumnStore* c = column(col)) n += c->countContent(area.row1, area.row2);
    return n;
}

bool Sheet::isEmptyArea(const Area& area) const { return countA(area) == 0; }

std::optional<Area> Sheet::cellsArea() const {
    long row1 = 0, row2 = 0, col1 = 0, col2 = 0;
    for (long col = 1; col <= columnCount(); ++col) {
        const ColumnStore* c = column(col);
        if (!c || c->cellCount() == 0) continue;
        if (col1 == 0) col1 = col;
        col2 = col;
        row1 = row1 == 0 ? c->firstRow() : std::min(row1, c->firstRow());
        row2 = std::max(row2, c->lastRow());
    }
    if (col1 == 0) return std::nullopt;
    return Area{row1, col1, row2, col2};
}

Area Sheet::usedArea() const {
    std::optional<Area> used = cellsArea();
    for (const auto& rule : validations_)
        for (const Area& a : rule.areas)
            used = used ? Area{std::min(used->row1, a.row1), std::min(used->col1, a.col1), std::max(used->row2, a.row2),
                               std::max(used->col2, a.col2)}
                        : a;
    return used.value_or(Area{1, 1, 1, 1});
}

// ---- structure ----

// Formulas of cells and rules refer to cells by position: after a deletion they are rewritten
// to keep pointing at the same cells (or #REF!), and the cells' values follow.
void Sheet::rewriteFormulas(const StructuralEdit& edit) {
    for (long col = 1; col <= columnCount(); ++col) {
        const ColumnStore* c = column(col);
        if (!c || c->formulaCount() == 0) continue;
        std::vector<std::pair<long, std::u16string>> rewritten;
        c->forEach(1, kMaxRows, [&](long row, const Cell& cell) {
            if (!cell.formula().empty()) rewritten.emplace_back(row, Formula::parse(cell.formula()).textAfter(edit));
            return true;
        });
        for (auto& [row, text] : rewritten) {
            Cell updated = *cell(row, col);
            updated.setFormula(std::move(text));
            updated.value = Formula::parse(updated.formula()).evaluate(SheetFormulaContext(*this));
            setCell(row, col, std::move(updated));
        }
    }
    for (auto& rule : validations_)
        if (rule.type == xlValidateCustom) rule.formula1 = Formula::parse(rule.formula1).textAfter(edit, true);
}

void Sheet::logEdit(StructuralEdit edit) {
    rewriteFormulas(edit);
    for (auto& rule : validations_) {
        std::vector<Area> kept;
        for (const Area& a : rule.areas)
            if (auto moved = engine::follow(a, edit)) kept.push_back(*moved);
        rule.areas = std::move(kept);
        followPoint(rule.anchorRow, rule.anchorCol, edit);
    }
    std::erase_if(validations_, [](const ValidationRule& r) { return r.areas.empty(); });
    edits_.add(edit);
}

void Sheet::deleteCells(const Area& area, int shift) {
    requireWorksheet();
    if (shift == xlShiftUp) {
        const long lastCol = std::min(area.col2, columnCount());
        for (long col = area.col1; col <= lastCol; ++col)
            if (column(col)) mutableColumn(col).deleteRows(area.row1, area.row2 - area.row1 + 1);
        logEdit({StructuralEdit::Kind::ShiftUp, area});
        return;
    }
    const long width = area.col2 - area.col1 + 1;
    if (isWholeColumns(area)) {
        if (area.col1 <= columnCount())
            columns_.erase(columns_.begin() + (area.col1 - 1), columns_.begin() + std::min(area.col2, columnCount()));
    } else {
        for (long col = area.col1; col <= columnCount(); ++col) {
            std::vector<std::pair<long, Cell>> moving;
            if (const ColumnStore* source = column(col + width)) {
                source->forEach(area.row1, area.row2, [&](long row, const Cell& c) {
                    moving.emplace_back(row, c);
                    return true;
                });
            }
            if (column(col)) {
                std::vector<long> rows;
                column(col)->forEach(area.row1, area.row2, [&](long row, const Cell&) {
                    rows.push_back(row);
                    return true;
                });
                for (long row : rows) mutableColumn(col).erase(row);
            }
            for (auto& [row, c] : moving) mutableColumn(col).set(row, std::move(c));
        }
    }
    logEdit({StructuralEdit::Kind::ShiftLeft, area});
}

void Sheet::follow(std::vector<Area>& areas, size_t& seq) const { edits_.replay(areas, seq); }

// ---- validation ----

const ValidationRule* Sheet::validationAt(long row, long col) const {
    for (const auto& rule : validations_)
        for (const Area& a : rule.areas)
            if (contains(a, row, col)) return &rule;
    return nullptr;
}

void Sheet::removeValidation(const Area& area) {
    for (auto& rule : validations_) {
        std::vector<Area> kept;
        for (const Area& a : rule.areas)
            for (const Area& part : subtract(a, area)) kept.push_back(part);
        rule.areas = std::move(kept);
    }
    std::erase_if(validations_, [](const ValidationRule& r) { return r.areas.empty(); });
}

// ---- selection ----

void Sheet::setSelection(std::vector<Area> areas, long activeRow, long activeCol) {
    selection_ = std::move(areas);
    activeRow_ = activeRow;
    activeCol_ = activeCol;
}

// ---- name, visibility, place ----

void Sheet::requireLive() const {
    if (deleted_) throw Error(errObjectRequired, "Object required");
}

void Sheet::requireWorksheet() const {
    requireLive();
    if (type_ != xlWorksheet) throw Error(errNotSupported, "Object doesn't support this property or method");
}

void Sheet::setName(const std::u16string& name) {
    if (auto owner = book()) owner->checkSheetName(name, this);
    name_ = name;
}

void Sheet::setVisible(int visibility) {
    if (visibility == 1) visibility = xlSheetVisible;  // True
    if (visibility != xlSheetVisible && visibility != xlSheetHidden && visibility != xlSheetVeryHidden)
        throw Error(errApplication, "Unable to set the Visible property of the Worksheet class");
    auto owner = book();
    if (visibility != xlSheetVisible && visible_ == xlSheetVisible && owner && owner->visibleCount() <= 1)
        throw Error(errApplication, "Unable to set the Visible property of the Worksheet class");
    visible_ = visibility;
    if (owner && visible_ != xlSheetVisible && owner->activeSheet().get() == this) {
        for (const auto& s : owner->sheets())
            if (s->visible_ == xlSheetVisible) {
                owner->setActiveSheet(s);
                break;
            }
    }
}

long Sheet::index() const {
    auto owner = book();
    return owner ? owner->indexOf(this) : 0;
}

}  // namespace engine
