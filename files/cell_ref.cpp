#include "files/cell_ref.h"

#include <algorithm>

#include "files/file_error.h"
#include "host/constants.h"

namespace files {

using engine::Area;

bool parseCellRef(std::string_view text, CellRef& out) {
    size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    long col = 0;
    size_t letters = 0;
    for (; i < text.size() && letters < 4; ++i, ++letters) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (c < 'A' || c > 'Z') break;
        col = col * 26 + (c - 'A' + 1);
    }
    if (letters == 0 || col > host::kMaxColumns) return false;
    if (i < text.size() && text[i] == '$') ++i;
    long row = 0;
    size_t digits = 0;
    for (; i < text.size(); ++i, ++digits) {
        const char c = text[i];
        if (c < '0' || c > '9' || digits >= 8) return false;
        row = row * 10 + (c - '0');
    }
    if (digits == 0 || row < 1 || row > host::kMaxRows) return false;
    out = {row, col};
    return true;
}

bool parseAreaRef(std::string_view text, Area& out) {
    const size_t colon = text.find(':');
    CellRef a, b;
    if (!parseCellRef(text.substr(0, colon), a)) return false;
    b = a;
    if (colon != std::string_view::npos && !parseCellRef(text.substr(colon + 1), b)) return false;
    out = {std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row), std::max(a.col, b.col)};
    return true;
}

std::vector<Area> parseSqref(std::string_view text) {
    std::vector<Area> areas;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) {
            Area area{};
            if (!parseAreaRef(text.substr(start, end - start), area))
                throw FormatError("the cell range \"" + std::string(text.substr(start, end - start)) +
                                  "\" is not valid");
            areas.push_back(area);
        }
        start = end + 1;
    }
    return areas;
}

void appendColumnLetters(std::string& out, long col) {
    char letters[4];
    int n = 0;
    while (col > 0 && n < 4) {
        letters[n++] = static_cast<char>('A' + (col - 1) % 26);
        col = (col - 1) / 26;
    }
    while (n > 0) out += letters[--n];
}

void appendCellRef(std::string& out, long row, long col) {
    appendColumnLetters(out, col);
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + row % 10);
        row /= 10;
    } while (row > 0);
    while (n > 0) out += digits[--n];
}

void appendAreaRef(std::string& out, const Area& area) {
    appendCellRef(out, area.row1, area.col1);
    if (area.row1 != area.row2 || area.col1 != area.col2) {
        out += ':';
        appendCellRef(out, area.row2, area.col2);
    }
}

bool sameArea(const Area& a, const Area& b) {
    return a.row1 == b.row1 && a.col1 == b.col1 && a.row2 == b.row2 && a.col2 == b.col2;
}

bool sameAreas(const std::vector<Area>& a, const std::vector<Area>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameArea);
}

std::string sqrefOf(const std::vector<Area>& areas) {
    std::string out;
    for (const Area& a : areas) {
        if (!out.empty()) out += ' ';
        appendAreaRef(out, a);
    }
    return out;
}

}  // namespace files
