#include "files/formula_shift.h"

#include "host/constants.h"

namespace files {

namespace {

bool isNameChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'.' ||
           c == u'$' || c == u'\\' || c == u'?' || c >= 0x80;
}

bool isLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// One side of a reference: "$B$12", "B", "$12"...
struct RefPart {
    bool colAbs = false, rowAbs = false;
    long col = 0, row = 0;  // 0 when that part is absent
};

bool parsePart(std::u16string_view t, RefPart& p) {
    size_t i = 0;
    p = {};
    if (i < t.size() && t[i] == u'$') {
        p.colAbs = true;
        ++i;
    }
    size_t letters = 0;
    while (i < t.size() && isLetter(t[i]) && letters < 4) {
        p.col = p.col * 26 + ((t[i] | 0x20) - u'a' + 1);
        ++i, ++letters;
    }
    if (letters == 0) {
        p.rowAbs = p.colAbs;
        p.colAbs = false;
    }
    if (letters > 3 || p.col > host::kMaxColumns) return false;
    if (letters > 0 && i < t.size() && t[i] == u'$') {
        p.rowAbs = true;
        ++i;
    }
    size_t digits = 0;
    while (i < t.size() && isDigit(t[i]) && digits < 8) {
        p.row = p.row * 10 + (t[i] - u'0');
        ++i, ++digits;
    }
    if (i != t.size() || (letters == 0 && digits == 0)) return false;
    if (digits > 0 && (p.row < 1 || p.row > host::kMaxRows)) return false;
    return true;
}

bool shiftPart(RefPart& p, long dRow, long dCol) {
    const bool hasCol = p.col != 0, hasRow = p.row != 0;
    if (hasCol && !p.colAbs) p.col += dCol;
    if (hasRow && !p.rowAbs) p.row += dRow;
    return (!hasCol || (p.col >= 1 && p.col <= host::kMaxColumns)) &&
           (!hasRow || (p.row >= 1 && p.row <= host::kMaxRows));
}

void appendPart(std::u16string& out, const RefPart& p) {
    if (p.col) {
        if (p.colAbs) out += u'$';
        char16_t letters[4];
        int n = 0;
        for (long c = p.col; c > 0; c = (c - 1) / 26) letters[n++] = static_cast<char16_t>(u'A' + (c - 1) % 26);
        while (n > 0) out += letters[--n];
    }
    if (p.row) {
        if (p.rowAbs) out += u'$';
        const std::string digits = std::to_string(p.row);
        out.append(digits.begin(), digits.end());
    }
}

size_t skipQuoted(std::u16string_view f, size_t i, char16_t quote) {
    for (++i; i < f.size(); ++i) {
        if (f[i] != quote) continue;
        if (i + 1 < f.size() && f[i + 1] == quote) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return f.size();
}

size_t skipBrackets(std::u16string_view f, size_t i) {
    int depth = 0;
    for (; i < f.size(); ++i) {
        if (f[i] == u'[')
            ++depth;
        else if (f[i] == u']' && --depth == 0)
            return i + 1;
    }
    return f.size();
}

size_t tokenEnd(std::u16string_view f, size_t i) {
    while (i < f.size() && isNameChar(f[i])) ++i;
    return i;
}

}  // namespace

std::u16string shiftFormula(std::u16string_view f, long dRow, long dCol) {
    std::u16string out;
    out.reserve(f.size() + 8);
    size_t i = 0;
    while (i < f.size()) {
        const char16_t c = f[i];
        if (c == u'"' || c == u'\'') {
            const size_t end = skipQuoted(f, i, c);
            out.append(f.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == u'[') {
            const size_t end = skipBrackets(f, i);
            out.append(f.substr(i, end - i));
            i = end;
            continue;
        }
        if (!isNameChar(c) || (i > 0 && isNameChar(f[i - 1]))) {
            out += c;
            ++i;
            continue;
        }
        const size_t end = tokenEnd(f, i);
        const std::u16string_view token = f.substr(i, end - i);
        const bool isCall = end < f.size() && (f[end] == u'(' || f[end] == u'!');
        size_t secondEnd = end;
        std::u16string_view second;
        if (end + 1 < f.size() && f[end] == u':' && isNameChar(f[end + 1])) {
            secondEnd = tokenEnd(f, end + 1);
            second = f.substr(end + 1, secondEnd - end - 1);
        }
        RefPart a, b;
        const bool first = !isCall && parsePart(token, a);
        const bool pair = first && !second.empty() && parsePart(second, b) && (a.col != 0) == (b.col != 0) &&
                          (a.row != 0) == (b.row != 0);
        // A lone column ("A") or row ("12") part is only a reference as half of a range.
        if (!first || (!pair && (a.col == 0 || a.row == 0))) {
            out.append(token);
            i = end;
            continue;
        }
        if (!shiftPart(a, dRow, dCol) || (pair && !shiftPart(b, dRow, dCol))) {
            out += u"#REF!";
        } else {
            appendPart(out, a);
            if (pair) {
                out += u':';
                appendPart(out, b);
            }
        }
        i = pair ? secondEnd : end;
    }
    return out;
}

}  // namespace files
