#include "host/calc/calc_range.h"
#include "host/calc/calc_drawing.h"
#include "host/calc/calc_validation.h"
#include "host/calc/cell_paste.h"

#include <algorithm>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/CellDeleteMode.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XCellRangeMovement.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRangeContainer.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <limits>

#include "host/calc/calc_worksheet.h"
#include "host/calc/cell_values.h"
#include "host/calc/find_text.h"
#include "host/constants.h"
#include "host/palette.h"

namespace host::calc {

namespace {

namespace CellFlags = css::sheet::CellFlags;
using css::table::CellRangeAddress;

constexpr sal_Int16 kContent = CellFlags::VALUE | CellFlags::DATETIME | CellFlags::STRING | CellFlags::FORMULA;

[[noreturn]] void applicationError() {
    throw host::Error(host::errApplication, "Application-defined or object-defined error");
}

Area areaOf(const CellRangeAddress& address) {
    return {address.StartRow + 1, address.StartColumn + 1, address.EndRow + 1, address.EndColumn + 1};
}

CellRangeAddress rangeAddress(const Reference<css::table::XCellRange>& range) {
    return Reference<css::sheet::XCellRangeAddressable>(range, UNO_QUERY_THROW)->getRangeAddress();
}

bool insideSheet(const Area& area, const SheetSize& size) {
    return area.top >= 1 && area.left >= 1 && area.top <= area.bottom && area.left <= area.right &&
           area.bottom <= size.rows && area.right <= size.columns;
}

// The areas of a Calc query's answer.
std::vector<Area> areasOf(const Reference<css::sheet::XSheetCellRanges>& ranges) {
    std::vector<Area> found;
    if (!ranges.is()) return found;
    for (const CellRangeAddress& address : ranges->getRangeAddresses()) found.push_back(areaOf(address));
    return found;
}

// The cells of `area` on `sheet` that hold something (or nothing, with empty = true).
std::vector<Area> queryCells(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area, bool empty,
                             sal_Int16 flags = kContent) {
    Reference<css::sheet::XCellRangesQuery> query(
        sheet->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1), UNO_QUERY_THROW);
    return areasOf(empty ? query->queryEmptyCells() : query->queryContentCells(flags));
}

// RGB as Calc stores a colour (0xRRGGBB) and the palette's nearest index for it.
int nearestPaletteIndex(sal_Int32 rgb) {
    int best = 1;
    long bestDistance = std::numeric_limits<long>::max();
    for (int index = 1; index <= host::kPaletteSize; ++index) {
        const std::uint32_t colour = host::paletteRgb(index);
        const long dr = static_cast<long>((colour >> 16) & 0xFF) - ((rgb >> 16) & 0xFF);
        const long dg = static_cast<long>((colour >> 8) & 0xFF) - ((rgb >> 8) & 0xFF);
        const long db = static_cast<long>(colour & 0xFF) - (rgb & 0xFF);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) best = index, bestDistance = distance;
    }
    return best;
}

class CalcInterior : public host::Interior {
public:
    explicit CalcInterior(std::shared_ptr<const CalcRange> range) : range_(std::move(range)) {}
    int ColorIndex() const override {
        return unoCall([&] {
            const auto areas = range_->areas();
            Reference<css::beans::XPropertySet> cell(
                range_->sheet()->getCellByPosition(areas.front().left - 1, areas.front().top - 1), UNO_QUERY_THROW);
            sal_Int32 rgb = -1;
            cell->getPropertyValue("CellBackColor") >>= rgb;
            return rgb < 0 ? host::xlColorIndexNone : nearestPaletteIndex(rgb);
        });
    }
    void setColorIndex(int index) override {
        if (index != host::xlColorIndexNone && (index < 1 || index > host::kPaletteSize)) applicationError();
        const sal_Int32 rgb = index == host::xlColorIndexNone ? -1 : static_cast<sal_Int32>(host::paletteRgb(index));
        unoCall([&] {
            const auto sheet = range_->sheet();
            for (const Area& area : range_->areas()) {
                Reference<css::beans::XPropertySet> cells(
                    sheet->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1),
                    UNO_QUERY_THROW);
                cells->setPropertyValue("CellBackColor", css::uno::Any(rgb));
            }
        });
    }

