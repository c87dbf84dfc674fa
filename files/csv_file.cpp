#include "files/csv_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/typed_input.h"
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
        const size_t extra = c < 0x80                          ? 0
                             : (c & 0xE0) == 0xC0 && c >= 0xC2 ? 1
                             : (c & 0xF0) == 0xE0              ? 2
                             : (c & 0xF8) == 0xF0 && c <= 0xF4 ? 3
                                                               : 9;
        if (extra == 9 || i + extra >= t.size() + (extra ? 0 : 1)) return i;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return i;
        i += extra + 1;
    }
    return std::string_view::npos;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where the field starting at `begin` ends: at the separator or line end after it, or at the
// end of the text; npos when a quote it opens is never closed.
size_t fieldEnd(std::string_view text, size_t begin, char separator) {
    size_t p = begin;
    if (p < text.size() && text[p] == '"') {
        for (++p;; p += 2) {
            p = text.find('"', p);
            if (p == std::string_view::npos) return p;
            if (p + 1 == text.size() || text[p + 1] != '"') break;
        }
        ++p;
    }
    // Text after a closing quote belongs to the field, as spreadsheet programs read it.
    while (p < text.size() && text[p] != separator && text[p] != '\n' && text[p] != '\r') ++p;
    return p;
}

// A line ends with CRLF, LF or a lone CR; true at the end's last character.
bool isLineEnd(std::string_view text, size_t i) {
    return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

// The line `at` is on.
size_t lineOf(std::string_view text, size_t at) {
    size_t line = 1;
    for (size_t i = 0; i < at; ++i) line += isLineEnd(text, i) ? 1 : 0;
    return line;
}

// Calls visit(row, col, begin, end) for each field in order (0-based row and column, the
// field's bytes with their quotes); returns the first line end, empty when there is none.
template <class Visit>
std::string_view scanFields(std::string_view text, char separator, Visit&& visit) {
    std::string_view firstLineEnd;
    size_t p = 0, row = 0, col = 0;
    while (p < text.size()) {
        const size_t end = fieldEnd(text, p, separator);
        if (end == std::string_view::npos)
            throw FormatError("the quoted field starting on line " + std::to_string(lineOf(text, p)) +
                              " is never closed");
        visit(row, col, p, end);
        if (end == text.size()) break;
        if (text[end] == separator) {
            p = end + 1;
            ++col;
            if (p == text.size()) visit(row, col, p, p);  // "a," ends with an empty field
            continue;
        }
        const size_t length = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
        if (firstLineEnd.empty()) firstLineEnd = text.substr(end, length);
        p = end + length;
        ++row;
        col = 0;
    }
    return firstLineEnd;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Sign, digits with at most one decimal point, an optional exponent: nothing else.
bool isPlainNumber(std::u16string_view s) {
    size_t p = s.empty() || (s[0] != u'+' && s[0] != u'-') ? 0 : 1;
    size_t digits = 0;
    for (bool point = false; p < s.size() && (isDigit(s[p]) || (s[p] == u'.' && !point)); ++p) {
        point = point || s[p] == u'.';
        digits += isDigit(s[p]) ? 1 : 0;
    }
    if (digits == 0) return false;
    if (p < s.size() && (s[p] == u'e' || s[p] == u'E')) {
        ++p;
        if (p < s.size() && (s[p] == u'+' || s[p] == u'-')) ++p;
        const size_t first = p;
        while (p < s.size() && isDigit(s[p])) ++p;
        if (p == first) return false;
    }
    return p == s.size();
}

std::u16string sheetNameFor(const std::string& path) {
    std::u16string name = host::utf16(std::filesystem::path(path).stem().string());
    for (char16_t& c : name)
        if (std::u16string_view(u"[]:*?/\\").find(c) != std::u16string_view::npos) c = u'_';
    if (name.size() > 31) name.resize(31);
    if (name.empty() || name.front() == u'\'' || name.back() == u'\'') name = u"Sheet1";
    return name;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(path, "cannot be opened for reading");
    std::stringstream buffer;
    buffer << in.rdbuf();
    return std::move(buffer).str();
}

}  // namespace

std::string_view CsvFileData::field(std::uint32_t id) const {
    if (id == 0 || id > fieldBegins.size()) return {};
    const size_t begin = fieldBegins[id - 1];
    return std::string_view(text).substr(begin, fieldEnd(text, begin, separator) - begin);
}

std::string_view CsvFileData::before(std::uint32_t id) const {
    if (id == 0 || id > fieldBegins.size()) return {};
    const size_t from = id == 1 ? 0 : fieldEnd(text, fieldBegins[id - 2], separator);
    return std::string_view(text).substr(from, fieldBegins[id - 1] - from);
}

std::string_view CsvFileData::after(std::uint32_t id) const {
    if (id == 0 || id > fieldBegins.size()) return {};
    const size_t from = fieldEnd(text, fieldBegins[id - 1], separator);
    const size_t to = id == fieldBegins.size() ? text.size() : fieldBegins[id];
    return std::string_view(text).substr(from, to - from);
}

char detectSeparator(std::string_view text) {
    const char candidates[] = {',', ';', '\t'};
    std::map<char, std::vector<size_t>> counts;
    size_t lines = 0;
    bool quoted = false;
    std::map<char, size_t> line;
    for (size_t i = 0; i < text.size() && lines < 20; ++i) {
        const char c = text[i];
        if (c == '"')
            quoted = !quoted;
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
    scanFields(text, separator, [&](size_t row, size_t, size_t begin, size_t end) {
        if (row == rows.size()) rows.emplace_back();
        rows.back().push_back(unquoteField(text.substr(begin, end - begin)));
    });
    return rows;
}

std::string unquoteField(std::string_view raw) {
    if (raw.empty() || raw.front() != '"') return std::string(raw);
    std::string out;
    size_t p = 1;
    while (p < raw.size()) {
        const size_t quote = raw.find('"', p);
        out.append(raw.substr(p, quote - p));
        if (quote == std::string_view::npos) break;
        if (quote + 1 < raw.size() && raw[quote + 1] == '"') {
            out += '"';
            p = quote + 2;
            continue;
        }
        out.append(raw.substr(quote + 1));
        break;
    }
    return out;
}

host::Variant csvFieldValue(std::u16string_view field, int currentYear) {
    using engine::TypedInput;
    if (!field.empty() && std::u16string_view(u"=+-@").find(field.front()) != std::u16string_view::npos) {
        if (isPlainNumber(field))
            if (const auto number = engine::parseNumber(field)) return *number;
        if (field.size() > static_cast<size_t>(host::kMaxCellText))
            throw host::Error(host::errApplication, "Text is longer than 32767 characters");
        return std::u16string(field);
    }
    const TypedInput input = engine::parseTypedInput(field, currentYear);
    return input.kind == TypedInput::Kind::Value ? input.value : host::Variant();
}

constexpr size_t kCellsPerStore = 1u << 16;

void readCsv(const std::string& path, BookSink& sink, std::optional<char> separator) {
    auto data = std::make_shared<CsvFileData>();
    data->text = readBytes(path);
    std::string& text = data->text;
    if (text.starts_with(kByteOrderMark)) {
        text.erase(0, kByteOrderMark.size());
        data->byteOrderMark = true;
    }
    if (const size_t bad = invalidUtf8(text); bad != std::string::npos)
        throw FileError(path, "it is not UTF-8 text (byte " + std::to_string(bad) + " is not valid)");
    data->separator = separator ? *separator : detectSeparator(text);
    data->yearRead = engine::currentYear();
    SheetSink& sheet = sink.addSheet(sheetNameFor(path), host::xlWorksheet, host::xlSheetVisible);
    // Fields come row by row; each column's cells go to the sheet in bulk.
    std::vector<std::vector<engine::ColumnStore::RowCell>> columns;
    auto store = [&](size_t col) {
        sheet.setColumnCells(static_cast<long>(col + 1), std::move(columns[col]));
        columns[col].clear();
    };
    auto enter = [&](size_t row, size_t col, size_t begin, size_t end) {
        if (row >= static_cast<size_t>(host::kMaxRows)) throw FileError(path, "it has more than 1,048,576 rows");
        if (col >= static_cast<size_t>(host::kMaxColumns))
            throw FileError(path, "line " + std::to_string(row + 1) + " has more than 16,384 fields");
        const std::string field = unquoteField(std::string_view(text).substr(begin, end - begin));
        if (field.empty()) return;
        try {
            Cell cell;
            cell.value = csvFieldValue(host::utf16(field), data->yearRead);
            if (data->fieldBegins.size() < UINT32_MAX) {
                data->fieldBegins.push_back(begin);
                cell.styleId = static_cast<std::uint32_t>(data->fieldBegins.size());
            }
            if (col >= columns.size()) columns.resize(col + 1);
            columns[col].push_back({static_cast<long>(row + 1), std::move(cell)});
            if (columns[col].size() >= kCellsPerStore) store(col);
        } catch (const host::Error& e) {
            throw FileError(
                path, "row " + std::to_string(row + 1) + ", field " + std::to_string(col + 1) + ": " + e.description());
        }
    };
    try {
        const std::string_view lineEnd = scanFields(text, data->separator, enter);
        if (!lineEnd.empty()) data->lineEnd = lineEnd;
    } catch (const FormatError& e) {
        throw FileError(path, e.what());
    }
    for (size_t col = 0; col < columns.size(); ++col) store(col);
    data->endsWithLineEnd = !text.empty() && (text.back() == '\n' || text.back() == '\r');
    data->fieldBegins.shrink_to_fit();
    sink.setFileData(std::move(data));
    sink.setActiveSheet(0);
}

namespace {

// A run of empty fields between two fields read: how many line ends it crosses, and the
// part on its last line with the separators there.
struct Gap {
    std::string_view text, lastLine;
    long lines = 0, separators = 0;
};

Gap gapOf(std::string_view text, char separator) {
    Gap gap{text, text};
    for (size_t i = 0; i < text.size(); ++i)
        if (isLineEnd(text, i)) {
            ++gap.lines;
            gap.lastLine = text.substr(i + 1);
        }
    gap.separators = static_cast<long>(std::count(gap.lastLine.begin(), gap.lastLine.end(), separator));
    return gap;
}

std::string_view firstLineOf(std::string_view text) {
    const size_t end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

// Writes a sheet's cells row by row. Without the file they were read from, every row is
// padded to the widest. With it, a row ends with its last field, and the empty fields, line
// ends and blank lines between fields read are written as the file had them wherever the
// cells still stand in the same places relative to each other.
class CsvWriter {
public:
    explicit CsvWriter(const CsvFileData* read)
        : read_(read), separator_(read ? read->separator : ','), lineEnd_(read ? read->lineEnd : "\r\n") {}

    std::string write(const SheetSource& sheet) {
        if (read_ && read_->byteOrderMark) out_ += kByteOrderMark;
        if (!read_)
            sheet.forEachCellByRows([&](long, long c, const Cell& cell) {
                if (!cell.value.isEmpty()) lastCol_ = std::max(lastCol_, c);
            });
        sheet.forEachCellByRows([&](long r, long c, const Cell& cell) { this->cell(r, c, cell); });
        if (!written_) return std::move(out_);
        if (read_ && lastId_ == read_->fieldBegins.size())
            out_ += read_->after(lastId_);  // blank lines at the end too
        else if (!read_ || read_->endsWithLineEnd)
            endLine();
        else
            out_ += tail_;
        return std::move(out_);
    }

private:
    void cell(long row, long col, const Cell& cell) {
        const std::string_view raw = read_ ? read_->field(cell.styleId) : std::string_view();
        const std::uint32_t id = raw.empty() ? 0 : cell.styleId;
        if (cell.value.isEmpty() && !id) return;  // a fill or comment alone
        place(row, col, id);
        written_ = true;
        lastId_ = id;
        if (id && unchanged(cell, raw))
            out_ += raw;
        else if (!cell.value.isEmpty())
            field(host::utf8(cell.value.isError() ? cell.value.errorText() : cell.value.toText()));
        tail_ = id ? firstLineOf(read_->after(id)) : std::string_view();
    }

    bool unchanged(const Cell& cell, std::string_view raw) const {
        return cell.formula().empty() && cell.value == csvFieldValue(host::utf16(unquoteField(raw)), read_->yearRead);
    }

    // Moves to the cell's row and column: through the file's own text between the fields
    // where it says the same, else with plain line ends and separators.
    void place(long row, long col, std::uint32_t id) {
        if (!id) return moveTo(row, col, {});
        const Gap gap = gapOf(read_->before(id), separator_);
        const bool follows = written_ ? lastId_ && lastId_ + 1 == id : id == 1;
        if (follows && gap.lines == row - row_ && gap.separators == col - (gap.lines ? 1 : col_)) {
            out_ += gap.text;
            row_ = row;
            col_ = col;
            tail_ = {};
            return;
        }
        moveTo(row, col, &gap);
    }

    void moveTo(long row, long col, const Gap* gap) {
        while (row_ < row) endLine();
        tail_ = {};
        if (gap && gap->separators == col - col_)
            out_ += gap->lastLine;
        else
            out_.append(static_cast<size_t>(std::max(0L, col - col_)), separator_);
        col_ = col;
    }

    void endLine() {
        if (!read_) out_.append(static_cast<size_t>(std::max(0L, lastCol_ - col_)), separator_);
        out_ += tail_;
        out_ += lineEnd_;
        tail_ = {};
        ++row_;
        col_ = 1;
    }

    void field(const std::string& text) {
        if (text.find_first_of(std::string("\"\r\n") + separator_) == std::string::npos) {
            out_ += text;
            return;
        }
        out_ += '"';
        for (const char c : text) out_ += c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1);
        out_ += '"';
    }

    const CsvFileData* read_;
    const char separator_;
    const std::string lineEnd_;
    std::string out_;
    std::string_view tail_;     // the empty fields after the last field written in this row, as read
    std::uint32_t lastId_ = 0;  // the field of the last cell written, 0 when not read from the file
    long row_ = 1, col_ = 1, lastCol_ = 0;
    bool written_ = false;
};

}  // namespace

std::string csvOf(const SheetSource& sheet, const CsvFileData* read) { return CsvWriter(read).write(sheet); }

void writeCsv(const SheetSource& sheet, const std::string& path, const CsvFileData* read) {
    const std::string text = csvOf(sheet, read);
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
