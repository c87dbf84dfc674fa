#pragma once
// COUNTIF criteria: an operator and a boolean, number, error or text operand, matched against
// cell values the way the host's COUNTIF matches them; the keys of the engine's count index;
// and the wildcard patterns (? * ~) that COUNTIF and Find share.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/variant.h"
#include "host/worksheet_text.h"

namespace engine {

// A wildcard pattern as COUNTIF and Find compare it (host/worksheet_text.h), ignoring case by
// simple case folding unless asked to match it.
class WildcardPattern {
public:
    WildcardPattern() = default;
    explicit WildcardPattern(std::u16string_view pattern, bool matchCase = false);
    bool matches(std::u16string_view text) const;
    bool hasWildcards() const { return pattern_.hasWildcards(); }
    // The literal units of the pattern (case-folded unless matching case); the whole pattern
    // when it has no wildcards.
    const std::u16string& literal() const { return pattern_.literal(); }

private:
    host::WildcardPattern pattern_;
    bool matchCase_ = false;
};

class Criterion {
public:
    // A cell value or a typed criterion text ("<>5", ">=1/2/2024", "app*", "=", "#N/A");
    // numbers, dates, booleans and errors as values mean equality. An empty value matches
    // nothing. A text longer than 255 code units: host::Error 1004.
    static Criterion parse(const host::Variant& criterion);
    // As parse, with the year that a date without one ("1/2") falls in.
    static Criterion parse(const host::Variant& criterion, int currentYear);

    // cell: Empty is a truly empty cell; Text "" is a formula returning "".
    bool matches(const host::Variant& cell) const;

    // For the engine's count index: an equality criterion without wildcards has a key, and a
    // cell matches it exactly when the key is among matchKeys(cell). The key is written to
    // `key`; false, and `key` left as it was, for a criterion without one.
    bool indexKey(std::u16string& key) const;

private:
    enum class Kind { Nothing, Boolean, Number, Error, Text };
    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    static Criterion parseText(std::u16string_view text, int currentYear);
    bool equalityHolds(const host::Variant& cell) const;
    bool orderingHolds(const host::Variant& cell) const;
    bool holds(int comparison) const;  // comparison of cell with operand: <0, 0, >0

    Kind kind_ = Kind::Nothing;
    Op op_ = Op::Equal;
    bool explicitEqual_ = false;  // "=" written out (only "=" alone differs from "")
    double number_ = 0;           // number, serial, or 1/0 of a boolean
    int error_ = 0;
    bool emptyText_ = false;   // a text operand that is empty
    std::u16string text_;      // the text operand as written, for "<", "<=", ">", ">="
    WildcardPattern pattern_;  // the text operand of "=" and "<>"
    int year_ = 1900;
};

// The keys under which the engine's count index files a cell value: a text under its folded
// text (and its number when it reads as one), a number or date under its number, a boolean,
// an error under its code; a truly empty cell under the keys of "" and "=".
std::vector<std::u16string> matchKeys(const host::Variant& cell);
std::vector<std::u16string> matchKeys(const host::Variant& cell, int currentYear);
// The same keys handed to `visit` one by one, for the index's per-cell upkeep.
void forEachMatchKey(const host::Variant& cell, int currentYear, const std::function<void(std::u16string_view)>& visit);

// Find's comparison: the whole text against the pattern, wildcards as in COUNTIF.
bool wildcardMatch(std::u16string_view pattern, std::u16string_view text, bool matchCase = false);

}  // namespace engine
