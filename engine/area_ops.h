#pragma once
// Geometry of rectangular areas: intersection, difference, and how an area follows a
// structural edit (rows or columns deleted with a shift), as references in formulas do.
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/address.h"

namespace engine {

// One structural edit: rows or columns deleted within `area`, the rest shifting up or left.
struct StructuralEdit {
    enum class Kind : std::uint8_t { ShiftUp, ShiftLeft } kind;
    Area area;
};

inline bool contains(const Area& a, long row, long col) {
    return row >= a.row1 && row <= a.row2 && col >= a.col1 && col <= a.col2;
}
std::optional<Area> intersect(const Area& a, const Area& b);
// a minus b: up to four areas covering what of a lies outside b.
std::vector<Area> subtract(const Area& a, const Area& b);
// Where `a` lies after the edit; nothing when all its cells were deleted.
std::optional<Area> follow(const Area& a, const StructuralEdit& edit);
// Where a point lies after the edit; a deleted point lands where the deleted block began,
// so offsets from it to the cells that remain stay what they were.
void followPoint(long& row, long& col, const StructuralEdit& edit);

}  // namespace engine
