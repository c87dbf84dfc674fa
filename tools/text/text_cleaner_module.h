#pragma once
// The text cleaner family: the set-up of frmMain for its fourteen commands, the eight
// character-class tools (runTC1to8) and the six positional tools (runTC9to14).
#include <string>

namespace tools::text {

// Lays frmMain out for one of the fourteen text cleaner command keys, stores the tool key in
// activeTCKey and shows the dialog modally; returns when it has been closed. A key that is
// not one of the fourteen opens nothing.
void setUpTextCleanerDialog(std::u16string& commandKey);

// The character-class tools by code: "RNUM", "RALP", "RCAP", "RLOC", "RALS", "RLTS",
// "RAES", "RUSD". Works on the selection's part of the used range of the active sheet.
void runTC1to8(const std::u16string& code);

// The positional tools by code: "RALC", "RATC", "RXLC", "RXTC", "RLXC", "RTXC".
void runTC9to14(const std::u16string& code);

// `text` without every character that occurs in `set` (exact code units, order kept).
std::u16string stripChars(const std::u16string& text, const std::u16string& set);

}  // namespace tools::text
