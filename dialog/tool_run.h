#pragma once
// The frame shared by the tool routines: the opening checks with their messages, the end of
// a run (dialog unloaded, message window shown), the target range, the walk over its cells,
// the start of the loop (stop flag cleared, Stop button shown) and the active cell put back.
#include <cstdint>
#include <string>
#include <string_view>

#include "host/fwd.h"
#include "host/range.h"

namespace dialog {

class FrmMain;

enum class OpeningCheck {
    ActiveSheetEmpty,         // COUNTA over the active sheet's cells is 0
    ActiveSheetTotallyEmpty,  // the same test, the wording of the cell tools
    SelectionEmpty,           // COUNTA over the target (selection within the used range) is 0
    SingleColumn,             // the selection spans more than one column
};

std::u16string_view openingCheckMessage(OpeningCheck check);

// Makes `check` on `subject` (the active sheet's cells, the target or the selection; a
// missing subject counts as empty). True when the run goes on, also when a host call of the
// check fails (the check is skipped); otherwise the run ends with the check's message.
bool passesOpeningCheck(OpeningCheck check, const host::RangePtr& subject);

// Ends a run: unloads frmMain (its Stop button goes with it), puts `message` into frmAlert's
// lblMessage and shows it modally.
void endRunWithMessage(const std::u16string& message);

// The part of the selection inside `sheet`'s used range; nullptr when they do not overlap.
host::RangePtr selectionInUsedRange(const host::WorksheetPtr& sheet);

// The number of cells of `range` (0 for none) as the 32-bit count the loops use.
std::int32_t cellCount(const host::RangePtr& range);

// Clears the stop flag and shows the page's Stop button cmdDO1to4Stop.
void startToolLoop(FrmMain& form);

// Visits the cells of `range` in the host's order (area by area, row by row, left to
// right) until `visit` returns false. Host errors of the walk itself reach the caller.
template <class Visit>
void forEachCell(const host::RangePtr& range, Visit&& visit) {
    if (!range) return;
    const host::AreasPtr areas = range->Areas();
    const long areaCount = areas->Count();
    for (long a = 1; a <= areaCount; ++a) {
        const host::RangePtr area = areas->Item(a);
        const long rows = area->Rows()->Count();
        const long columns = area->Columns()->Count();
        for (long r = 1; r <= rows; ++r)
            for (long c = 1; c <= columns; ++c)
                if (!visit(area->Cells(r, c))) return;
    }
}

// Remembers the address of the active cell and selects that address on the active sheet
// when it leaves scope, however the run ends. Host errors of either step are ignored.
class ActiveCellKeeper {
public:
    ActiveCellKeeper();
    ~ActiveCellKeeper();
    ActiveCellKeeper(const ActiveCellKeeper&) = delete;
    ActiveCellKeeper& operator=(const ActiveCellKeeper&) = delete;

private:
    std::u16string address_;
};

}  // namespace dialog
