#include "engine/area_ops.h"

#include <algorithm>

#include "host/constants.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

std::optional<Area> intersect(const Area& a, const Area& b) {
    Area r{std::max(a.row1, b.row1), std::max(a.col1, b.col1), std::min(a.row2, b.row2), std::min(a.col2, b.col2)};
    if (r.row1 > r.row2 || r.col1 > r.col2) return std::nullopt;
    return r;
}

std::vector<Area> subtract(const Area& a, const Area& b) {
    const auto overlap = intersect(a, b);
    if (!overlap) return {a};
    const Area& o = *overlap;
    std::vector<Area> parts;
    if (a.row1 < o.row1) parts.push_back({a.row1, a.col1, o.row1 - 1, a.col2});
    if (o.row2 < a.row2) parts.push_back({o.row2 + 1, a.col1, a.row2, a.col2});
    if (a.col1 < o.col1) parts.push_back({o.row1, a.col1, o.row2, o.col1 - 1});
    if (o.col2 < a.col2) parts.push_back({o.row1, o.col2 + 1, o.row2, a.col2});
    return parts;
}

namespace {

// One dimension of the edit: positions lo..hi deleted, later ones move back by their count.
// Returns false when the span [first, last] vanishes.
bool followSpan(long& first, long& last, long lo, long hi) {
    const long n = hi - lo + 1;
    if (last < lo) return true;
    if (first > hi) {
        first -= n;
        last -= n;
        return true;
    }
    const long newFirst = first < lo ? first : lo;
    const long newLast = last > hi ? last - n : lo - 1;
    if (newLast < newFirst) return false;
    first = newFirst;
    last = newLast;
    return true;
}

}  // namespace

std::optional<Area> follow(const Area& a, const StructuralEdit& edit) {
    const Area& e = edit.area;
    Area r = a;
    if (edit.kind == StructuralEdit::Kind::ShiftUp) {
        // Only a reference lying within the deleted columns moves; a whole column stays whole.
        if (a.col1 < e.col1 || a.col2 > e.col2 || isWholeColumns(a)) return a;
        if (!followSpan(r.row1, r.row2, e.row1, e.row2)) return std::nullopt;
    } else {
        if (a.row1 < e.row1 || a.row2 > e.row2 || isWholeRows(a)) return a;
        if (!followSpan(r.col1, r.col2, e.col1, e.col2)) return std::nullopt;
    }
    return r;
}

void followPoint(long& row, long& col, const StructuralEdit& edit) {
    const Area& e = edit.area;
    const bool up = edit.kind == StructuralEdit::Kind::ShiftUp;
    long& along = up ? row : col;
    const long across = up ? col : row;
    const long lo = up ? e.row1 : e.col1, hi = up ? e.row2 : e.col2;
    const long from = up ? e.col1 : e.row1, to = up ? e.col2 : e.row2;
    if (across < from || across > to || along < lo) return;
    along = along > hi ? along - (hi - lo + 1) : lo;
}

}  // namespace engine
