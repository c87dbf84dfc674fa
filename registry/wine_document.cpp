#include "registry/wine_document.h"

#include <cstdio>

#include "registry/wine_text.h"

namespace registry::wine {

namespace {

struct PhysicalLine {
    std::string_view text;  // without its end
    std::string_view end;
};

std::vector<PhysicalLine> splitLines(std::string_view text) {
    std::vector<PhysicalLine> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        const size_t stop = nl == std::string_view::npos ? text.size() : nl;
        size_t bodyEnd = stop;
        if (bodyEnd > pos && text[bodyEnd - 1] == '\r') --bodyEnd;
        const size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        lines.push_back({text.substr(pos, bodyEnd - pos), text.substr(bodyEnd, next - bodyEnd)});
        pos = next;
    }
    return lines;
}

std::vector<std::uint8_t> utf16Bytes(const std::u16string& text) {
    std::vector<std::uint8_t> out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool startsWith(std::string_view text, size_t pos, std::string_view prefix) {
    return text.substr(pos, prefix.size()) == prefix;
}

// A hex number ended by "):", as in hex(7): and str(2):.
bool parseTypeNumber(std::string_view text, size_t& pos, std::uint32_t& type) {
    std::uint64_t value = 0;
    const size_t start = pos;
    while (pos < text.size() && hexValue(text[pos]) >= 0 && pos - start < 8)
        value = value * 16 + static_cast<unsigned>(hexValue(text[pos++]));
    if (pos == start || !startsWith(text, pos, "):")) return false;
    pos += 2;
    type = static_cast<std::uint32_t>(value);
    return true;
}

class Parser {
public:
    explicit Parser(std::string_view text) : lines_(splitLines(text)) {}

    Document run() {
        Document doc;
        if (lines_.empty() || lines_[0].text != kFormatLine)
            throw FormatError(1,
                              "not a Wine registry file (the first line is not \"" + std::string(kFormatLine) + "\")");
        doc.lineEnd = lines_[0].end.empty() ? "\n" : std::string(lines_[0].end);
        while (at_ < lines_.size()) {
            const std::string_view text = lines_[at_].text;
            if (!text.empty() && text[0] == '[')
                doc.sections.push_back(section());
            else if (doc.sections.empty())
                doc.prelude.push_back(plainLine());
            else
                doc.sections.back().lines.push_back(bodyLine());
        }
        return doc;
    }

private:
    [[noreturn]] void fail(const std::string& reason) const { throw FormatError(static_cast<int>(at_ + 1), reason); }

    Line plainLine() {
        const PhysicalLine& line = lines_[at_++];
        return Line{std::string(line.text) + std::string(line.end), std::nullopt};
    }

    Section section() {
        const PhysicalLine& line = lines_[at_];
        Section s;
        std::u16string name;
        size_t pos = 1;
        if (!parseEscaped(line.text, pos, ']', name)) fail("key name without a closing ']'");
        size_t start = 0;
        for (size_t i = 0; i <= name.size(); ++i) {
            if (i == name.size() || name[i] == u'\\') {
                if (i > start) s.path.push_back(name.substr(start, i - start));
                start = i + 1;
            }
        }
        s.header = std::string(line.text.substr(0, pos));
        s.stamp = std::string(line.text.substr(pos));
        s.lineEnd = std::string(line.end);
        ++at_;
        return s;
    }

    Line bodyLine() {
        const std::string_view text = lines_[at_].text;
        if (text.empty() || (text[0] != '"' && text[0] != '@')) return plainLine();
        const size_t first = at_;
        StoredValue value = parseValue();
        Line line;
        for (size_t i = first; i < at_; ++i) line.raw += std::string(lines_[i].text) + std::string(lines_[i].end);
        line.value = std::move(value);
        return line;
    }

    StoredValue parseValue() {
        const std::string_view text = lines_[at_].text;
        StoredValue value;
        size_t pos = 1;
        if (text[0] == '"' && !parseEscaped(text, pos, '"', value.name))
            fail("value name without a closing quotation mark");
        if (pos >= text.size() || text[pos] != '=') fail("value without '=' after its name");
        ++pos;
        parseData(text, pos, value);
        return value;
    }

    void parseData(std::string_view text, size_t pos, StoredValue& value) {
        value.type = REG_SZ;
        if (startsWith(text, pos, "str:\""))
            pos += 4;
        else if (startsWith(text, pos, "str(")) {
            pos += 4;
            if (!parseTypeNumber(text, pos, value.type) || !startsWith(text, pos, "\"")) fail("malformed str(…) type");
        }
        if (startsWith(text, pos, "\"")) {
            std::u16string data;
            ++pos;
            if (!parseEscaped(text, pos, '"', data)) fail("string without a closing quotation mark");
            data.push_back(0);  // the stored form ends with its NUL
            value.data = utf16Bytes(data);
            ++at_;
        } else if (startsWith(text, pos, "dword:")) {
            parseDword(text.substr(pos + 6), value);
            ++at_;
        } else if (startsWith(text, pos, "hex:")) {
            value.type = REG_BINARY;
            parseHex(text, pos + 4, value);
        } else if (startsWith(text, pos, "hex(")) {
            pos += 4;
            if (!parseTypeNumber(text, pos, value.type)) fail("malformed hex(…) type");
            parseHex(text, pos, value);
        } else {
            fail("value of an unknown form");
        }
    }

    void parseDword(std::string_view digits, StoredValue& value) {
        std::uint64_t number = 0;
        size_t n = 0;
        while (n < digits.size() && hexValue(digits[n]) >= 0) number = number * 16 + hexValue(digits[n++]);
        while (n < digits.size() && (digits[n] == ' ' || digits[n] == '\t')) ++n;
        if (n == 0 || n < digits.size() || number > 0xFFFFFFFFull) fail("malformed dword value");
        value.type = REG_DWORD;
        for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    }

    // Comma-separated bytes; a backslash at the end continues on the next line.
    void parseHex(std::string_view text, size_t pos, StoredValue& value) {
        for (;;) {
            while (pos < text.size()) {
                const char c = text[pos];
                if (c == ',' || c == ' ' || c == '\t') {
                    ++pos;
                    continue;
                }
                if (c == '\\' && pos + 1 == text.size()) break;
                const int high = hexValue(c), low = pos + 1 < text.size() ? hexValue(text[pos + 1]) : -1;
                if (high < 0) fail("malformed hex data");
                if (low < 0) {
                    value.data.push_back(static_cast<std::uint8_t>(high));
                    ++pos;
                } else {
                    value.data.push_back(static_cast<std::uint8_t>(high * 16 + low));
                    pos += 2;
                }
                if (pos < text.size() && hexValue(text[pos]) >= 0) fail("malformed hex data");
            }
            ++at_;
            if (pos >= text.size()) return;  // no continuation
            if (at_ >= lines_.size()) fail("hex data continued past the end of the file");
            text = lines_[at_].text;
            pos = 0;
        }
    }

    std::vector<PhysicalLine> lines_;
    size_t at_ = 0;
};

}  // namespace

Document parseDocument(std::string_view text) { return Parser(text).run(); }

std::string writeDocument(const Document& document) {
    std::string out;
    for (const Line& line : document.prelude) out += line.raw;
    for (const Section& section : document.sections) {
        out += section.header + section.stamp + section.lineEnd;
        for (const Line& line : section.lines) out += line.raw;
    }
    return out;
}

Document emptyDocument(std::string_view relativeTo) {
    Document doc;
    doc.prelude.push_back({std::string(kFormatLine) + "\n", std::nullopt});
    doc.prelude.push_back({";; All keys relative to " + std::string(relativeTo) + "\n", std::nullopt});
    return doc;
}

std::string formatHeader(const KeyPath& path) {
    std::string out = "[";
    for (size_t i = 0; i < path.size(); ++i) {
        if (i) out += "\\\\";
        out += escape(path[i], '[', ']');
    }
    return out + "]";
}

std::string formatStamp(long long unixSeconds) { return " " + std::to_string(unixSeconds); }

std::string formatTimeLine(long long unixSeconds, long nanoseconds, const std::string& lineEnd) {
    constexpr unsigned long long kEpochDifference = 11644473600ull;  // 1601 to 1970, in seconds
    const unsigned long long ticks = (static_cast<unsigned long long>(unixSeconds) + kEpochDifference) * 10000000ull +
                                     static_cast<unsigned long long>(nanoseconds / 100);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "#time=%x%08x", static_cast<unsigned>(ticks >> 32),
                  static_cast<unsigned>(ticks & 0xFFFFFFFFu));
    return buffer + lineEnd;
}

