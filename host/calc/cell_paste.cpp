#include "host/calc/cell_paste.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <iterator>
#include <vector>

namespace host::calc {

namespace {

using Row = css::uno::Sequence<css::uno::Any>;

// A cell's formats as a paste carries them: its style, then what was set on the cell itself.
css::uno::Sequence<OUString> formatNames() {
    static const OUString names[] = {"CellStyle",    "NumberFormat",  "CellBackColor", "IsCellBackgroundTransparent",
                                     "CharColor",    "CharFontName",  "CharHeight",    "CharWeight",
                                     "CharPosture",  "CharUnderline", "HoriJustify",   "VertJustify",
                                     "IsTextWrapped"};
    return css::uno::Sequence<OUString>(names, static_cast<sal_Int32>(std::size(names)));
}

Reference<css::table::XCellRange> rangeAt(const Reference<css::sheet::XSpreadsheet>& sheet, const Area& area) {
    return sheet->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1);
}

Reference<css::beans::XMultiPropertySet> cellAt(const Reference<css::sheet::XSpreadsheet>& sheet, long row,
                                                long column) {
    return {sheet->getCellByPosition(column - 1, row - 1), UNO_QUERY_THROW};
}

css::uno::Sequence<Row> oneCell(const css::uno::Any& value) {
    css::uno::Sequence<Row> block(1);
    block.getArray()[0] = Row(&value, 1);
    return block;
}

bool isBlank(const css::uno::Any& value) {
    OUString text;
    return (value >>= text) && text.isEmpty();
}

}  // namespace

Area pasteCells(const Reference<css::sheet::XSpreadsheet>& from, const Area& source,
                const Reference<css::sheet::XSpreadsheet>& to, long row, long column, const SheetSize& size,
                const PasteOptions& options) {
    const long rows = options.transpose ? source.columns() : source.rows();
    const long columns = options.transpose ? source.rows() : source.columns();
    const Area target{row, column, row + rows - 1, column + columns - 1};
    if (target.bottom > size.rows || target.right > size.columns)
        throw host::Error(host::errApplication, "PasteSpecial method of Range class failed");
    return unoCall([&] {
        // Everything is read before anything is written: source and target may overlap.
        const auto values =
            Reference<css::sheet::XCellRangeData>(rangeAt(from, source), UNO_QUERY_THROW)->getDataArray();
        std::vector<css::uno::Sequence<css::uno::Any>> formats;
        if (!options.valuesOnly)
            for (long r = source.top; r <= source.bottom; ++r)
                for (long c = source.left; c <= source.right; ++c)
                    formats.push_back(cellAt(from, r, c)->getPropertyValues(formatNames()));
        auto valueAt = [&](long r, long c) -> const css::uno::Any& {  // 0-based in the target
            return options.transpose ? values[c][r] : values[r][c];
        };
        auto formatAt = [&](long r, long c) -> const css::uno::Sequence<css::uno::Any>& {
            return options.transpose ? formats[static_cast<size_t>(c * source.columns() + r)]
                                     : formats[static_cast<size_t>(r * source.columns() + c)];
        };
        if (!options.skipBlanks) {
            css::uno::Sequence<Row> block(rows);
            for (long r = 0; r < rows; ++r) {
                Row line(columns);
                for (long c = 0; c < columns; ++c) line.getArray()[c] = valueAt(r, c);
                block.getArray()[r] = line;
            }
            Reference<css::sheet::XCellRangeData>(rangeAt(to, target), UNO_QUERY_THROW)->setDataArray(block);
        }
        for (long r = 0; r < rows; ++r)
            for (long c = 0; c < columns; ++c) {
                if (options.skipBlanks) {  // cell by cell, leaving the target's cell under a blank alone
                    if (isBlank(valueAt(r, c))) continue;
                    const Area cell{row + r, column + c, row + r, column + c};
                    Reference<css::sheet::XCellRangeData>(rangeAt(to, cell), UNO_QUERY_THROW)
                        ->setDataArray(oneCell(valueAt(r, c)));
                }
                if (!options.valuesOnly)
                    cellAt(to, row + r, column + c)->setPropertyValues(formatNames(), formatAt(r, c));
            }
        return target;
    });
}

}  // namespace host::calc
