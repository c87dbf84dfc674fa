#include "apps/cellwash/sheet_dump.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "engine/address.h"
#include "host/constants.h"
#include "host/text.h"

namespace cli {

using engine::Area;
using engine::Cell;
using engine::Sheet;

namespace {

constexpr size_t kMaxColumnWidth = 24;

// Width in terminal columns, counting UTF-8 lead bytes only.
size_t displayWidth(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string fitted(const std::string& text, size_t width) {
    std::string out;
    size_t shown = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lead = (text[i] & 0xC0) != 0x80;
        if (lead && shown == width) break;
        if (lead && shown + 1 == width && displayWidth(text) > width) {
            out += "\xE2\x80\xA6";  // an ellipsis marks a cut
            ++shown;
            break;
        }
        out.push_back(text[i]);
        if (lead) ++shown;
    }
    return out + std::string(width - shown, ' ');
}

std::string visibilityName(int visible) {
    return visible == host::xlSheetVisible ? "visible" : visible == host::xlSheetHidden ? "hidden" : "veryHidden";
}

nlohmann::json shapeJson(const engine::DrawingObject& d) {
    nlohmann::json shape{{"name", host::utf8(d.name)}, {"type", d.type}};
    if (d.frameText) shape["text"] = host::utf8(*d.frameText);
    if (d.effectText) shape["effectText"] = host::utf8(*d.effectText);
    for (const auto& item : d.groupItems) shape["items"].push_back(shapeJson(item));
    return shape;
}

nlohmann::json cellJson(long row, long col, const Cell& c) {
    nlohmann::json cell{{"address", host::utf8(engine::formatArea({row, col, row, col}, false, false))},
                        {"kind", kindName(c.value)}};
    if (c.value.isNumber() || c.value.isDate())
        cell["value"] = c.value.number();
    else if (c.value.isBoolean())
        cell["value"] = c.value.boolean();
    else if (!c.value.isEmpty())
        cell["value"] = displayText(c.value);
    if (c.value.isDate()) cell["text"] = displayText(c.value);
    if (!c.formula().empty()) cell["formula"] = host::utf8(c.formula());
    if (c.colorIndex) cell["fill"] = c.colorIndex;
    if (c.comment()) cell["comment"] = host::utf8(c.comment()->text);
    return cell;
}

// A csv field: quoted when it holds a comma, a quote or a line break, its quotes doubled.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// A tsv field: a tab, a line break or a backslash escaped as \t, \n, \r, \\.
std::string tsvField(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string kindName(const host::Variant& value) {
    static const char* names[] = {"empty", "number", "text", "boolean", "date", "error"};
    return names[static_cast<int>(value.kind())];
}

std::string displayText(const host::Variant& value) {
    return host::utf8(value.isError() ? value.errorText() : value.toText());
}

std::string gridOf(const Sheet& sheet, const Area& area) {
    const long rows = area.row2 - area.row1 + 1, cols = area.col2 - area.col1 + 1;
    std::vector<std::vector<std::string>> texts(rows, std::vector<std::string>(cols));
    std::vector<size_t> widths(cols, 1);
    for (long c = 0; c < cols; ++c) widths[c] = displayWidth(host::utf8(engine::columnLetters(area.col1 + c)));
    sheet.forEachCell(area, [&](long row, long col, const Cell& cell) {
        auto& text = texts[row - area.row1][col - area.col1];
        text = displayText(cell.value);
        widths[col - area.col1] = std::min(kMaxColumnWidth, std::max(widths[col - area.col1], displayWidth(text)));
        return true;
    });
    const size_t labelWidth = std::to_string(area.row2).size();
    std::string out(labelWidth, ' ');
    for (long c = 0; c < cols; ++c) out += " | " + fitted(host::utf8(engine::columnLetters(area.col1 + c)), widths[c]);
    out += "\n";
    for (long r = 0; r < rows; ++r) {
        const std::string label = std::to_string(area.row1 + r);
        out += std::string(labelWidth - label.size(), ' ') + label;
        for (long c = 0; c < cols; ++c) out += " | " + fitted(texts[r][c], widths[c]);
        out += "\n";
    }
    return out;
}

std::string delimitedOf(const Sheet& sheet, const Area& area, char separator) {
    const long cols = area.col2 - area.col1 + 1;
    std::string out;
    long row = area.row1, separators = 0;  // the line being written, the separators on it
    const auto endLine = [&] {
        for (; separators < cols - 1; ++separators) out += separator;
        out += '\n';
        separators = 0;
        ++row;
    };
    sheet.forEachCellByRows(area, [&](long r, long c, const Cell& cell) {
        while (row < r) endLine();
        for (; separators < c - area.col1; ++separators) out += separator;
        const std::string text = displayText(cell.value);
        out += separator == ',' ? csvField(text) : tsvField(text);
        return true;
    });
    while (row <= area.row2) endLine();
    return out;
}

std::string jsonOf(const engine::Book& book, const Sheet& sheet, const Area& area) {
    nlohmann::json doc;
    doc["workbook"] = host::utf8(book.name());
    for (const auto& s : book.sheets())
        doc["sheets"].push_back({{"name", host::utf8(s->name())},
                                 {"visible", visibilityName(s->visible())},
                                 {"kind", s->type() == host::xlChart ? "chart" : "worksheet"},
                                 {"active", s == book.activeSheet()}});
    doc["sheet"] = host::utf8(sheet.name());
    doc["range"] = host::utf8(engine::formatArea(area, false, false));
    doc["cells"] = nlohmann::json::array();
    sheet.forEachCellByRows(area, [&](long row, long col, const Cell& c) {
        doc["cells"].push_back(cellJson(row, col, c));
        return true;
    });
    doc["validations"] = nlohmann::json::array();
    for (const auto& rule : sheet.validations())
        doc["validations"].push_back({{"range", host::utf8(engine::formatAddress(rule.areas, false, false))},
                                      {"type", rule.type},
                                      {"formula1", host::utf8(rule.formula1)},
                                      {"errorTitle", host::utf8(rule.errorTitle)},
                                      {"errorMessage", host::utf8(rule.errorMessage)}});
    doc["shapes"] = nlohmann::json::array();
    for (const auto& d : sheet.drawings()) doc["shapes"].push_back(shapeJson(d));
    return doc.dump(2);
}

}  // namespace cli
