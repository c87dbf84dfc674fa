#include "registry/wine_text.h"

#include <cctype>
#include <cstdio>

namespace registry::wine {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char16_t controlEscape(char c) {
    switch (c) {
    case 'a': return 7;
    case 'b': return 8;
    case 'e': return 27;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    default: return 0;
    }
}

// One UTF-8 sequence as UTF-16; a byte that starts no valid sequence stands for itself.
void appendRaw(std::string_view text, size_t& pos, std::u16string& out) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    const size_t extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
    char32_t cp = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : c & 0x1F;
    bool ok = extra > 0;
    for (size_t k = 1; ok && k <= extra; ++k) {
        if (pos + k >= text.size()) {
            ok = false;
            break;
        }
        const unsigned char cc = static_cast<unsigned char>(text[pos + k]);
        if ((cc & 0xC0) != 0x80) ok = false;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || (extra == 2 && cp < 0x800) ||
        (extra == 3 && cp < 0x10000)) {
        out.push_back(c);
        ++pos;
        return;
    }
    pos += extra + 1;
    if (cp >= 0x10000) {
        out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}

}  // namespace

bool parseEscaped(std::string_view text, size_t& pos, char end, std::u16string& out) {
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == end) {
            ++pos;
            return true;
        }
        if (c != '\\') {
            if (static_cast<unsigned char>(c) < 0x80) {
                out.push_back(static_cast<char16_t>(c));
                ++pos;
            } else {
                appendRaw(text, pos, out);
            }
            continue;
        }
        if (++pos >= text.size()) return false;
        const char e = text[pos++];
        if (char16_t control = controlEscape(e)) {
            out.push_back(control);
        } else if (e == 'x') {
            unsigned value = 0;
            int digits = 0;
            for (; digits < 4 && pos < text.size() && hexDigit(text[pos]) >= 0; ++digits)
                value = value * 16 + static_cast<unsigned>(hexDigit(text[pos++]));
            if (digits == 0) return false;
            out.push_back(static_cast<char16_t>(value));
        } else if (e >= '0' && e <= '7') {
            unsigned value = static_cast<unsigned>(e - '0');
            for (int digits = 1; digits < 3 && pos < text.size() && text[pos] >= '0' && text[pos] <= '7'; ++digits)
                value = value * 8 + static_cast<unsigned>(text[pos++] - '0');
            out.push_back(static_cast<char16_t>(value));
        } else {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(e)));
        }
    }
    return false;
}

std::string escape(std::u16string_view text, char open, char close) {
    static const char controls[33] = ".......abtnvfr.............e....";
    std::string out;
    char buffer[16];
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool more = i + 1 < text.size();
        const char16_t next = more ? text[i + 1] : 0;
        if (c > 127) {
            // A longer form keeps a following hex digit from joining the escape.
            const bool joins = more && next < 128 && std::isxdigit(static_cast<int>(next));
            std::snprintf(buffer, sizeof buffer, joins ? "\\x%04x" : "\\x%x", unsigned{c});
            out += buffer;
        } else if (c < 32) {
            if (controls[c] != '.') {
                out += '\\';
                out += controls[c];
            } else {
                const bool joins = more && next >= u'0' && next <= u'7';
                std::snprintf(buffer, sizeof buffer, joins ? "\\%03o" : "\\%o", unsigned{c});
                out += buffer;
            }
        } else {
            if (c == u'\\' || c == static_cast<char16_t>(open) || c == static_cast<char16_t>(close)) out += '\\';
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace registry::wine
