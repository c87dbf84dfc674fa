#pragma once
// The data organizer's tool routines, called by frmMain's Yes button through its dispatch
// table. Each reads its options from frmMain, works on the active sheet (or the open
// workbooks), shows its progress in lblDOHeader1to4 and ends with its message in frmAlert.
#include <string>

#include "host/fwd.h"

namespace tools::organizer {

// Empty rows, columns and cells ("DataOrganizer1", "DataOrganizer2").
void runEmptyRowTools();
void runEmptyColumnTools();
void deleteBlankRows();
void deleteRowsWithEmptyCell();
void deleteEmptyCells(int shift);  // xlShiftUp or xlShiftToLeft
void deleteEmptyColumns();
// Empties every space-only cell of `cells`; `total` is the count the percentage is of.
void clearSpaceOnlyCells(long total, const host::RangePtr& cells);

// Empty sheets ("DataOrganizer3") and drawing objects, pictures, charts, comments
// ("DataOrganizer4").
void runEmptySheetTool();
void runObjectTool();
void deleteEmptySheets();
void deleteObjects();

// Case conversion ("DO5to8_UC", "DO5to8_LC", "DO5to8_PC", "DO5to8_SC").
void convertCase(const std::u16string& code);
void convertCellsCase(long total, const host::RangePtr& cells, int mode);  // 1 upper, 2 lower, 3 proper
void toSentenceCase(long total, const host::RangePtr& cells);

// Row colouring and transpose ("DataOrganizer9" to "DataOrganizer12").
void paintEveryNthRow();
void paintDuplicateRows();
void paintUniqueRows();
void transposeColumn();

}  // namespace tools::organizer