private:
    std::shared_ptr<const CalcRange> range_;
};

class CalcAreas : public host::Areas {
public:
    explicit CalcAreas(std::vector<host::RangePtr> parts) : parts_(std::move(parts)) {}
    long Count() const override { return static_cast<long>(parts_.size()); }
    host::RangePtr Item(long index) const override {
        if (index < 1 || index > Count()) throw host::Error(host::errSubscript, "Subscript out of range");
        return parts_[static_cast<size_t>(index - 1)];
    }

private:
    std::vector<host::RangePtr> parts_;
};

}  // namespace

void notInCalc(const char* member) {
    throw host::Error(host::errNotSupported,
                      std::string("Object doesn't support this property or method (") + member + " in Calc)");
}

CalcRange::CalcRange(CalcDocumentPtr doc, Reference<css::sheet::XSpreadsheet> sheet,
                     std::vector<Reference<css::table::XCellRange>> areas, host::RangeItems items)
    : doc_(std::move(doc)), sheet_(std::move(sheet)), areas_(std::move(areas)), items_(items) {}

std::shared_ptr<CalcRange> CalcRange::make(const CalcDocumentPtr& doc, const Reference<css::sheet::XSpreadsheet>& sheet,
                                           const std::vector<Area>& areas, host::RangeItems items) {
    if (areas.empty()) applicationError();
    std::vector<Reference<css::table::XCellRange>> ranges;
    for (const Area& area : areas) {
        if (!insideSheet(area, doc->size())) applicationError();
        ranges.push_back(unoCall([&] {
            if (area.top == area.bottom && area.left == area.right)
                return Reference<css::table::XCellRange>(sheet->getCellByPosition(area.left - 1, area.top - 1),
                                                         UNO_QUERY_THROW);
            return sheet->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1);
        }));
    }
    return std::make_shared<CalcRange>(doc, sheet, std::move(ranges), items);
}

std::shared_ptr<CalcRange> CalcRange::fromCalc(const CalcDocumentPtr& doc,
                                               const Reference<css::uno::XInterface>& object) {
    return unoCall([&]() -> std::shared_ptr<CalcRange> {
        std::vector<CellRangeAddress> addresses;
        if (Reference<css::sheet::XSheetCellRanges> list{object, UNO_QUERY}; list.is()) {
            for (const auto& address : list->getRangeAddresses()) addresses.push_back(address);
        } else if (Reference<css::sheet::XCellRangeAddressable> one{object, UNO_QUERY}; one.is()) {
            addresses.push_back(one->getRangeAddress());
        }
        if (addresses.empty()) return nullptr;
        const auto sheet = doc->sheetAt(addresses.front().Sheet);
        std::vector<Area> areas;
        for (const auto& address : addresses)
            if (address.Sheet == addresses.front().Sheet) areas.push_back(areaOf(address));
        return make(doc, sheet, areas);
    });
}

std::vector<Area> CalcRange::areas() const {
    return unoCall([&] {
        std::vector<Area> found;
        for (const auto& range : areas_) found.push_back(areaOf(rangeAddress(range)));
        return found;
    });
}

Reference<css::sheet::XSpreadsheet> CalcRange::sheet() const { return sheet_; }

css::uno::Any CalcRange::selectable() const {
    if (areas_.size() == 1) return css::uno::Any(areas_.front());
    return unoCall([&] {
        Reference<css::lang::XMultiServiceFactory> factory(doc_->model(), UNO_QUERY_THROW);
        Reference<css::sheet::XSheetCellRangeContainer> list(
            factory->createInstance("com.sun.star.sheet.SheetCellRanges"), UNO_QUERY_THROW);
        for (const auto& range : areas_) list->addRangeAddress(rangeAddress(range), false);
        return css::uno::Any(list);
    });
}

std::shared_ptr<CalcRange> CalcRange::with(const std::vector<Area>& areas, host::RangeItems items) const {
    return make(doc_, sheet(), areas, items);
}

Area CalcRange::firstArea() const {
    return unoCall([&] { return areaOf(rangeAddress(areas_.front())); });
}

