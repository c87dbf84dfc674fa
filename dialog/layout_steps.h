#pragma once
// A set-up row of frmMain as data: the steps a family's set-up applies to the dialog for one
// command, in order. Each step runs with host errors ignored: a failing host call leaves its
// caption or count unchanged and the next step runs.
#include <span>
#include <string>
#include <string_view>

namespace dialog {

class FrmMain;

enum class LayoutOp {
    Caption,         // caption of `control` := text
    Text,            // text of the text box `control` := text
    Show,            // `control` visible
    Hide,            // `control` hidden
    Enable,          // `control` enabled
    Disable,         // `control` disabled
    Tick,            // check box ticked, option button selected
    Clear,           // check box cleared
    Height,          // height of `control` := number (points)
    Top,             // top of `control` := number (points)
    SelectionCount,  // caption of `control` := number of cells of the host's selection
    Special,         // run `special` (a step that needs the host or a condition)
};

struct LayoutStep {
    LayoutOp op;
    std::u16string_view control = {};
    std::u16string_view text = {};
    double number = 0;
    void (*special)(FrmMain&) = nullptr;
};

// How a set-up table names its rows: the command key, the tool key it stores, the steps.
struct SetUpRow {
    std::u16string_view commandKey;
    std::u16string_view toolKey;
    std::span<const LayoutStep> steps;
};

// The row of `commandKey`, or nullptr.
const SetUpRow* findSetUpRow(std::span<const SetUpRow> table, std::u16string_view commandKey);

void applyLayoutSteps(FrmMain& form, std::span<const LayoutStep> steps);

// The decimal text of a count, as captions show it.
std::u16string decimalText(long long value);

// The number of cells of the host's current selection, as decimal text (host errors reach
// the caller: a whole-sheet selection's count overflows, as the host's does).
std::u16string selectionCountText();

}  // namespace dialog
