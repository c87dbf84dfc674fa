#include "tools/organizer/organizer_family.h"

#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/set_up_data_organizer_dialog.h"

namespace tools::organizer {

void registerFamily(shell::FamilySetUps& setUps, dialog::ToolRoutines& routines) {
    setUps.dataOrganizer = setUpDataOrganizerDialog;
    routines.runEmptyRowTools = runEmptyRowTools;
    routines.runEmptyColumnTools = runEmptyColumnTools;
    routines.runEmptySheetTool = runEmptySheetTool;
    routines.runObjectTool = runObjectTool;
    routines.convertCase = convertCase;
    routines.paintEveryNthRow = paintEveryNthRow;
    routines.paintDuplicateRows = paintDuplicateRows;
    routines.paintUniqueRows = paintUniqueRows;
    routines.transposeColumn = transposeColumn;
}

}  // namespace tools::organizer
