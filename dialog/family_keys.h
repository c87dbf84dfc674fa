#pragma once
// The process-wide state the tool dialog shares with dispatch and the tools: the family key
// variables, in which a family's set-up names the tool it has prepared (emptied by dispatch
// before every command, read by cmdYes_Click), and the count page's option-click guard.
#include <string>

namespace dialog {

inline std::u16string activeDOKey;  // data organizer: "DataOrganizer1", "DO5to8_UC", ...
inline std::u16string activeTCKey;  // text cleaner: "TC1to8_RNUM", "TC9to14_RXLC", ...
inline std::u16string activeDCKey;  // duplicate cleaner: "DuplicateCleaner1", ...
inline std::u16string activeCTKey;  // count tools: "CountTool1to3", "CountTool4", ...

// Empties the four family keys, as dispatch does before it looks at a command.
inline void clearFamilyKeys() {
    activeDOKey.clear();
    activeTCKey.clear();
    activeDCKey.clear();
    activeCTKey.clear();
}

// True from frmMain's initialisation to the end of its first layout event: while set, the
// count page's scope options count nothing when selected.
inline bool suppressOptionClicks = false;

}  // namespace dialog