Reference<css::table::XCell> CalcRange::firstCell() const {
    // A one-cell range is held as its cell already.
    if (Reference<css::table::XCell> cell{areas_.front(), UNO_QUERY}; cell.is()) return cell;
    return unoCall([&] { return areas_.front()->getCellByPosition(0, 0); });
}

host::Variant CalcRange::Value() const { return readCell(*doc_, firstCell()); }

void CalcRange::setValue(const host::Variant& value) {
    if (areas_.size() == 1)
        if (Reference<css::table::XCell> cell{areas_.front(), UNO_QUERY}; cell.is()) {
            writeCell(*doc_, cell, value);
            if (!doc_->counts().empty()) doc_->counts().cellsWritten(sheet_, firstArea());
            return;
        }
    for (const auto& range : areas_) {
        const Area area = areaOf(unoCall([&] { return rangeAddress(range); }));
        for (long r = 0; r < area.rows(); ++r)
            for (long c = 0; c < area.columns(); ++c)
                writeCell(*doc_, unoCall([&] { return range->getCellByPosition(c, r); }), value);
        doc_->counts().cellsWritten(sheet_, area);
    }
}

std::u16string CalcRange::Formula() const {
    return unoCall([&] { return fromOU(firstCell()->getFormula()); });
}

void CalcRange::setFormula(const std::u16string& formula) { setValue(host::Variant(formula)); }

bool CalcRange::HasFormula() const {
    return unoCall([&] { return firstCell()->getType() == css::table::CellContentType_FORMULA; });
}

std::u16string CalcRange::Address(bool rowAbsolute, bool columnAbsolute) const {
    std::u16string text;
    for (const Area& area : areas()) {
        if (!text.empty()) text += u",";
        text += areaAddress(area, doc_->size(), rowAbsolute, columnAbsolute);
    }
    return text;
}

long long CalcRange::CountLarge() const {
    const auto all = areas();
    switch (items_) {
    case host::RangeItems::Rows: return all.front().rows();
    case host::RangeItems::Columns: return all.front().columns();
    case host::RangeItems::Cells: break;
    }
    long long cells = 0;
    for (const Area& area : all) cells += area.cells();
    return cells;
}

long CalcRange::Count() const {
    const long long count = CountLarge();
    if (count > std::numeric_limits<std::int32_t>::max()) throw host::Error(host::errOverflow, "Overflow");
    return static_cast<long>(count);
}

host::RangePtr CalcRange::Item(long long index) const {
    const auto all = areas();
    const Area& first = all.front();
    if (items_ == host::RangeItems::Rows) {
        const long row = first.top + static_cast<long>(index) - 1;
        return with({{row, first.left, row, first.right}}, host::RangeItems::Cells);
    }
    if (items_ == host::RangeItems::Columns) {
        const long column = first.left + static_cast<long>(index) - 1;
        return with({{first.top, column, first.bottom, column}}, host::RangeItems::Cells);
    }
    if (index < 1) applicationError();
    long long rest = index - 1;
    for (const Area& area : all) {
        if (rest < area.cells()) {
            const long row = area.top + static_cast<long>(rest / area.columns());
            const long column = area.left + static_cast<long>(rest % area.columns());
            return with({{row, column, row, column}}, host::RangeItems::Cells);
        }
        rest -= area.cells();
    }
    // Past the last cell: the cells below the first area, as the host counts on.
    const long row = first.top + static_cast<long>((index - 1) / first.columns());
    const long column = first.left + static_cast<long>((index - 1) % first.columns());
    return with({{row, column, row, column}}, host::RangeItems::Cells);
}

host::RangePtr CalcRange::Cells(long row, long column) const {
    const Area first = firstArea();
    const long r = first.top + row - 1, c = first.left + column - 1;
    return with({{r, c, r, c}}, host::RangeItems::Cells);
}

host::RangePtr CalcRange::Cells() const { return with(areas(), host::RangeItems::Cells); }
host::RangePtr CalcRange::Rows() const { return with(areas(), host::RangeItems::Rows); }
host::RangePtr CalcRange::Columns() const { return with(areas(), host::RangeItems::Columns); }
long CalcRange::Row() const { return firstArea().top; }
long CalcRange::Column() const { return firstArea().left; }

