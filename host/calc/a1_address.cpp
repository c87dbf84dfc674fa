#include "host/calc/a1_address.h"

#include <algorithm>

namespace host::calc {

namespace {

std::u16string decimal(long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// One end of a part: letters and/or digits, each optionally after "$".
struct Reference {
    long column = 0;  // 0: no column given
    long row = 0;     // 0: no row given
};

std::optional<Reference> parseReference(std::u16string_view text, const SheetSize& size) {
    Reference ref;
    size_t i = 0;
    auto take = [&](char16_t c) { return i < text.size() && text[i] == c ? (++i, true) : false; };
    const bool columnMark = take(u'$');
    const size_t lettersStart = i;
    while (i < text.size()) {
        char16_t c = text[i];
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        if (c < u'A' || c > u'Z') break;
        ref.column = ref.column * 26 + (c - u'A' + 1);
        if (ref.column > size.columns) return std::nullopt;
        ++i;
    }
    const bool hasLetters = i > lettersStart;
    const bool rowMark = take(u'$');
    const size_t digitsStart = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        ref.row = ref.row * 10 + (text[i] - u'0');
        if (ref.row > size.rows) return std::nullopt;
        ++i;
    }
    const bool hasDigits = i > digitsStart;
    if (i != text.size() || (!hasLetters && !hasDigits)) return std::nullopt;
    if ((columnMark && rowMark && !hasLetters) || (rowMark && !hasDigits)) return std::nullopt;
    if (hasDigits && ref.row == 0) return std::nullopt;
    return ref;
}

std::optional<Area> parsePart(std::u16string_view part, const SheetSize& size) {
    const size_t colon = part.find(u':');
    const auto first = parseReference(part.substr(0, colon), size);
    if (!first) return std::nullopt;
    Reference second = *first;
    if (colon != std::u16string_view::npos) {
        const auto parsed = parseReference(part.substr(colon + 1), size);
        if (!parsed) return std::nullopt;
        second = *parsed;
    }
    const bool cells = first->column && first->row && second.column && second.row;
    const bool columns = first->column && !first->row && second.column && !second.row;
    const bool rows = !first->column && first->row && !second.column && second.row;
    // A lone "B" or "3" is no address; whole columns and rows need both ends ("B:B", "3:3").
    if (!cells && (colon == std::u16string_view::npos || (!columns && !rows))) return std::nullopt;
    Area area;
    area.left = columns || cells ? std::min(first->column, second.column) : 1;
    area.right = columns || cells ? std::max(first->column, second.column) : size.columns;
    area.top = rows || cells ? std::min(first->row, second.row) : 1;
    area.bottom = rows || cells ? std::max(first->row, second.row) : size.rows;
    return area;
}

}  // namespace

std::u16string columnLetters(long column) {
    std::u16string letters;
    while (column > 0) {
        const long digit = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char16_t>(u'A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

std::u16string areaAddress(const Area& area, const SheetSize& size, bool rowAbsolute, bool columnAbsolute) {
    const std::u16string rowMark = rowAbsolute ? u"$" : u"";
    const std::u16string columnMark = columnAbsolute ? u"$" : u"";
    const bool wholeColumns = area.top == 1 && area.bottom == size.rows;
    const bool wholeRows = area.left == 1 && area.right == size.columns;
    if (wholeColumns && !wholeRows)
        return columnMark + columnLetters(area.left) + u":" + columnMark + columnLetters(area.right);
    if (wholeRows && !wholeColumns) return rowMark + decimal(area.top) + u":" + rowMark + decimal(area.bottom);
    auto cell = [&](long row, long column) { return columnMark + columnLetters(column) + rowMark + decimal(row); };
    if (area.top == area.bottom && area.left == area.right) return cell(area.top, area.left);
    return cell(area.top, area.left) + u":" + cell(area.bottom, area.right);
}

std::optional<std::vector<Area>> parseAddress(std::u16string_view text, const SheetSize& size) {
    std::vector<Area> areas;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(u',', start);
        std::u16string_view part = text.substr(start, comma == std::u16string_view::npos ? text.npos : comma - start);
        while (!part.empty() && part.front() == u' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == u' ') part.remove_suffix(1);
        const auto area = parsePart(part, size);
        if (!area) return std::nullopt;
        areas.push_back(*area);
        if (comma == std::u16string_view::npos) break;
        start = comma + 1;
    }
    return areas;
}

std::optional<Area> intersect(const Area& a, const Area& b) {
    Area overlap{std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
                 std::min(a.right, b.right)};
    if (overlap.top > overlap.bottom || overlap.left > overlap.right) return std::nullopt;
    return overlap;
}

}  // namespace host::calc
