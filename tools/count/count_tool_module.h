#pragma once
// The count tools: statistics of the active sheet, the active workbook or the selection
// (words, characters, sheets), and the duplicate, unique and distinct entries of the
// selection. Both read the workbook only; their dialog counts by itself when it is laid out
// and when the user changes the scope (see count_page_events.h).
#include <cstdint>
#include <string>

namespace dialog {
class FrmMain;
}

namespace tools::count {

// --- statistics (CT1 to CT3) ---

// Module-wide running totals, shared by the counting procedures and the dialog.
struct StatisticsTotals {
    std::int64_t words = 0;
    std::int64_t charsNoSpaces = 0;
    std::int64_t charsWithSpaces = 0;
    std::int64_t sheetsVisible = 0;
    std::int32_t sheetsHidden = 0;
};
inline StatisticsTotals statisticsTotals;

// With "countActiveSheet", "countAllSheet" or "countSelectedCells": "Active Sheet is Empty!"
// when the active sheet's used range holds nothing, otherwise the statistics dialog.
void StartCountTool1to3(std::u16string& commandKey);
// Selects the key's scope option, lays frmMain out for the statistics, shows it modally and
// yields once after it has closed.
void ShowCountTool1to3Dialog(std::u16string& commandKey);

void ResetCountTotals();
void CountStatsActiveSheet();
void CountStatsAllSheets();
void CountStatsSelection();
// Adds every sheet of the active workbook to sheetsHidden (visibility 0) or sheetsVisible.
void CountSheetsByVisibility();

// The five totals into the result labels of frmMain.
void ShowStatistics(dialog::FrmMain& form);
// On layout: the count of the selected scope, unless the dialog has been dragged or auto
// count is off.
void AutoCountOnLayout(dialog::FrmMain& form);

// --- duplicate and unique entries (CT4, CT5) ---

// Module-wide figures of the last tally.
struct EntryTally {
    std::int32_t cellCount = 0;
    std::int64_t distinctValues = 0;
    std::int64_t duplicateEntries = 0;
    std::int64_t singleValues = 0;
};
inline EntryTally entryTally;

// With "countDuplicates" or "countUniques": the empty checks, then the dialog.
void StartCountTool4to5(std::u16string& commandKey);
// Narrows the selection to the used range, tallies it and shows the figures; `showUnique`
// chooses the headline.
void CountEntriesInSelection(bool showUnique);
// Fills entryTally from the cells of the selection, writing the progress into the dialog.
void TallyEntries(std::int32_t cellCount);

}  // namespace tools::count