host::RangePtr CalcRange::EntireRow() const {
    std::vector<Area> rows;
    for (const Area& area : areas()) rows.push_back({area.top, 1, area.bottom, doc_->size().columns});
    return with(rows, host::RangeItems::Rows);
}

host::RangePtr CalcRange::EntireColumn() const {
    std::vector<Area> columns;
    for (const Area& area : areas()) columns.push_back({1, area.left, doc_->size().rows, area.right});
    return with(columns, host::RangeItems::Columns);
}

host::RangePtr CalcRange::Offset(long rows, long columns) const {
    std::vector<Area> moved;
    for (const Area& area : areas())
        moved.push_back({area.top + rows, area.left + columns, area.bottom + rows, area.right + columns});
    return with(moved, host::RangeItems::Cells);
}

host::RangePtr CalcRange::Resize(long rows, long columns) const {
    if (rows < 1 || columns < 1) applicationError();
    const Area first = firstArea();
    return with({{first.top, first.left, first.top + rows - 1, first.left + columns - 1}}, host::RangeItems::Cells);
}

host::RangePtr CalcRange::End(int direction) const {
    const Area first = firstArea();
    const long row = first.top, column = first.left;
    const SheetSize& size = doc_->size();
    const auto sheet = this->sheet();
    long result = 0;
    const bool vertical = direction == host::xlUp || direction == host::xlDown;
    const bool backwards = direction == host::xlUp || direction == host::xlToLeft;
    if (!vertical && direction != host::xlToLeft && direction != host::xlToRight)
        throw host::Error(host::errInvalidCall, "Invalid procedure call or argument");
    const long position = vertical ? row : column;
    const long limit = backwards ? 1 : (vertical ? size.rows : size.columns);
    if (position == limit) return with({{row, column, row, column}}, host::RangeItems::Cells);
    // The cells between this one and the sheet's edge, nearest last or first.
    const Area beyond = vertical
                            ? (backwards ? Area{1, column, row - 1, column} : Area{row + 1, column, size.rows, column})
                            : (backwards ? Area{row, 1, row, column - 1} : Area{row, column + 1, row, size.columns});
    auto startOf = [&](const Area& a) { return vertical ? a.top : a.left; };
    auto endOf = [&](const Area& a) { return vertical ? a.bottom : a.right; };
    unoCall([&] {
        const bool here = !queryCells(sheet, {row, column, row, column}, false).empty();
        const long nextPosition = backwards ? position - 1 : position + 1;
        const Area next =
            vertical ? Area{nextPosition, column, nextPosition, column} : Area{row, nextPosition, row, nextPosition};
        const bool nextFilled = !queryCells(sheet, next, false).empty();
        if (here && nextFilled) {
            // Inside a block: its last filled cell in that direction (before the first gap).
            const auto gaps = queryCells(sheet, beyond, true);
            if (gaps.empty()) {
                result = limit;
            } else if (backwards) {
                long nearestGap = 0;
                for (const Area& gap : gaps) nearestGap = std::max(nearestGap, endOf(gap));
                result = nearestGap + 1;
            } else {
                long nearestGap = limit + 1;
                for (const Area& gap : gaps) nearestGap = std::min(nearestGap, startOf(gap));
                result = nearestGap - 1;
            }
        } else {
            // The next filled cell in that direction, or the sheet's edge.
            const auto filled = queryCells(sheet, beyond, false);
            if (filled.empty()) {
                result = limit;
            } else if (backwards) {
                result = 0;
                for (const Area& block : filled) result = std::max(result, endOf(block));
            } else {
                result = limit;
                for (const Area& block : filled) result = std::min(result, startOf(block));
            }
        }
    });
    const long r = vertical ? result : row, c = vertical ? column : result;
    return with({{r, c, r, c}}, host::RangeItems::Cells);
}

host::AreasPtr CalcRange::Areas() const {
    std::vector<host::RangePtr> parts;
    for (const auto& range : areas_) parts.push_back(std::make_shared<CalcRange>(doc_, sheet_, std::vector{range}));
    return std::make_shared<CalcAreas>(std::move(parts));
}

