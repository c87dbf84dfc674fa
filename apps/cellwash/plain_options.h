#pragma once
// The plain options of `cellwash run`: words a person who cleans data types (--mode shift-up,
// --colour grey-50, --count 3) instead of the dialog's control names. Each is a row of a
// table: the option (and, for a choice, its word), the tools whose dialogs show it, the
// controls it sets and the control whose caption says what it means. A plain option becomes
// the same settings and clicks on the tool's own dialog as --set/--click would give: the
// dialog stays the only way into a tool.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ui_driver.h"
#include "shell/command_catalogue.h"

namespace cli {

// What an option takes after its name.
enum class ValueKind {
    None,    // a flag: --non-printable
    Word,    // one of the rows' words: --mode entire-row
    Number,  // digits: --nth 3
    Text,    // any text: --chars "#!"
    Colour,  // a palette name or index: --colour grey-50
};

struct PlainFlag {
    std::string_view name;  // "--mode"
    ValueKind kind;
    std::string_view valueName;  // "N", "TEXT", "WORD", "NAME"
    std::string_view summary;    // one line for `run --help`, completion and the man page
};

// What a row does to one control.
enum class ControlEffect {
    None,
    Tick,         // --set CONTROL=true
    Clear,        // --set CONTROL=false
    TypeValue,    // --set CONTROL=VALUE
    ClickSwatch,  // --click the swatch the colour names
};

struct ControlStep {
    ControlEffect effect = ControlEffect::None;
    std::u16string_view control = {};
};

struct PlainOptionRow {
    std::string_view flag;                       // "--mode"
    std::string_view word;                       // the choice's word ("entire-row"), "" otherwise
    std::span<const std::u16string_view> tools;  // command keys (ribbon ids for tools without one)
    std::array<ControlStep, 2> steps;
    std::u16string_view captionControl;  // the control whose caption the row stands for
};

// A plain option as the user gave it; value is empty for a flag.
struct PlainSetting {
    std::string flag;
    std::string value;
};

std::span<const PlainFlag> plainFlags();
std::span<const PlainOptionRow> plainOptionRows();
const PlainFlag* findPlainFlag(std::string_view name);

// The key the table knows a tool by: its command key, or its ribbon id when it has none.
std::u16string_view toolKeyOf(const shell::CatalogueEntry& tool);
std::vector<const PlainOptionRow*> rowsForTool(const shell::CatalogueEntry& tool);

// The dialog actions of the settings, in the table's order. A setting the tool's dialog does
// not show, or a value the option does not take, is Failure(kUsage) naming what would fit.
std::vector<forms::UserAction> dialogActionsOf(const shell::CatalogueEntry& tool, const std::string& toolName,
                                               const std::vector<PlainSetting>& settings);

// The row's --set/--click equivalent, as `run TOOL --help` shows it ("--set optDelEntire=true").
std::string dialogEquivalent(const PlainOptionRow& row);

// The colours of the dialog's palette: a name to type, the swatch it clicks, the tip the
// swatch shows and the host's colour index.
struct PaletteColour {
    std::string name;  // "grey-50"
    std::u16string_view swatch;
    std::u16string_view tip;
    int index;
};
const std::vector<PaletteColour>& paletteColours();
// By name (without regard to case, "gray" for "grey") or by colour index; nullptr if none.
const PaletteColour* findColour(std::string_view nameOrIndex);

}  // namespace cli
