#pragma once
// Hands a tool command to its family: the family's dialog set-up with the command key, or the
// duplicate preventer's own window. The set-ups are a table of typed slots that the tool
// families fill when the add-in registers them (each family's registerFamily).
#include <functional>
#include <string>

#include "shell/command_catalogue.h"

namespace shell {

// A set-up takes the command key by reference, as the set-ups declare it.
using FamilySetUp = std::function<void(std::u16string& commandKey)>;

struct FamilySetUps {
    FamilySetUp textCleaner;         // setUpTextCleanerDialog
    FamilySetUp duplicateCleaner;    // setUpDuplicateCleanerDialog
    FamilySetUp duplicatePreventer;  // frmDupPrev
    FamilySetUp dataOrganizer;       // setUpDataOrganizerDialog
    FamilySetUp countTool1to3;       // StartCountTool1to3
    FamilySetUp countTool4to5;       // StartCountTool4to5
};

// The add-in's set-ups, filled by the families' registration.
FamilySetUps& familySetUps();

// Runs the set-up of `target` with `commandKey`. Targets that are the shell's own commands
// (undo, redo, tour, feedback, exit) have none, and neither has a family not registered.
void setUpFamily(TargetFamily target, std::u16string& commandKey);

}  // namespace shell
