#pragma once
// The process-wide state the tool dialog shares with dispatch and the tools: the family key
// variables, in which a family's set-up names the tool it has prepared (emptied by dispatch
// before every command, read by cmdYes_Click), and the count page's option-click guard.
// The keys are the shell's own variables (dispatch empties them), named here as well.
#include "shell/family_keys.h"

namespace dialog {

using shell::activeCTKey;  // count tools: "CountTool1to3", "CountTool4", ...
using shell::activeDCKey;  // duplicate cleaner: "DuplicateCleaner1", ...
using shell::activeDOKey;  // data organizer: "DataOrganizer1", "DO5to8_UC", ...
using shell::activeTCKey;  // text cleaner: "TC1to8_RNUM", "TC9to14_RXLC", ...
using shell::clearFamilyKeys;

// True from frmMain's initialisation to the end of its first layout event: while set, the
// count page's scope options count nothing when selected.
inline bool suppressOptionClicks = false;

}  // namespace dialog
