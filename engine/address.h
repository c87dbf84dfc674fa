#pragma once
// A1-style addresses: areas of a sheet, their text forms and the reference parts formulas use.
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// A rectangle of cells: 1-based, inclusive, normalised (row1 <= row2, col1 <= col2).
struct Area {
    long row1, col1, row2, col2;
};

// A1-style reference parts for formulas: which coordinates are absolute.
struct CellRef {
    long row, col;
    bool rowAbs, colAbs;
};

// "A" -> 1, "XFD" -> 16384, either case; 0 when not a column of the sheet.
long columnNumber(std::u16string_view letters);
// 1 -> "A", 16384 -> "XFD"; "" for a number below 1.
std::u16string columnLetters(long column);

// "A1", "$A$1", "a1:b2", "B:B", "$B:$B", "3:3", "1:5", "A1:B2,D4" (areas joined by ','),
// spaces around areas allowed. Whole columns and rows become full extents. Bad or
// out-of-range text: host::Error 1004.
std::vector<Area> parseAddress(std::u16string_view text);

// The host's default absolute form: "$A$1", "$A$1:$B$2", "$B:$B" for whole columns, "$3:$3"
// for whole rows (a whole sheet is "$1:$1048576"); relative parts when the flags are false.
std::u16string formatArea(const Area& area, bool rowAbs = true, bool colAbs = true);
std::u16string formatAddress(const std::vector<Area>& areas, bool rowAbs = true, bool colAbs = true);

// One side of an area as written: a cell ("$B$7"), a column ("$B") or a row ("7"); a
// coordinate that is absent is 0.
struct RefPart {
    long row = 0, col = 0;
    bool rowAbs = false, colAbs = false;
    bool isCell() const { return row != 0 && col != 0; }
    bool isColumn() const { return row == 0 && col != 0; }
    bool isRow() const { return row != 0 && col == 0; }
};
// Reads the longest reference part at the start of text ("$B$7", "b", "$12") and returns the
// number of code units read; 0 when the text does not start with a part inside the sheet.
size_t scanRefPart(std::u16string_view text, RefPart& part);

// One cell reference as a formula writes it: "B7", "$B$7", "B$7".
std::u16string formatCellRef(const CellRef& ref);

// Whether the area lies inside the sheet's 1,048,576 rows and 16,384 columns.
bool isInsideSheet(const Area& area);
bool isWholeColumns(const Area& area);  // rows 1..1048576
bool isWholeRows(const Area& area);     // columns 1..16384
long long cellCount(const Area& area);

}  // namespace engine
