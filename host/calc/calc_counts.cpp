#include "host/calc/calc_counts.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include "host/calc/calc_document.h"

namespace host::calc {

namespace {

constexpr size_t kMostKept = 8;             // areas a command counts in at once
constexpr long long kMostCells = 1 << 22;   // an area larger than this is left to Calc
constexpr long long kMostRereadCells = 16;  // a larger write into an index makes it read again

sal_Int16 sheetNumber(const Reference<css::sheet::XSpreadsheet>& sheet) {
    return Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)->getRangeAddress().Sheet;
}

Reference<css::table::XCellRange> rangeAt(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area) {
    return sheet->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1);
}

std::optional<std::u16string> textOf(const css::uno::Any& value) {
    OUString text;
    if (!(value >>= text) || text.isEmpty()) return std::nullopt;
    return fromOU(text);
}

// A cell's text; nothing for a number or an empty cell; a formula makes `formula` true.
std::optional<std::u16string> cellText(const Reference<css::sheet::XSpreadsheet>& sheet, long row, long column,
                                       bool& formula) {
    const Reference<css::table::XCell> cell = sheet->getCellByPosition(column - 1, row - 1);
    const css::table::CellContentType type = cell->getType();
    formula = type == css::table::CellContentType_FORMULA;
    if (type != css::table::CellContentType_TEXT) return std::nullopt;
    return textOf(css::uno::Any(Reference<css::text::XTextRange>(cell, UNO_QUERY_THROW)->getString()));
}

std::optional<bool> propertyOf(const Reference<css::beans::XPropertySet>& properties, const char* name) {
    bool value = false;
    try {
        if (properties->getPropertyValue(OUString::createFromAscii(name)) >>= value) return value;
    } catch (const css::uno::Exception&) {}
    return std::nullopt;
}

}  // namespace

std::optional<double> CountIndexes::count(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area,
                                          const host::Variant& criterion) {
    if (!criterion.isText() || area.cells() > kMostCells) return std::nullopt;
    return unoCall([&]() -> std::optional<double> {
        const sal_Int16 number = sheetNumber(sheet);
        Kept* kept = find(number, area);
        if (!kept) {  // one count does not pay for reading the area
            if (kept_.size() == kMostKept) kept_.erase(kept_.begin());
            kept_.push_back({number, area, std::nullopt});
            return std::nullopt;
        }
        const auto text = plainTextCriterion(criterion.text(), settings(),
                                             [this](std::u16string_view t) { return readsAsNumber(t); });
        if (!text || !kept->indexable) return std::nullopt;
        if (!kept->index) kept->index = read(sheet, area);
        if (!kept->index || !kept->index->usable()) {
            kept->index.reset();
            kept->indexable = false;
            return std::nullopt;
        }
        return kept->index->count(*text);
    });
}

CountIndexes::Kept* CountIndexes::find(sal_Int16 sheet, const Area& area) {
    for (Kept& kept : kept_)
        if (kept.sheet == sheet && kept.area == area) return &kept;
    return nullptr;
}

std::optional<CountIndex> CountIndexes::read(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area) {
    const Reference<css::table::XCellRange> range = rangeAt(sheet, area);
    // A formula's result may change with any edit: such an area stays Calc's to count.
    if (Reference<css::sheet::XCellRangesQuery>(range, UNO_QUERY_THROW)
            ->queryContentCells(css::sheet::CellFlags::FORMULA)
            ->getRangeAddresses()
            .hasElements())
        return std::nullopt;
    const auto rows = Reference<css::sheet::XCellRangeData>(range, UNO_QUERY_THROW)->getDataArray();
    std::vector<std::optional<std::u16string>> texts;
    texts.reserve(static_cast<size_t>(area.cells()));
    for (const auto& row : rows)
        for (const css::uno::Any& value : row) texts.push_back(textOf(value));
    return CountIndex(area.rows(), area.columns(), texts, settings().ignoreCase);
}

void CountIndexes::cellsWritten(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area) {
    if (kept_.empty()) return;
    unoCall([&] {
        const sal_Int16 number = sheetNumber(sheet);
        for (Kept& kept : kept_) {
            const auto written = kept.sheet == number && kept.index ? intersect(kept.area, area) : std::nullopt;
            if (!written) continue;
            if (written->cells() > kMostRereadCells) {
                kept.index.reset();
                continue;
            }
            for (long row = written->top; row <= written->bottom; ++row)
                for (long column = written->left; column <= written->right && kept.index; ++column) {
                    bool formula = false;
                    const auto text = cellText(sheet, row, column, formula);
                    if (formula)
                        kept.index.reset();
                    else
                        kept.index->rewrite(row - kept.area.top, column - kept.area.left, text);
                }
        }
    });
}

void CountIndexes::cellsRemovedUp(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& removed) {
    if (kept_.empty()) return;
    const sal_Int16 number = unoCall([&] { return sheetNumber(sheet); });
    std::erase_if(kept_, [&](Kept& kept) {
        Area& area = kept.area;
        if (kept.sheet != number || removed.left > area.right || removed.right < area.left || removed.top > area.bottom)
            return false;
        if (removed.left > area.left || removed.right < area.right) return true;  // columns torn apart
        const long above = std::max(0L, std::min(removed.bottom, area.top - 1) - removed.top + 1);
        const long first = std::max(removed.top, area.top), last = std::min(removed.bottom, area.bottom);
        const long inside = std::max(0L, last - first + 1);
        if (inside == area.rows()) return true;
        if (kept.index && inside > 0) kept.index->removeRows(first - area.top, last - area.top);
        // As Calc moves a range: rows removed above move it up, rows removed inside shrink it.
        area.top -= above;
        area.bottom -= above + inside;
        return false;
    });
}

const CriterionSettings& CountIndexes::settings() {
    if (!settings_) {
        const Reference<css::beans::XPropertySet> properties(doc_.model(), UNO_QUERY_THROW);
        const auto ignoreCase = propertyOf(properties, "IgnoreCase");
        const auto wholeCell = propertyOf(properties, "MatchWholeCell");
        const auto wildcards = propertyOf(properties, "Wildcards");
        const auto regex = propertyOf(properties, "RegularExpressions");
        // A setting that cannot be read leaves every count to Calc.
        const bool known = ignoreCase && wholeCell && wildcards && regex;
        settings_ = CriterionSettings{.ignoreCase = ignoreCase.value_or(true),
                                      .matchWholeCell = known && *wholeCell,
                                      .wildcards = wildcards.value_or(true),
                                      .regularExpressions = regex.value_or(true)};
    }
    return *settings_;
}

bool CountIndexes::readsAsNumber(std::u16string_view text) {
    try {
        doc_.formatter()->detectNumberFormat(0, toOU(text));
        return true;
    } catch (const css::uno::Exception&) {
        return false;
    }
}

}  // namespace host::calc
