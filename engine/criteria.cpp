#include "engine/criteria.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/text_functions.h"
#include "engine/typed_input.h"
#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

namespace {

constexpr size_t kMaxCriterionLength = 255;

// Keys of the count index. Each kind has its own first letter, so keys of different kinds
// never meet.
constexpr char16_t kTextKey = u't';
constexpr char16_t kNumberKey = u'n';
constexpr char16_t kBooleanKey = u'b';
constexpr char16_t kErrorKey = u'e';
const std::u16string kTrulyEmptyKey = u"z";  // "=": truly empty cells only
const std::u16string kNoCellKey = u"x";      // a criterion no cell meets

// The key builders write into the caller's string: the index asks for a cell's keys at every
// change of the cell, and a new string each time was most of that.
void numberKey(double value, std::u16string& key) {
    value += 0.0;  // -0 and 0 are the same number
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    key.assign(1, kNumberKey);
    for (int shift = 60; shift >= 0; shift -= 4) key.push_back(u"0123456789abcdef"[(bits >> shift) & 0xF]);
}

// The key of a text that is folded already.
void textKey(std::u16string_view foldedText, std::u16string& key) {
    key.assign(1, kTextKey);
    key.append(foldedText);
}

void errorKey(int code, std::u16string& key) {
    key.assign(1, kErrorKey);
    for (char c : std::to_string(code)) key.push_back(static_cast<char16_t>(c));
}

void booleanKey(bool value, std::u16string& key) { key = {kBooleanKey, value ? u'1' : u'0'}; }

bool isNumeric(const host::Variant& v) { return v.isNumber() || v.isDate(); }

int compareNumbers(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

}  // namespace

// ---------------------------------------------------------------- WildcardPattern

namespace {

// The text folded into one string that is reused: a walk makes a pattern and matches texts
// at every row. The view holds until the next call on this thread.
std::u16string_view foldedCopy(std::u16string_view text) {
    thread_local std::u16string folded;
    folded.assign(text);
    foldCaseSimpleFrom(folded, 0);
    return folded;
}

}  // namespace

WildcardPattern::WildcardPattern(std::u16string_view pattern, bool matchCase)
    : pattern_(matchCase ? pattern : foldedCopy(pattern)), matchCase_(matchCase) {}

bool WildcardPattern::matches(std::u16string_view text) const {
    return matchCase_ ? pattern_.matches(text) : pattern_.matches(foldedCopy(text));
}

bool wildcardMatch(std::u16string_view pattern, std::u16string_view text, bool matchCase) {
    return WildcardPattern(pattern, matchCase).matches(text);
}

// ---------------------------------------------------------------- Criterion

Criterion Criterion::parse(const host::Variant& criterion) { return parse(criterion, currentYear()); }

Criterion Criterion::parse(const host::Variant& criterion, int currentYear) {
    Criterion c;
    c.year_ = currentYear;
    switch (criterion.kind()) {
    case host::VariantKind::Empty: c.kind_ = Kind::Nothing; break;
    case host::VariantKind::Number:
    case host::VariantKind::Date: c.kind_ = Kind::Number; break;
    case host::VariantKind::Boolean: c.kind_ = Kind::Boolean; break;
    case host::VariantKind::Error: c.kind_ = Kind::Error; break;
    case host::VariantKind::Text: return parseText(criterion.text(), currentYear);
    }
    c.number_ = criterion.number();
    c.error_ = criterion.isError() ? criterion.errorCode() : 0;
    return c;
}

Criterion Criterion::parseText(std::u16string_view text, int currentYear) {
    if (text.size() > kMaxCriterionLength)
        throw host::Error(host::errApplication, "Criterion is longer than 255 characters");
    struct Prefix {
        std::u16string_view text;
        Op op;
    };
    static constexpr Prefix kPrefixes[] = {
        {u"<>", Op::NotEqual}, {u"<=", Op::LessEqual}, {u">=", Op::GreaterEqual},
        {u"<", Op::Less},      {u">", Op::Greater},    {u"=", Op::Equal},
    };
    Criterion c;
    c.year_ = currentYear;
    std::u16string_view rest = text;
    for (const auto& prefix : kPrefixes) {
        if (!rest.starts_with(prefix.text)) continue;
        c.op_ = prefix.op;
        c.explicitEqual_ = prefix.op == Op::Equal;
        rest.remove_prefix(prefix.text.size());
        break;
    }
    if (const auto b = parseBoolean(rest)) {
        c.kind_ = Kind::Boolean;
        c.number_ = *b ? 1 : 0;
    } else if (const auto n = parseNumberOrDate(rest, currentYear)) {
        c.kind_ = Kind::Number;
        c.number_ = *n;
    } else if (const int code = host::errorCodeOf(rest)) {
        c.kind_ = Kind::Error;
        c.error_ = code;
    } else {
        c.kind_ = Kind::Text;
        c.emptyText_ = rest.empty();
        // "=" and "<>" match the pattern; "<", ">" and the rest compare the text as written.
        if (c.op_ == Op::Equal || c.op_ == Op::NotEqual)
            c.pattern_ = WildcardPattern(rest);
        else
            c.text_ = std::u16string(rest);
    }
    return c;
}

bool Criterion::holds(int comparison) const {
    switch (op_) {
    case Op::Equal: return comparison == 0;
    case Op::NotEqual: return comparison != 0;
    case Op::Less: return comparison < 0;
    case Op::LessEqual: return comparison <= 0;
    case Op::Greater: return comparison > 0;
    case Op::GreaterEqual: return comparison >= 0;
    }
    return false;
}

// Whether the cell equals the operand, in the sense of "=" and "<>".
bool Criterion::equalityHolds(const host::Variant& cell) const {
    switch (kind_) {
    case Kind::Nothing: return false;
    case Kind::Boolean: return cell.isBoolean() && cell.number() == number_;
    case Kind::Error: return cell.isError() && cell.errorCode() == error_;
    case Kind::Number:
        if (isNumeric(cell)) return cell.number() == number_;
        if (!cell.isText()) return false;
        if (const auto n = parseNumberOrDate(cell.text(), year_)) return *n == number_;
        return false;
    case Kind::Text:
        if (!emptyText_) return cell.isText() && pattern_.matches(cell.text());
        if (explicitEqual_) return cell.isEmpty();
        return cell.isEmpty() || (cell.isText() && cell.text().empty());
    }
    return false;
}

// "<", "<=", ">", ">=": only cells of the operand's own kind compare.
bool Criterion::orderingHolds(const host::Variant& cell) const {
    switch (kind_) {
    case Kind::Number: return isNumeric(cell) && holds(compareNumbers(cell.number(), number_));
    case Kind::Boolean: return cell.isBoolean() && holds(compareNumbers(cell.number(), number_));
    case Kind::Text: return cell.isText() && holds(compareIgnoringCase(cell.text(), text_));
    case Kind::Nothing:
    case Kind::Error: return false;
    }
    return false;
}

bool Criterion::matches(const host::Variant& cell) const {
    switch (op_) {
    case Op::Equal: return equalityHolds(cell);
    case Op::NotEqual:
        if (kind_ == Kind::Text && emptyText_) return !cell.isEmpty();
        if (kind_ == Kind::Number && cell.isText()) return true;  // texts never equal a number
        return !equalityHolds(cell);
    default: return orderingHolds(cell);
    }
}

bool Criterion::indexKey(std::u16string& key) const {
    if (op_ != Op::Equal) return false;
    switch (kind_) {
    case Kind::Nothing: key = kNoCellKey; return true;
    case Kind::Boolean: booleanKey(number_ != 0, key); return true;
    case Kind::Number:
        if (std::isnan(number_))
            key = kNoCellKey;
        else
            numberKey(number_, key);
        return true;
    case Kind::Error: errorKey(error_, key); return true;
    case Kind::Text:
        if (emptyText_) {
            if (explicitEqual_)
                key = kTrulyEmptyKey;
            else
                textKey(u"", key);
            return true;
        }
        if (pattern_.hasWildcards()) return false;
        textKey(pattern_.literal(), key);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- matchKeys

std::vector<std::u16string> matchKeys(const host::Variant& cell) { return matchKeys(cell, currentYear()); }

std::vector<std::u16string> matchKeys(const host::Variant& cell, int currentYear) {
    std::vector<std::u16string> keys;
    forEachMatchKey(cell, currentYear, [&](std::u16string_view key) { keys.emplace_back(key); });
    return keys;
}

void forEachMatchKey(const host::Variant& cell, int currentYear,
                     const std::function<void(std::u16string_view)>& visit) {
    thread_local std::u16string key;  // one string, reused: `visit` must not ask for keys itself
    switch (cell.kind()) {
    case host::VariantKind::Empty:
        textKey(u"", key);
        visit(key);
        visit(kTrulyEmptyKey);
        return;
    case host::VariantKind::Number:
    case host::VariantKind::Date: numberKey(cell.number(), key); break;
    case host::VariantKind::Boolean: booleanKey(cell.boolean(), key); break;
    case host::VariantKind::Error: errorKey(cell.errorCode(), key); break;
    case host::VariantKind::Text:
        textKey(cell.text(), key);
        foldCaseSimpleFrom(key, 1);
        visit(key);
        if (const auto n = parseNumberOrDate(cell.text(), currentYear)) {
            numberKey(*n, key);
            visit(key);
        }
        return;
    }
    visit(key);
}

}  // namespace engine
