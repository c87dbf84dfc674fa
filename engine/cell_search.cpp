#include "engine/cell_search.h"

#include <algorithm>

#include "engine/area_ops.h"
#include "engine/column_store.h"
#include "engine/criteria.h"
#include "host/constants.h"

namespace engine {

using namespace host;  // the host's value types and constants

namespace {

// Cells of the areas (within `limit`) that satisfy `wanted`, as vertical runs per column.
template <typename Wanted>
std::vector<Area> runsWhere(const Sheet& sheet, const std::vector<Area>& areas, const Area& limit, Wanted wanted) {
    std::vector<Area> runs;
    for (const Area& area : areas) {
        const auto clipped = intersect(area, limit);
        if (!clipped) continue;
        for (long col = clipped->col1; col <= clipped->col2; ++col) {
            long start = 0;
            for (long row = clipped->row1; row <= clipped->row2 + 1; ++row) {
                const bool hit = row <= clipped->row2 && wanted(sheet.cell(row, col));
                if (hit && !start) start = row;
                if (!hit && start) {
                    runs.push_back({start, col, row - 1, col});
                    start = 0;
                }
            }
        }
    }
    return runs;
}

// Stored cells of the areas that satisfy `wanted`, one area each.
template <typename Wanted>
std::vector<Area> storedWhere(const Sheet& sheet, const std::vector<Area>& areas, Wanted wanted) {
    std::vector<Area> found;
    for (const Area& area : areas)
        sheet.forEachCellByRows(area, [&](long row, long col, const Cell& c) {
            if (wanted(c)) found.push_back({row, col, row, col});
            return true;
        });
    return found;
}

std::u16string findText(const Cell& c, int lookIn) {
    if (lookIn == xlFormulas && !c.formula().empty()) return c.formula();
    return c.value.isError() ? c.value.errorText() : c.value.toText();
}

}  // namespace

std::vector<Area> blankCells(const Sheet& sheet, const std::vector<Area>& areas) {
    return runsWhere(sheet, areas, sheet.usedArea(), [](const Cell* c) { return !c || !c->hasContent(); });
}

std::vector<Area> commentCells(const Sheet& sheet, const std::vector<Area>& areas) {
    return storedWhere(sheet, areas, [](const Cell& c) { return c.comment() != nullptr; });
}

std::vector<Area> constantCells(const Sheet& sheet, const std::vector<Area>& areas) {
    return storedWhere(sheet, areas, [](const Cell& c) { return c.hasContent() && c.formula().empty(); });
}

namespace {

// A whole-cell, case-blind search for literal text down one column: the column's text index
// answers it without visiting the cells (the duplicate tools call Find once per entry).
bool indexedSearch(const std::vector<Area>& areas, const WildcardPattern& pattern, const FindOptions& o) {
    return areas.size() == 1 && areas.front().col1 == areas.front().col2 && o.lookAt != xlPart && !o.matchCase &&
           o.lookIn != xlFormulas && o.searchDirection != xlPrevious && !pattern.hasWildcards();
}

}  // namespace

std::optional<std::pair<long, long>> findCell(const Sheet& sheet, const std::vector<Area>& areas,
                                              const std::u16string& what, const FindOptions& options) {
    const WildcardPattern pattern(options.lookAt == xlPart ? u"*" + what + u"*" : what, options.matchCase);
    const Area& first = areas.front();
    if (indexedSearch(areas, pattern, options)) {
        const ColumnStore* column = sheet.column(first.col1);
        if (!column) return std::nullopt;
        const auto row = column->findText(pattern.literal(), first.row1, first.row2, first.row1);
        if (!row) return std::nullopt;
        return std::make_pair(*row, first.col1);
    }
    struct Hit {
        long row, col;
    };
    std::vector<Hit> hits;
    for (const Area& area : areas)
        sheet.forEachCellByRows(area, [&](long row, long col, const Cell& c) {
            if (c.hasContent() && pattern.matches(findText(c, options.lookIn))) hits.push_back({row, col});
            return true;
        });
    if (hits.empty()) return std::nullopt;
    if (options.searchOrder == xlByColumns)
        std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.col < b.col; });
    const bool forwards = options.searchDirection != xlPrevious;
    // The first cell is examined last: forwards, the first hit after it wins.
    auto isStart = [&](const Hit& h) { return h.row == first.row1 && h.col == first.col1; };
    if (forwards) {
        for (const Hit& h : hits)
            if (!isStart(h)) return std::make_pair(h.row, h.col);
        return std::make_pair(hits.front().row, hits.front().col);
    }
    for (auto it = hits.rbegin(); it != hits.rend(); ++it)
        if (!isStart(*it)) return std::make_pair(it->row, it->col);
    return std::make_pair(hits.front().row, hits.front().col);
}

}  // namespace engine
