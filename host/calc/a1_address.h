#pragma once
// Rectangular cell areas and their A1 addresses as the object model writes and reads them:
// "$A$1", "$A$1:$B$2", a whole column "$B:$B", a whole row "$3:$3", areas joined by ",".
// Nothing here knows LibreOffice; the sheet's size is given.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/constants.h"

namespace host::calc {

struct SheetSize {
    long rows = host::kMaxRows;
    long columns = host::kMaxColumns;
};

// An area of one sheet: 1-based rows and columns, both ends included.
struct Area {
    long top = 1, left = 1, bottom = 1, right = 1;
    long rows() const { return bottom - top + 1; }
    long columns() const { return right - left + 1; }
    long long cells() const { return static_cast<long long>(rows()) * columns(); }
    bool contains(long row, long column) const {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
    bool operator==(const Area&) const = default;
};

// "A", "Z", "AA", ... "XFD" for columns 1, 26, 27, ... 16384.
std::u16string columnLetters(long column);

// The address of one area: whole columns and whole rows in their short forms.
std::u16string areaAddress(const Area& area, const SheetSize& size, bool rowAbsolute = true,
                           bool columnAbsolute = true);

// Parses an address of the active sheet: "A1", "$A$1:B2", "B:B", "$3:$3", "A1:B2,D4" (any
// case, "$" anywhere allowed). Nothing when it is malformed or leaves the sheet.
std::optional<std::vector<Area>> parseAddress(std::u16string_view text, const SheetSize& size);

// The overlap of two areas, or nothing.
std::optional<Area> intersect(const Area& a, const Area& b);

}  // namespace host::calc