host::RangePtr CalcRange::SpecialCells(int type) const {
    const auto sheet = this->sheet();
    std::vector<Area> found;
    unoCall([&] {
        if (type == host::xlCellTypeLastCell) {
            const Area used = usedArea(sheet);
            found.push_back({used.bottom, used.right, used.bottom, used.right});
            return;
        }
        const Area used = usedArea(sheet);
        for (const Area& area : areas()) {
            std::vector<Area> part;
            if (type == host::xlCellTypeBlanks) {
                if (const auto inside = intersect(area, used)) part = queryCells(sheet, *inside, true);
            } else if (type == host::xlCellTypeComments) {
                part = queryCells(sheet, area, false, CellFlags::ANNOTATION);
            } else if (type == host::xlCellTypeConstants) {
                part = queryCells(sheet, area, false, CellFlags::VALUE | CellFlags::DATETIME | CellFlags::STRING);
            } else {
                throw host::Error(host::errInvalidCall, "Invalid procedure call or argument");
            }
            found.insert(found.end(), part.begin(), part.end());
        }
    });
    if (found.empty()) throw host::Error(host::errApplication, "No cells were found.");
    return with(found, host::RangeItems::Cells);
}

host::RangePtr CalcRange::Find(const std::u16string& what, int lookIn, int lookAt, int searchOrder, int searchDirection,
                               bool matchCase) const {
    if (lookIn != host::xlValues && lookIn != host::xlFormulas)
        throw host::Error(host::errInvalidCall, "Invalid procedure call or argument");
    const bool whole = lookAt != host::xlPart;
    const bool byColumns = searchOrder == host::xlByColumns;
    const bool backwards = searchDirection == host::xlPrevious;
    const auto sheet = this->sheet();
    // The cells in the order they are examined: area by area, by rows (or columns), only where
    // the sheet holds anything (an empty cell never matches); the range's first cell last, as
    // the search starts after it and wraps.
    struct Candidate {
        long row, column;
        std::u16string text;
    };
    std::vector<Candidate> cells;
    unoCall([&] {
        const Area used = usedArea(sheet);
        for (const Area& area : areas()) {
            const auto inside = intersect(area, used);
            if (!inside) continue;
            Reference<css::table::XCellRange> block =
                sheet->getCellRangeByPosition(inside->left - 1, inside->top - 1, inside->right - 1, inside->bottom - 1);
            css::uno::Sequence<css::uno::Sequence<css::uno::Any>> values;
            css::uno::Sequence<css::uno::Sequence<OUString>> formulas;
            if (lookIn == host::xlFormulas)
                formulas = Reference<css::sheet::XCellRangeFormula>(block, UNO_QUERY_THROW)->getFormulaArray();
            else
                values = Reference<css::sheet::XCellRangeData>(block, UNO_QUERY_THROW)->getDataArray();
            const long rows = inside->rows(), columns = inside->columns();
            const long outer = byColumns ? columns : rows, inner = byColumns ? rows : columns;
            for (long i = 0; i < outer; ++i)
                for (long j = 0; j < inner; ++j) {
                    const long r = byColumns ? j : i, c = byColumns ? i : j;
                    std::u16string text;
                    if (lookIn == host::xlFormulas) {
                        text = fromOU(formulas[r][c]);
                    } else {
                        const css::uno::Any& value = values[r][c];
                        if (value.getValueTypeClass() == css::uno::TypeClass_STRING) {
                            text = fromOU(value.get<OUString>());
                        } else if (value.getValueTypeClass() == css::uno::TypeClass_DOUBLE) {
                            // A number is sought as it is shown.
                            text = fromOU(Reference<css::text::XText>(
                                              sheet->getCellByPosition(inside->left - 1 + c, inside->top - 1 + r),
                                              UNO_QUERY_THROW)
                                              ->getString());
                        }
                    }
                    if (!text.empty()) cells.push_back({inside->top + r, inside->left + c, std::move(text)});
                }
        }
    });
    if (backwards) std::reverse(cells.begin(), cells.end());
    const Area first = firstArea();
    const Candidate* startCell = nullptr;
    for (const Candidate& cell : cells) {
        if (!findMatches(cell.text, what, whole, matchCase)) continue;
        if (cell.row == first.top && cell.column == first.left) {
            startCell = &cell;
            continue;
        }
        return with({{cell.row, cell.column, cell.row, cell.column}}, host::RangeItems::Cells);
    }
    if (startCell) return with({{first.top, first.left, first.top, first.left}}, host::RangeItems::Cells);
    return nullptr;
}

