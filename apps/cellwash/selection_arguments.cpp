#include "apps/cellwash/selection_arguments.h"

#include "apps/cellwash/cli_failure.h"
#include "engine/address.h"
#include "engine/text_functions.h"
#include "host/error.h"
#include "host/text.h"

namespace cli {

namespace {

using engine::Area;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool allOf(const std::string& text, const char* characters) {
    return !text.empty() && text.find_first_not_of(characters) == std::string::npos;
}

// A bare column ("B") means that column, a bare row number ("7") that row.
std::string wholeLineOf(const std::string& part) {
    if (allOf(part, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") || allOf(part, "0123456789"))
        return part + ":" + part;
    return part;
}

struct Header {
    long column;
    std::u16string text;
};

std::vector<Header> headersOf(const engine::Sheet& sheet) {
    std::vector<Header> headers;
    const Area used = sheet.usedArea();
    for (long col = used.col1; col <= used.col2; ++col) {
        const auto text = sheet.valueAt(1, col).toText();
        if (!text.empty()) headers.push_back({col, text});
    }
    return headers;
}

std::string headerList(const std::vector<Header>& headers) {
    std::string list;
    for (const auto& h : headers)
        list += (list.empty() ? "" : ", ") + host::utf8(engine::columnLetters(h.column)) + " \"" + host::utf8(h.text) +
                "\"";
    return list.empty() ? "row 1 is empty" : "the headers in row 1: " + list;
}

long columnOfHeader(const std::vector<Header>& headers, const std::string& wanted) {
    const auto folded = engine::foldCase(host::utf16(trimmed(wanted)));
    std::vector<long> matches;
    for (const auto& h : headers)
        if (engine::foldCase(h.text) == folded) matches.push_back(h.column);
    if (matches.size() == 1) return matches.front();
    throw Failure(kUsage,
                  "--column \"" + wanted + "\" " +
                      (matches.empty() ? "names no column" : "names " + std::to_string(matches.size()) + " columns") +
                      "; " + headerList(headers));
}

}  // namespace

std::u16string typedSelection(const std::string& typed) {
    std::string address;
    size_t start = 0;
    while (start <= typed.size()) {
        const size_t comma = std::min(typed.find(',', start), typed.size());
        const std::string part = trimmed(typed.substr(start, comma - start));
        address += (address.empty() ? "" : ",") + wholeLineOf(part);
        start = comma + 1;
    }
    try {
        const auto areas = engine::parseAddress(host::utf16(address));
        return engine::formatAddress(areas, false, false);
    } catch (const host::Error&) {
        throw Failure(kUsage, "--select \"" + typed + "\" is not an address such as B2:B40, A:A, 2:10 or A1:B9,D4");
    }
}

std::u16string columnsUnderHeaders(const engine::Sheet& sheet, const std::vector<std::string>& headers) {
    const auto known = headersOf(sheet);
    const long lastRow = std::max(2L, sheet.usedArea().row2);
    std::vector<Area> areas;
    for (const auto& header : headers) {
        const long col = columnOfHeader(known, header);
        areas.push_back({2, col, lastRow, col});
    }
    return engine::formatAddress(areas, false, false);
}

}  // namespace cli
