#include "tools/tool_families.h"

#include "dialog/tool_dispatch.h"
#include "shell/family_set_ups.h"
#include "tools/count/count_family.h"
#include "tools/duplicates/duplicates_family.h"
#include "tools/organizer/organizer_family.h"
#include "tools/text/text_family.h"

namespace tools {

void registerToolFamilies() {
    shell::FamilySetUps& setUps = shell::familySetUps();
    dialog::ToolRoutines& routines = dialog::toolRoutines();
    text::registerFamily(setUps, routines);
    duplicates::registerFamily(setUps, routines);
    organizer::registerFamily(setUps, routines);
    count::registerFamily(setUps, routines);
}

}  // namespace tools
