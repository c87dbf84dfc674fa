#pragma once
// The command catalogue: every command of the add-in, reachable by its ribbon control id or
// its legacy menu tag, with the command key its target receives and the target itself.
#include <optional>
#include <span>
#include <string_view>

namespace shell {

// Where a command goes: a tool family's dialog set-up, or one of the shell's own commands.
enum class TargetFamily {
    TextCleaner,         // setUpTextCleanerDialog
    DuplicateCleaner,    // setUpDuplicateCleanerDialog
    DuplicatePreventer,  // frmDupPrev, shown modally
    DataOrganizer,       // setUpDataOrganizerDialog
    CountTool1to3,       // StartCountTool1to3
    CountTool4to5,       // StartCountTool4to5
    Undo,                // undoLastAction
    Redo,                // redoLastAction
    ToolTour,            // frmToolTour, shown modally (About and Help)
    Feedback,            // frmRE, shown modally
    Exit,                // the exit confirmation
};

struct CatalogueEntry {
    std::u16string_view controlId;   // ribbon control id
    std::u16string_view legacyTag;   // legacy menu button tag
    std::u16string_view commandKey;  // empty for commands that take none
    TargetFamily target;
};

std::span<const CatalogueEntry> commandCatalogue();

// Exact, case-sensitive lookups; nothing for an id or tag the catalogue does not hold.
std::optional<CatalogueEntry> commandForControlId(std::u16string_view controlId);
std::optional<CatalogueEntry> commandForLegacyTag(std::u16string_view legacyTag);

// The shell commands (About, Help, Feedback, Exit) run whether or not a workbook is open;
// every other command runs only while one is.
bool isShellCommand(TargetFamily target);

}  // namespace shell
