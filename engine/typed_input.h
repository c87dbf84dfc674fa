#pragma once
// Typed input: what a text written through Range.Value becomes, read with en-US rules
// (numbers, percentages, booleans, dates and times, formulas, quoted text).
#include <optional>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace engine {

struct TypedInput {
    enum class Kind { Empty, Value, Formula } kind;
    host::Variant value;     // for Kind::Value
    std::u16string formula;  // for Kind::Formula, with its leading '='
};

// "" -> Empty; "=..." -> Formula; "'abc" -> Text "abc"; numbers, TRUE/FALSE (any case) and
// dates or times become values; anything else stays text. Text longer than 32,767 code
// units: host::Error 1004.
TypedInput parseTypedInput(std::u16string_view text, int currentYear);
// The same for the text of a value; text that stays text keeps the value's own (no copy).
TypedInput parseTypedValue(const host::Variant& text, int currentYear);

// A number as typed: surrounding spaces, sign, digits with thousands separators in the
// right places, decimal point, exponent, trailing '%'. "1,234.5" -> 1234.5, "50%" -> 0.5.
std::optional<double> parseNumber(std::u16string_view text);
// "TRUE" / "FALSE" in any case.
std::optional<bool> parseBoolean(std::u16string_view text);
// A date or time as typed, as a serial (days since 1899-12-30): "1/2" (2 January of
// currentYear), "1/2/2024", "1/2/24", "2024-01-02", each optionally followed by a time;
// a time alone ("13:30", "1:30 PM", "1:30:15 am") is the fraction of a day.
std::optional<double> parseDate(std::u16string_view text, int currentYear);
// A number, else a date: how criteria and arithmetic read a text as a number.
std::optional<double> parseNumberOrDate(std::u16string_view text, int currentYear);
// False for a text that neither a number nor a date can be: after its leading spaces, and a
// sign, comes neither a digit nor a point. Most texts are told at once, without a parse.
bool mayBeNumberOrDate(std::u16string_view text);

// The year of the system clock's local date.
int currentYear();

}  // namespace engine
