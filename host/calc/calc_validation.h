#pragma once
// Validation over Calc's validity (a range's "Validation" property: a TableValidation with its
// condition). Calc enforces it when a person types into a cell: a stop rule refuses the entry
// with the rule's error message, as the object model's host does.
//
// A custom rule's formula is the object model's (English names, `,` between arguments, `=` in
// front); Calc's validity holds it with `;` between arguments, its relative references counted
// from the active cell as the object model counts them.
#include <memory>

#include "host/calc/calc_range.h"

namespace host::calc {

host::ValidationPtr makeValidation(std::shared_ptr<const CalcRange> range);

// `,` between arguments to Calc's `;` and back, outside quoted text; the leading `=` dropped
// or given.
std::u16string toCalcFormulaSeparators(const std::u16string& formula);
std::u16string fromCalcFormulaSeparators(const std::u16string& formula);

}  // namespace host::calc
