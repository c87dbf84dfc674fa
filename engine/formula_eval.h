#pragma once
// Evaluation of a parsed formula against a sheet.
#include <optional>
#include <string>

#include "engine/formula.h"
#include "engine/formula_parser.h"
#include "host/variant.h"

namespace engine {

// The formula's value with its relative references shifted by the offsets. Failures are
// error values; host::Error from the context becomes #VALUE!.
host::Variant evaluateFormula(const ParsedFormula& formula, const FormulaContext& ctx, long rowOffset, long colOffset);

// The operators' conversions, shared with whoever needs them (formula results as text etc.).
// A number from a value: numbers, dates, booleans (1/0), empty (0), texts that read as a
// number or date; nullopt otherwise (and for errors).
std::optional<double> formulaNumber(const host::Variant& value);
// Text of a value as "&" and the text functions see it: numbers in the general format
// (dates as their serial), TRUE/FALSE, "" for empty. Not for errors.
std::u16string formulaText(const host::Variant& value);
// Comparison as "=", "<" ... see it: numbers < texts < booleans, texts without regard to
// case, empty as 0, "" or FALSE. Not for errors.
int compareFormulaValues(const host::Variant& a, const host::Variant& b);

}  // namespace engine
