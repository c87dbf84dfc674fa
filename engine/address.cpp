#include "engine/address.h"

#include <algorithm>
#include <optional>
#include <string>

#include "host/constants.h"
#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

namespace {

bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

[[noreturn]] void badAddress() { throw host::Error(host::errApplication, "Invalid address"); }

// 1..1048576 from decimal digits (leading zeros allowed); 0 when out of range.
long rowNumber(std::u16string_view digits) {
    size_t i = 0;
    while (i < digits.size() && digits[i] == u'0') ++i;
    if (digits.empty() || digits.size() - i > 7) return 0;
    long row = 0;
    for (; i < digits.size(); ++i) row = row * 10 + (digits[i] - u'0');
    return row <= host::kMaxRows ? row : 0;
}

Area normalised(long r1, long c1, long r2, long c2) {
    return Area{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
}

Area areaFromParts(const RefPart& a, const RefPart& b) {
    if (a.isCell() && b.isCell()) return normalised(a.row, a.col, b.row, b.col);
    if (a.isColumn() && b.isColumn()) return normalised(1, a.col, host::kMaxRows, b.col);
    if (a.isRow() && b.isRow()) return normalised(a.row, 1, b.row, host::kMaxColumns);
    badAddress();
}

// The whole text as one reference part, or nullopt.
std::optional<RefPart> wholePart(std::u16string_view text) {
    RefPart part;
    if (text.empty() || scanRefPart(text, part) != text.size()) return std::nullopt;
    return part;
}

std::u16string_view trimSpaces(std::u16string_view s) {
    while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
    return s;
}

Area parseArea(std::u16string_view text) {
    const size_t colon = text.find(u':');
    if (colon == std::u16string_view::npos) {
        const auto cell = wholePart(text);
        if (!cell || !cell->isCell()) badAddress();
        return Area{cell->row, cell->col, cell->row, cell->col};
    }
    const auto first = wholePart(text.substr(0, colon));
    const auto second = wholePart(text.substr(colon + 1));
    if (!first || !second) badAddress();
    return areaFromParts(*first, *second);
}

std::u16string rowText(long row, bool absolute) {
    std::u16string out = absolute ? u"$" : u"";
    for (char c : std::to_string(row)) out.push_back(static_cast<char16_t>(c));
    return out;
}

std::u16string columnText(long col, bool absolute) { return (absolute ? u"$" : u"") + columnLetters(col); }

}  // namespace

size_t scanRefPart(std::u16string_view s, RefPart& part) {
    part = RefPart{};
    size_t i = 0;
    const bool firstDollar = i < s.size() && s[i] == u'$';
    if (firstDollar) ++i;
    const size_t lettersStart = i;
    while (i < s.size() && isAsciiLetter(s[i])) ++i;
    const std::u16string_view letters = s.substr(lettersStart, i - lettersStart);
    const bool secondDollar = i < s.size() && s[i] == u'$';
    if (secondDollar) ++i;
    const size_t digitsStart = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    const std::u16string_view digits = s.substr(digitsStart, i - digitsStart);

    if (!letters.empty()) {
        part.col = columnNumber(letters);
        part.colAbs = firstDollar;
        if (part.col == 0 || (secondDollar && digits.empty())) return 0;
        if (!digits.empty()) {
            part.row = rowNumber(digits);
            part.rowAbs = secondDollar;
            if (part.row == 0) return 0;
        }
        return i;
    }
    if (digits.empty() || (firstDollar && secondDollar)) return 0;
    part.row = rowNumber(digits);
    part.rowAbs = firstDollar || secondDollar;
    return part.row == 0 ? 0 : i;
}

long columnNumber(std::u16string_view letters) {
    if (letters.empty() || letters.size() > 3) return 0;
    long column = 0;
    for (char16_t c : letters) {
        if (!isAsciiLetter(c)) return 0;
        const char16_t upperC = (c >= u'a') ? static_cast<char16_t>(c - 32) : c;
        column = column * 26 + (upperC - u'A' + 1);
    }
    return column <= host::kMaxColumns ? column : 0;
}

std::u16string columnLetters(long column) {
    std::u16string out;
    while (column > 0) {
        const long digit = (column - 1) % 26;
        out.insert(out.begin(), static_cast<char16_t>(u'A' + digit));
        column = (column - 1) / 26;
    }
    return out;
}

std::vector<Area> parseAddress(std::u16string_view text) {
    std::vector<Area> areas;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(u',', start);
        const auto piece = text.substr(start, comma == std::u16string_view::npos ? text.npos : comma - start);
        areas.push_back(parseArea(trimSpaces(piece)));
        if (comma == std::u16string_view::npos) break;
        start = comma + 1;
    }
    return areas;
}

std::u16string formatCellRef(const CellRef& ref) {
    return columnText(ref.col, ref.colAbs) + rowText(ref.row, ref.rowAbs);
}

std::u16string formatArea(const Area& area, bool rowAbs, bool colAbs) {
    if (isWholeRows(area)) return rowText(area.row1, rowAbs) + u":" + rowText(area.row2, rowAbs);
    if (isWholeColumns(area)) return columnText(area.col1, colAbs) + u":" + columnText(area.col2, colAbs);
    std::u16string out = formatCellRef(CellRef{area.row1, area.col1, rowAbs, colAbs});
    if (area.row1 != area.row2 || area.col1 != area.col2)
        out += u":" + formatCellRef(CellRef{area.row2, area.col2, rowAbs, colAbs});
    return out;
}

std::u16string formatAddress(const std::vector<Area>& areas, bool rowAbs, bool colAbs) {
    std::u16string out;
    for (size_t i = 0; i < areas.size(); ++i) {
        if (i > 0) out += u",";
        out += formatArea(areas[i], rowAbs, colAbs);
    }
    return out;
}

bool isInsideSheet(const Area& area) {
    return area.row1 >= 1 && area.col1 >= 1 && area.row1 <= area.row2 && area.col1 <= area.col2 &&
           area.row2 <= host::kMaxRows && area.col2 <= host::kMaxColumns;
}

bool isWholeColumns(const Area& area) { return area.row1 == 1 && area.row2 == host::kMaxRows; }
bool isWholeRows(const Area& area) { return area.col1 == 1 && area.col2 == host::kMaxColumns; }

long long cellCount(const Area& area) {
    return static_cast<long long>(area.row2 - area.row1 + 1) * (area.col2 - area.col1 + 1);
}

}  // namespace engine
