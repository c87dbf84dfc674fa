#include "tools/text/text_family.h"

#include "tools/text/text_cleaner_module.h"

namespace tools::text {

void registerFamily(shell::FamilySetUps& setUps, dialog::ToolRoutines& routines) {
    setUps.textCleaner = setUpTextCleanerDialog;
    routines.runTC1to8 = runTC1to8;
    routines.runTC9to14 = runTC9to14;
}

}  // namespace tools::text
