#pragma once
// The cell searches behind SpecialCells and Find: blank, commented and constant cells of some
// areas, and the host's Find, which answers a whole-cell search down one column from the
// column's text index.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/sheet.h"

namespace engine {

// Truly empty cells of the areas within the used range, as vertical runs per column.
std::vector<Area> blankCells(const Sheet& sheet, const std::vector<Area>& areas);
std::vector<Area> commentCells(const Sheet& sheet, const std::vector<Area>& areas);
std::vector<Area> constantCells(const Sheet& sheet, const std::vector<Area>& areas);

// Find's settings, with the host's values (xlValues/xlFormulas, xlWhole/xlPart, ...).
struct FindOptions {
    int lookIn, lookAt, searchOrder, searchDirection;
    bool matchCase;
};
// The host's Find: starts after the first cell and wraps round, so the first cell comes last.
std::optional<std::pair<long, long>> findCell(const Sheet& sheet, const std::vector<Area>& areas,
                                              const std::u16string& what, const FindOptions& options);

}  // namespace engine
