#include "files/csv_file.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "files/file_error.h"
#include "files/xlsx_writer.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

namespace files {

namespace {

// Offset of the first byte that is not valid UTF-8, or npos.
size_t invalidUtf8(std::string_view t) {
    size_t i = 0;
    while (i < t.size()) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        const size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 && c >= 0xC2 ? 1 : (c & 0xF0) == 0xE0 ? 2
                             : (c & 0xF8) == 0xF0 && c <= 0xF4 ? 3 : 9;
        if (extra == 9 || i + extra >= t.size() + (extra ? 0 : 1)) return i;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return i;
        i += extra + 1;
    }
    return std::string_view::npos;
}

}  // namespace

char detectSeparator(std::string_view text) {
    const char candidates[] = {',', ';', '\t'};
    std::map<char, std::vector<size_t>> counts;
    size_t lines = 0;
    bool quoted = false;
    std::map<char, size_t> line;
    for (size_t i = 0; i < text.size() && lines < 20; ++i) {
        const char c = text[i];
        if (c == '"') quoted = !quoted;
        else if (!quoted && (c == '\n' || i + 1 == text.size())) {
            for (const char s : candidates) counts[s].push_back(line[s] + (c == s ? 1 : 0));
            line.clear();
            ++lines;
        } else if (!quoted) {
            for (const char s : candidates) line[s] += c == s ? 1 : 0;
        }
    }
    char best = ',';
    long bestScore = -1;
    for (const char s : candidates) {
        const auto& v = counts[s];
        if (v.empty() || v.front() == 0) continue;
        size_t consistent = 0;
        for (const size_t n : v) consistent += n == v.front() ? 1 : 0;
        const long score = static_cast<long>(consistent * 1000 + v.front());
        if (score > bestScore) {
            best = s;
            bestScore = score;
        }
    }
    return best;
}

std::vector<std::vector<std::string>> splitCsv(std::string_view text, char separator) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    size_t line = 1, quoteLine = 0;
    bool quoted = false, wasQuoted = false;
    auto endField = [&] {
        row.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') { field += '"'; ++i; }
            else if (c == '"') quoted = false;
            else { if (c == '\n') ++line; field += c; }
            continue;
        }
        if (c == '"' && field.empty() && !wasQuoted) { quoted = wasQuoted = true; quoteLine = line; }
        else if (c == separator) endField();
        else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        else if (c == '\n' || c == '\r') { endField(); rows.push_back(std::move(row)); row.clear(); ++line; }
        else field += c;  // text after a closing quote is kept, as spreadsheet programs do
    }
    if (quoted) throw FormatError("the quoted field starting on line " + std::to_string(quoteLine) + " is never closed");
    if (!field.empty() || !row.empty() || wasQuoted) {
        endField();
        rows.push_back(std::move(row));
    }
    return rows;
}

void readCsv(const std::string& path, BookSink& sink, std::optional<char> separator) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(path, "cannot be opened for reading");
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    if (const size_t bad = invalidUtf8(text); bad != std::string::npos)
        throw FileError(path, "it is not UTF-8 text (byte " + std::to_string(bad) + " is not valid)");
    std::vector<std::vector<std::string>> rows;
    try {
        rows = splitCsv(text, separator ? *separator : detectSeparator(text));
    } catch (const FormatError& e) {
        throw FileError(path, e.what());
    }
    if (rows.size() > static_cast<size_t>(host::kMaxRows)) throw FileError(path, "it has more than 1,048,576 rows");
    std::u16string name = host::utf16(std::filesystem::path(path).stem().string());
    for (char16_t& c : name)
        if (std::u16string_view(u"[]:*?/\\").find(c) != std::u16string_view::npos) c = u'_';
    if (name.size() > 31) name.resize(31);
    if (name.empty() || name.front() == u'\'' || name.back() == u'\'') name = u"Sheet1";
    SheetSink& sheet = sink.addSheet(name, host::xlWorksheet, host::xlSheetVisible);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() > static_cast<size_t>(host::kMaxColumns))
            throw FileError(path, "line " + std::to_string(r + 1) + " has more than 16,384 fields");
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c].empty()) continue;
            try {
                sheet.enterText(static_cast<long>(r + 1), static_cast<long>(c + 1), host::utf16(rows[r][c]));
            } catch (const host::Error& e) {
                throw FileError(path, "row " + std::to_string(r + 1) + ", field " + std::to_string(c + 1) + ": " + e.description());
            }
        }
    }
    sink.setActiveSheet(0);
}

std::string csvOf(const SheetSource& sheet, char separator) {
    std::string out;
    long row = 1, col = 1, lastCol = 0;
    sheet.forEachCellByRows([&](long, long c, const Cell& cell) {
        if (!cell.value.isEmpty()) lastCol = std::max(lastCol, c);
    });
    auto field = [&](const std::string& text) {
        const bool quote = text.find_first_of(std::string("\"\r\n") + separator) != std::string::npos;
        if (!quote) return out.append(text), void();
        out += '"';
        for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
        out += '"';
    };
    auto moveTo = [&](long r, long c) {
        while (row < r) { out.append(static_cast<size_t>(std::max(0L, lastCol - col)), separator); out += "\r\n"; ++row; col = 1; }
        while (col < c) { out += separator; ++col; }
    };
    bool any = false;
    sheet.forEachCellByRows([&](long r, long c, const Cell& cell) {
        if (cell.value.isEmpty()) return;
        moveTo(r, c);
        any = true;
        const host::Variant& v = cell.value;
        field(host::utf8(v.isError() ? v.errorText() : v.toText()));
    });
    if (any) moveTo(row + 1, 1);
    return out;
}

void writeCsv(const SheetSource& sheet, const std::string& path, char separator) {
    const std::string text = csvOf(sheet, separator);
    try {
        replaceFile(path, [&](const std::string& temporary) {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.close();
            if (!out) throw FormatError("cannot be written (disk full or no permission?)");
        });
    } catch (const FormatError& e) {
        throw FileError(path, e.what());
    } catch (const std::filesystem::filesystem_error& e) {
        throw FileError(path, std::string("cannot be written: ") + e.code().message());
    }
}

}  // namespace files
