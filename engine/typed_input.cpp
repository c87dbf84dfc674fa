#include "engine/typed_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>
#include <string>

#include "host/constants.h"
#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t asciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }

std::u16string_view stripSpaces(std::u16string_view s) {
    while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
    return s;
}

bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}

// Reads a run of digits at pos into out (as ASCII); returns how many were read.
size_t takeDigits(std::u16string_view s, size_t& pos, std::string& out) {
    const size_t start = pos;
    while (pos < s.size() && isDigit(s[pos])) out.push_back(static_cast<char>(s[pos++]));
    return pos - start;
}

// The integer part of a number: digits, optionally grouped by thousands separators
// ("1,234,567": a first group of 1-3 digits, then groups of exactly 3).
bool takeIntegerPart(std::u16string_view s, size_t& pos, std::string& digits) {
    const size_t firstGroup = takeDigits(s, pos, digits);
    if (pos >= s.size() || s[pos] != u',') return true;
    if (firstGroup == 0 || firstGroup > 3) return false;
    while (pos < s.size() && s[pos] == u',') {
        ++pos;
        if (takeDigits(s, pos, digits) != 3) return false;
    }
    return pos >= s.size() || !isDigit(s[pos]);
}

// "e", optional sign, digits; the value is clamped far beyond any double's range.
bool takeExponent(std::u16string_view s, size_t& pos, long& exponent) {
    if (pos >= s.size() || (s[pos] != u'e' && s[pos] != u'E')) return true;
    ++pos;
    bool negative = false;
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-')) negative = s[pos++] == u'-';
    std::string digits;
    if (takeDigits(s, pos, digits) == 0) return false;
    long value = 0;
    for (char c : digits) value = std::min(value * 10 + (c - '0'), 100000L);
    exponent = negative ? -value : value;
    return true;
}

std::optional<double> toDouble(const std::string& ascii) {
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value + 0.0;  // no negative zero
}

// --- dates and times ---

long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

bool isLeapYear(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(long y, long m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

// Serial of a calendar date from 1900 to 9999, or nullopt when it is no valid date.
std::optional<double> dateSerial(long y, long m, long d) {
    if (y < 1900 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return std::nullopt;
    const long long epoch = daysFromCivil(1899, 12, 30);
    return static_cast<double>(daysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) - epoch);
}

// Splits "1/2/2024" at sep into fields of 1 to 4 digits each.
std::optional<std::u16string_view> nextField(std::u16string_view& rest, char16_t sep) {
    const size_t at = rest.find(sep);
    const std::u16string_view field = rest.substr(0, at);
    rest = at == rest.npos ? std::u16string_view() : rest.substr(at + 1);
    if (field.empty() || field.size() > 4) return std::nullopt;
    for (char16_t c : field)
        if (!isDigit(c)) return std::nullopt;
    return field;
}

long fieldValue(std::u16string_view field) {
    long value = 0;
    for (char16_t c : field) value = value * 10 + (c - u'0');
    return value;
}

// Years of one or two digits: 0-29 are 2000-2029, 30-99 are 1930-1999.
long fullYear(std::u16string_view field) {
    const long y = fieldValue(field);
    if (field.size() == 4) return y;
    if (field.size() == 3) return -1;
    return y < 30 ? 2000 + y : 1900 + y;
}

std::optional<double> parseDatePart(std::u16string_view s, int currentYear) {
    const size_t sepAt = s.find_first_of(u"/-");
    if (sepAt == s.npos) return std::nullopt;
    const char16_t sep = s[sepAt];
    std::u16string_view rest = s;
    std::u16string_view fields[3];
    int count = 0;
    while (!rest.empty() || count == 0) {
        if (count == 3) return std::nullopt;
        const auto field = nextField(rest, sep);
        if (!field) return std::nullopt;
        fields[count++] = *field;
    }
    if (count < 2 || s.back() == sep) return std::nullopt;
    if (fields[0].size() == 4) {  // yyyy-mm-dd
        if (count != 3 || fields[1].size() > 2 || fields[2].size() > 2) return std::nullopt;
        return dateSerial(fieldValue(fields[0]), fieldValue(fields[1]), fieldValue(fields[2]));
    }
    if (fields[0].size() > 2 || fields[1].size() > 2) return std::nullopt;
    const long year = count == 3 ? fullYear(fields[2]) : currentYear;
    return dateSerial(year, fieldValue(fields[0]), fieldValue(fields[1]));
}

// "13:30", "13:30:15", "1:30 PM", "12:05am" -> fraction of a day.
std::optional<double> parseTimePart(std::u16string_view s) {
    std::optional<bool> pm;
    if (s.size() >= 2 && asciiUpper(s.back()) == u'M') {
        const char16_t half = asciiUpper(s[s.size() - 2]);
        if (half != u'A' && half != u'P') return std::nullopt;
        pm = half == u'P';
        s = stripSpaces(s.substr(0, s.size() - 2));
    }
    long hms[3] = {0, 0, 0};
    int count = 0;
    std::u16string_view rest = s;
    while (!rest.empty() || count == 0) {
        if (count == 3) return std::nullopt;
        const auto field = nextField(rest, u':');
        if (!field || field->size() > 2) return std::nullopt;
        hms[count++] = fieldValue(*field);
    }
    if (count < 2 || s.back() == u':') return std::nullopt;
    long hour = hms[0];
    if (pm) {
        if (hour > 12) return std::nullopt;
        hour = hour % 12 + (*pm ? 12 : 0);
    }
    if (hour > 23 || hms[1] > 59 || hms[2] > 59) return std::nullopt;
    return (hour * 3600 + hms[1] * 60 + hms[2]) / 86400.0;
}

}  // namespace

std::optional<double> parseNumber(std::u16string_view text) {
    if (!mayBeNumberOrDate(text)) return std::nullopt;
    const std::u16string_view s = stripSpaces(text);
    size_t pos = 0;
    std::string ascii;
    if (s[pos] == u'+' || s[pos] == u'-')
        if (s[pos++] == u'-') ascii.push_back('-');
    std::string digits;
    if (!takeIntegerPart(s, pos, digits)) return std::nullopt;
    std::string fraction;
    if (pos < s.size() && s[pos] == u'.') {
        ++pos;
        takeDigits(s, pos, fraction);
    }
    if (digits.empty() && fraction.empty()) return std::nullopt;
    long exponent = 0;
    if (!takeExponent(s, pos, exponent)) return std::nullopt;
    if (pos < s.size() && s[pos] == u'%') {
        ++pos;
        exponent -= 2;
    }
    if (pos != s.size()) return std::nullopt;
    ascii +=
        (digits.empty() ? "0" : digits) + "." + (fraction.empty() ? "0" : fraction) + "e" + std::to_string(exponent);
    return toDouble(ascii);
}

std::optional<bool> parseBoolean(std::u16string_view text) {
    if (equalsIgnoringAsciiCase(text, u"TRUE")) return true;
    if (equalsIgnoringAsciiCase(text, u"FALSE")) return false;
    return std::nullopt;
}

std::optional<double> parseDate(std::u16string_view text, int currentYear) {
    const std::u16string_view s = stripSpaces(text);
    // Every date and time starts with a digit; most texts do not, and need no further look.
    if (s.empty() || s.size() > 64 || s.front() < u'0' || s.front() > u'9') return std::nullopt;
    if (s.find(u':') != s.npos && s.find(u' ') == s.npos) return parseTimePart(s);
    if (const auto time = parseTimePart(s)) return time;
    const size_t space = s.find(u' ');
    const auto date = parseDatePart(s.substr(0, space), currentYear);
    if (!date || space == s.npos) return date;
    const auto time = parseTimePart(stripSpaces(s.substr(space)));
    if (!time) return std::nullopt;
    return *date + *time;
}

bool mayBeNumberOrDate(std::u16string_view text) {
    size_t at = 0;
    while (at < text.size() && text[at] == u' ') ++at;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) ++at;
    return at < text.size() && (isDigit(text[at]) || text[at] == u'.');
}

