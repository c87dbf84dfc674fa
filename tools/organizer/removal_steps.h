#pragma once
// Steps the empty row, column and cell routines share: their opening, the one-step bulk
// deletion's end, the optional space-only pass, the count read-out, the progress of the
// walks that count positions rather than items, and the active cell kept by the runners.
#include <functional>
#include <string>
#include <string_view>

#include "forms/simple_controls.h"
#include "host/fwd.h"

namespace tools::organizer {

// The active sheet's cells, or nothing when there is no active sheet.
host::RangePtr activeSheetCells();

// Stop flag cleared, Stop shown; false (after "Active Sheet is totally Empty!") when the
// active sheet holds nothing.
bool removalOpening();

// Runs the bulk deletion (errors ignored), hides the Stop button and ends the run with
// `message`.
void removalBulkEnd(const std::u16string& message, const std::function<void()>& deletion);

// The space-only pass over the work range when chkCleanWhiteSpaces is ticked.
void cleanBeforeRemoval(const host::RangePtr& work);

// lblDOSelCells := the number of cells of the work range.
void showSelectedCells(const host::RangePtr& work);

// prefix + round(done × 100 / total) + " %" into the label (skipped on overflow).
void showPercentOf(forms::Label& label, std::u16string_view prefix, long done, long total);

// The active cell's address ("" without one), and activating that address again.
std::u16string activeCellAddress();
void activateCell(const std::u16string& address);

}  // namespace tools::organizer