host::WorksheetPtr CalcRange::Worksheet() const { return makeWorksheet(doc_, sheet()); }

void CalcRange::Delete(std::optional<int> shift) {
    const SheetSize& size = doc_->size();
    unoCall([&] {
        Reference<css::sheet::XCellRangeMovement> movement(sheet(), UNO_QUERY_THROW);
        // Calc moves each remaining area's object along with the deletion of the one before.
        for (const auto& range : areas_) {
            const CellRangeAddress address = rangeAddress(range);
            const Area area = areaOf(address);
            int how = shift.value_or(area.columns() >= area.rows() ? host::xlShiftUp : host::xlShiftToLeft);
            css::sheet::CellDeleteMode mode =
                how == host::xlShiftUp ? css::sheet::CellDeleteMode_UP : css::sheet::CellDeleteMode_LEFT;
            if (how != host::xlShiftUp && how != host::xlShiftToLeft)
                throw host::Error(host::errApplication, "Delete method of Range class failed");
            if (area.left == 1 && area.right == size.columns)
                mode = css::sheet::CellDeleteMode_ROWS;
            else if (area.top == 1 && area.bottom == size.rows)
                mode = css::sheet::CellDeleteMode_COLUMNS;
            movement->removeRange(address, mode);
            if (mode == css::sheet::CellDeleteMode_UP || mode == css::sheet::CellDeleteMode_ROWS)
                doc_->counts().cellsRemovedUp(sheet_, area);
            else
                doc_->counts().forget();
        }
    });
}

void CalcRange::clear(sal_Int32 flags) {
    unoCall([&] {
        for (const auto& range : areas_) {
            Reference<css::sheet::XSheetOperation>(range, UNO_QUERY_THROW)->clearContents(flags);
            if (flags & kContent) doc_->counts().cellsWritten(sheet_, areaOf(rangeAddress(range)));
        }
    });
}

void CalcRange::ClearContents() { clear(kContent); }
void CalcRange::ClearComments() { clear(CellFlags::ANNOTATION); }

void CalcRange::Select() {
    unoCall([&] {
        const auto view = doc_->view();
        if (!view.is() || doc_->indexOf(view->getActiveSheet()) != rangeAddress(areas_.front()).Sheet)
            throw host::Error(host::errApplication, "Select method of Range class failed");
        doc_->forgetSelection(rangeAddress(areas_.front()).Sheet);
        Reference<css::view::XSelectionSupplier>(view, UNO_QUERY_THROW)->select(selectable());
    });
}

void CalcRange::Activate() { Select(); }

void CalcRange::Copy() {
    if (areas_.size() != 1) throw host::Error(host::errApplication, "Copy method of Range class failed");
    doc_->copied() = {sheet_, areas_.front()};
}

void CalcRange::PasteSpecial(int paste, int, bool skipBlanks, bool transpose) {
    const CalcDocument::Copied copied = doc_->copied();
    if (!copied.range.is()) throw host::Error(host::errApplication, "PasteSpecial method of Range class failed");
    const Area source = areaOf(unoCall([&] { return rangeAddress(copied.range); }));
    const Area top = firstArea();
    const Area written = pasteCells(copied.sheet, source, sheet_, top.top, top.left, doc_->size(),
                                    {paste == host::xlPasteValues, skipBlanks, transpose});
    doc_->counts().cellsWritten(sheet_, written);
}

host::InteriorPtr CalcRange::Interior() const { return std::make_shared<CalcInterior>(shared_from_this()); }
host::ValidationPtr CalcRange::Validation() const { return makeValidation(shared_from_this()); }
host::CommentPtr CalcRange::Comment() const {
    const Area first = firstArea();
    return makeCellComment(doc_, sheet(), first.top, first.left);
}
host::CommentPtr CalcRange::AddComment(const std::u16string&) { notInCalc("Range.AddComment"); }

}  // namespace host::calc
