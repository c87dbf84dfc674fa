#pragma once
// The dispatch table of frmMain's Yes button: which tool routine a family key starts. The
// table is data, in its fixed order; each row names its routine and calls it through a typed
// slot of ToolRoutines, which the tool families fill when the add-in registers them (each
// family's registerFamily). A row whose slot is empty matches nothing.
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace dialog {

class FrmMain;

enum class Family { DataOrganizer, TextCleaner, DuplicateCleaner, CountTools };

// The routines frmMain reaches, one slot per routine, with the routine's own parameters.
struct ToolRoutines {
    // The data organizer.
    std::function<void()> runEmptyRowTools;
    std::function<void()> runEmptyColumnTools;
    std::function<void()> runEmptySheetTool;  // Yes without the undo snapshot
    std::function<void()> runObjectTool;
    std::function<void(const std::u16string& code)> convertCase;
    std::function<void()> paintEveryNthRow;
    std::function<void()> paintDuplicateRows;
    std::function<void()> paintUniqueRows;
    std::function<void()> transposeColumn;
    // The duplicate cleaner.
    std::function<void(bool removeAll)> removeDuplicates;
    std::function<void()> removeFromSecondList;
    std::function<void()> removeUniques;
    // The text cleaner.
    std::function<void(const std::u16string& code)> runTC1to8;
    std::function<void(const std::u16string& code)> runTC9to14;
    // The count tools, from frmMain's layout event.
    std::function<void(FrmMain& form)> countToolsLayout;
};

// The add-in's routines, filled by the families' registration.
ToolRoutines& toolRoutines();

struct DispatchRow {
    Family family;
    std::u16string_view key;  // the whole key, or the characters the key must begin with
    bool matchesPrefix;
    std::u16string_view routine;  // the name of the slot the row calls
    // Calls the routine with what the row takes from `key`; false when the slot is empty.
    bool (*call)(const ToolRoutines& routines, std::u16string_view key);
};

// The rows in the order they are tested.
std::span<const DispatchRow> dispatchTable();

// Tests every row in order against its family key and calls each matching routine.
void runDispatchTable();

// Calls `slot` with `arguments` when it is set; false when it is empty. The routine runs
// from a copy, because it may replace slots while it runs.
template <class Slot, class... Arguments>
bool callRoutine(const Slot& slot, Arguments&&... arguments) {
    if (!slot) return false;
    const Slot routine = slot;
    routine(std::forward<Arguments>(arguments)...);
    return true;
}

}  // namespace dialog
