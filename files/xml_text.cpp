#include "files/xml_text.h"

#include "host/text.h"

namespace files {

namespace {

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// "_xHHHH_" at `i`: its code unit, or -1.
int escapeAt(std::u16string_view text, size_t i) {
    if (i + 7 > text.size() || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_') return -1;
    int value = 0;
    for (size_t k = 2; k < 6; ++k) {
        const int h = hexValue(text[i + k]);
        if (h < 0) return -1;
        value = value * 16 + h;
    }
    return value;
}

void appendHexEscape(std::string& out, unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4) out += digits[(value >> shift) & 0xF];
    out += '_';
}

}  // namespace

void appendEscapedUtf8(std::string& out, std::string_view text, bool attribute) {
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            if (attribute)
                out += "&quot;";
            else
                out += c;
            break;
        case '\n':
            if (attribute)
                out += "&#10;";
            else
                out += c;
            break;
        case '\t':
            if (attribute)
                out += "&#9;";
            else
                out += c;
            break;
        case '\r': out += "&#13;"; break;
        default: out += c;
        }
    }
}

// Printable ASCII that no escape touches: most cells' texts, copied straight across.
bool isPlainAscii(char16_t c) {
    return c >= 0x20 && c < 0x7F && c != u'&' && c != u'<' && c != u'>' && c != u'"' && c != u'_';
}

void appendXmlText(std::string& out, std::u16string_view text, bool attribute) {
    const size_t start = out.size();
    out.resize(start + text.size());
    size_t copied = 0;
    while (copied < text.size() && isPlainAscii(text[copied])) {
        out[start + copied] = static_cast<char>(text[copied]);
        ++copied;
    }
    out.resize(start + copied);  // the plain start stays; the rest goes the careful way
    size_t plain = copied;       // start of the run not yet written
    auto flush = [&](size_t end) {
        if (end > plain) appendEscapedUtf8(out, host::utf8(text.substr(plain, end - plain)), attribute);
    };
    for (size_t i = copied; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool control = c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
        const bool fffx = c == 0xFFFE || c == 0xFFFF;
        if (control || fffx || escapeAt(text, i) >= 0) {
            flush(i);
            // A literal "_xHHHH_" keeps its meaning by escaping its underscore.
            appendHexEscape(out, control || fffx ? c : u'_');
            plain = i + 1;
        }
    }
    flush(text.size());
}

std::u16string decodeEscapes(std::u16string text) {
    if (text.find(u"_x") == std::u16string::npos) return text;
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const int value = escapeAt(text, i);
        if (value >= 0) {
            out += static_cast<char16_t>(value);
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::u16string decodeXmlText(std::string_view utf8) {
    std::u16string out;
    decodeXmlTextInto(out, utf8);
    return out;
}

void decodeXmlTextInto(std::u16string& out, std::string_view utf8) {
    out.clear();
    base::appendUtf16(out, utf8);
    out = decodeEscapes(std::move(out));  // hands the same room back when there is no escape
}

}  // namespace files