std::string formatValue(const StoredValue& value, const std::string& lineEnd) {
    std::string out = value.name.empty() ? "@=" : "\"" + escape(value.name, '"', '"') + "\"=";
    const auto& data = value.data;
    const bool isString = value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
    if (isString && data.size() >= 2 && data.size() % 2 == 0 && data[data.size() - 1] == 0 &&
        data[data.size() - 2] == 0) {
        std::u16string text;
        for (size_t i = 0; i + 2 < data.size(); i += 2)
            text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
        char type[24] = "";
        if (value.type != REG_SZ) std::snprintf(type, sizeof type, "str(%x):", unsigned{value.type});
        return out + type + "\"" + escape(text, '"', '"') + "\"" + lineEnd;
    }
    char buffer[24];
    if (value.type == REG_DWORD && data.size() == 4) {
        const unsigned dword = data[0] | (data[1] << 8) | (data[2] << 16) | (unsigned{data[3]} << 24);
        std::snprintf(buffer, sizeof buffer, "dword:%08x", dword);
        return out + buffer + lineEnd;
    }
    if (value.type == REG_BINARY)
        out += "hex:";
    else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", unsigned{value.type});
        out += buffer;
    }
    // Folded as Wine folds it: a line break after the comma that passes column 76.
    size_t count = out.size();
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", unsigned{data[i]});
        out += buffer;
        count += 2;
        if (i + 1 < data.size()) {
            out += ',';
            if (++count > 76) {
                out += "\\" + lineEnd + "  ";
                count = 2;
            }
        }
    }
    return out + lineEnd;
}

}  // namespace registry::wine
