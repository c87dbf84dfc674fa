#pragma once
// How DC1, DC2 and DC5 take an entry away: the three deletion options of the dialog.
#include "host/fwd.h"

namespace tools::duplicates {

enum class DeletionMode {
    None,           // no option selected: entries are found and counted, nothing is removed
    EntireRow,      // optDelEntireIfBlank: delete the cell's whole sheet row
    ShiftUp,        // optDelEmptyCells: delete the cell, cells below move up
    ClearContents,  // optDelEntire: empty the cell
};

// The first selected option, in the order the dialog lists them.
DeletionMode deletionModeOf(bool entireRowSelected, bool shiftUpSelected, bool clearSelected);

// Removes the cell by the mode; host errors reach the caller.
void removeCell(host::Range& cell, DeletionMode mode);

}  // namespace tools::duplicates
