#include "engine/cell_paste.h"

#include <utility>
#include <vector>

#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types and error numbers

void pasteCells(const Sheet& from, const Area& source, Sheet& to, long row, long col, const PasteOptions& options) {
    const long rows = source.row2 - source.row1 + 1, cols = source.col2 - source.col1 + 1;
    const long outRows = options.transpose ? cols : rows, outCols = options.transpose ? rows : cols;
    if (!isInsideSheet({row, col, row + outRows - 1, col + outCols - 1}))
        throw Error(errApplication, "PasteSpecial method of Range class failed");
    // Read everything first: source and destination may overlap.
    std::vector<std::pair<std::pair<long, long>, Cell>> cells;
    for (long r = 0; r < rows; ++r)
        for (long c = 0; c < cols; ++c) {
            const Cell* src = from.cell(source.row1 + r, source.col1 + c);
            if (options.skipBlanks && (!src || !src->hasContent())) continue;
            const long tr = options.transpose ? c : r, tc = options.transpose ? r : c;
            cells.push_back({{row + tr, col + tc}, src ? *src : Cell{}});
        }
    for (auto& [at, cell] : cells) {
        Cell out = std::move(cell);
        out.clearComment();
        if (options.valuesOnly) {
            const Cell* kept = to.cell(at.first, at.second);
            Cell dest = kept ? *kept : Cell{};
            dest.value = out.value;
            dest.clearFormula();
            out = std::move(dest);
        } else {
            out.clearFormula();  // formulas paste as their values here
        }
        to.setCell(at.first, at.second, std::move(out));
    }
}

}  // namespace engine