std::optional<double> parseNumberOrDate(std::u16string_view text, int currentYear) {
    if (!mayBeNumberOrDate(text)) return std::nullopt;
    if (auto number = parseNumber(text)) return number;
    return parseDate(text, currentYear);
}

namespace {

// `original`, when given, is a Text value holding `text`: text that stays text shares it.
TypedInput parseTyped(std::u16string_view text, int currentYear, const host::Variant* original) {
    using Kind = TypedInput::Kind;
    if (text.empty()) return TypedInput{Kind::Empty, {}, {}};
    const std::u16string_view stored = text.front() == u'\'' ? text.substr(1) : text;
    if (stored.size() > static_cast<size_t>(host::kMaxCellText))
        throw host::Error(host::errApplication, "Text is longer than 32767 characters");
    if (text.front() == u'=') return TypedInput{Kind::Formula, {}, std::u16string(text)};
    if (text.front() == u'\'') return TypedInput{Kind::Value, host::Variant(stored), {}};
    if (const auto b = parseBoolean(text)) return TypedInput{Kind::Value, *b, {}};
    if (const auto n = parseNumber(text)) return TypedInput{Kind::Value, *n, {}};
    if (const auto d = parseDate(text, currentYear)) return TypedInput{Kind::Value, host::Variant::date(*d), {}};
    return TypedInput{Kind::Value, original ? *original : host::Variant(text), {}};
}

}  // namespace

TypedInput parseTypedInput(std::u16string_view text, int currentYear) { return parseTyped(text, currentYear, nullptr); }

TypedInput parseTypedValue(const host::Variant& text, int currentYear) {
    return parseTyped(text.text(), currentYear, text.isText() ? &text : nullptr);
}

int currentYear() {
    thread_local std::time_t cachedAt = -1;
    thread_local int cachedYear = 1900;
    const std::time_t now = std::time(nullptr);
    if (now != cachedAt) {
        std::tm local{};
        localtime_r(&now, &local);
        cachedYear = local.tm_year + 1900;
        cachedAt = now;
    }
    return cachedYear;
}

}  // namespace engine
