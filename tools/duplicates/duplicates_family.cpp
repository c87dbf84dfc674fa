#include "tools/duplicates/duplicates_family.h"

#include "tools/duplicates/duplicate_cleaner.h"
#include "tools/duplicates/frm_dup_prev.h"

namespace tools::duplicates {

void registerFamily(shell::FamilySetUps& setUps, dialog::ToolRoutines& routines) {
    setUps.duplicateCleaner = setUpDuplicateCleanerDialog;
    setUps.duplicatePreventer = showDuplicatePreventer;
    routines.removeDuplicates = removeDuplicates;
    routines.removeFromSecondList = removeFromSecondList;
    routines.removeUniques = removeUniques;
}

}  // namespace tools::duplicates
