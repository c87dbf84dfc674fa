#pragma once
// The family key variables: the tool each family's dialog set-up has prepared ("DataOrganizer1",
// "TC1to8_RNUM", "DuplicateCleaner2", "CountTool4"). Command dispatch empties all four before
// every command while a workbook is open; the dialog's confirmation reads them.
#include <string>

namespace shell {

inline std::u16string activeDOKey;  // data organizer
inline std::u16string activeTCKey;  // text cleaner
inline std::u16string activeDCKey;  // duplicate cleaner
inline std::u16string activeCTKey;  // count tools

inline void clearFamilyKeys() {
    activeDOKey.clear();
    activeTCKey.clear();
    activeDCKey.clear();
    activeCTKey.clear();
}

}  // namespace shell
