#pragma once
// The duplicate preventer: a custom validation rule that accepts an entry only while it
// occurs exactly once in its column, put on the selection (or its whole columns) and taken
// off whole columns again.
#include <string>

#include "host/fwd.h"

namespace tools::duplicates {

// The rule's formula for `area`: "=CountIf(" + its first column's absolute address + "," +
// its first cell's address without "$" + ")=1".
std::u16string preventerFormula(const host::Range& area);

// Deletes any validation on `area` and adds the preventer's rule, its properties set in a
// fixed order (ignore blank, in-cell drop-down, input title, error title, input message, error
// message, show error). Each step ignores host errors.
void addPreventerRule(const host::RangePtr& area);

// Apply in frmDupPrev: reads optAct and chkSelCol and acts on the active sheet's selection.
void toggleDuplicatePreventer();

}  // namespace tools::duplicates
