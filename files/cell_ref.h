#pragma once
// Cell references as package XML writes them ("B12", "A1:C3", "A1 B2:B4"), parsed and
// formatted without allocation on the hot path of sheet reading and writing.
#include <string>
#include <string_view>
#include <vector>

#include "engine/address.h"

namespace files {

struct CellRef {
    long row = 0, col = 0;  // 1-based; 0 when absent
};

// "B12" -> {12, 2}; "$B$12" too. Returns false for anything else or out of the sheet.
bool parseCellRef(std::string_view text, CellRef& out);
// "A1:C3" or "A1" -> area; false when malformed.
bool parseAreaRef(std::string_view text, engine::Area& out);
// A space-separated list of areas (sqref); throws FormatError when malformed.
std::vector<engine::Area> parseSqref(std::string_view text);

void appendColumnLetters(std::string& out, long col);
void appendCellRef(std::string& out, long row, long col);
void appendAreaRef(std::string& out, const engine::Area& area);  // "A1" for one cell
bool sameArea(const engine::Area& a, const engine::Area& b);
bool sameAreas(const std::vector<engine::Area>& a, const std::vector<engine::Area>& b);
std::string sqrefOf(const std::vector<engine::Area>& areas);

}  // namespace files
