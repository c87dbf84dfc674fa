#pragma once
// The duplicate cleaner and the duplicate preventer: the family's one entry point for the add-in, which fills the
// command set-ups and frmMain's tool routines with the family's own.
#include "dialog/tool_dispatch.h"
#include "shell/family_set_ups.h"

namespace tools::duplicates {

void registerFamily(shell::FamilySetUps& setUps, dialog::ToolRoutines& routines);

}  // namespace tools::duplicates
