#pragma once
// The dispatch table of frmMain's Yes button: which tool routine a family key starts. The
// table is data, in its fixed order; each row names its routine, and a tool family binds
// its routines to those names (one binding per routine, next to its set-up). A row whose
// routine is not bound yet matches nothing.
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace dialog {

enum class Family { DataOrganizer, TextCleaner, DuplicateCleaner, CountTools };

// What the row hands its routine, taken from the key or fixed.
enum class ArgumentFrom { Nothing, LastTwoCharacters, LastFourCharacters, False, True };

struct ToolArgument {
    std::u16string text;  // the characters taken from the key, or empty
    bool flag = false;    // the fixed Boolean of the row
};
using ToolRoutine = std::function<void(const ToolArgument&)>;

struct DispatchRow {
    Family family;
    std::u16string_view key;  // the whole key, or the characters the key must begin with
    bool matchesPrefix;
    std::u16string_view routine;
    ArgumentFrom argument;
};

// The rows in the order they are tested.
std::span<const DispatchRow> dispatchTable();

// Binds `routine` to a name of the table (or to "runEmptySheetTool"); returns what was
// bound before (empty when nothing), so a caller can put it back.
ToolRoutine bindToolRoutine(std::u16string_view name, ToolRoutine routine);

// A binding made when the program starts: `static const ToolRoutineBinding b{u"runX", ...};`
struct ToolRoutineBinding {
    ToolRoutineBinding(std::u16string_view name, ToolRoutine routine);
};

// Tests every row in order against its family key and calls each matching, bound routine.
void runDispatchTable();

// Calls the routine bound to `name` with `argument`; false when none is bound.
bool callToolRoutine(std::u16string_view name, const ToolArgument& argument = {});

}  // namespace dialog
