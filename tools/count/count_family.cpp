#include "tools/count/count_family.h"

#include "tools/count/count_page_events.h"
#include "tools/count/count_tool_module.h"

namespace tools::count {

void registerFamily(shell::FamilySetUps& setUps, dialog::ToolRoutines& routines) {
    setUps.countTool1to3 = StartCountTool1to3;
    setUps.countTool4to5 = StartCountTool4to5;
    routines.countToolsLayout = countToolsLayout;
}

}  // namespace tools::count
