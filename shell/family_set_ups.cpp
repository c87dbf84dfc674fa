#include "shell/family_set_ups.h"

#include "dialog/set_up_data_organizer_dialog.h"
#include "tools/duplicates/duplicate_cleaner.h"
#include "tools/duplicates/frm_dup_prev.h"
#include "tools/text/text_cleaner_module.h"
#include "tools/count/count_tool_module.h"

namespace shell {

namespace {

using SetUp = void (*)(std::u16string& commandKey);

// The set-up of each family in this build: one include above and one case here per family,
// for example `case TargetFamily::DataOrganizer: return setUpDataOrganizerDialog;`. The
// families without a case are not built yet.
SetUp setUpOf(TargetFamily target) {
    switch (target) {
        case TargetFamily::TextCleaner: return tools::text::setUpTextCleanerDialog;
        case TargetFamily::DataOrganizer: return dialog::setUpDataOrganizerDialog;
        case TargetFamily::DuplicateCleaner: return duplicates::setUpDuplicateCleanerDialog;
        case TargetFamily::DuplicatePreventer: return duplicates::showDuplicatePreventer;
        case TargetFamily::CountTool1to3: return tools::count::StartCountTool1to3;
        case TargetFamily::CountTool4to5: return tools::count::StartCountTool4to5;
        default:
            return nullptr;
    }
}

}  // namespace

void setUpFamily(TargetFamily target, std::u16string& commandKey) {
    if (const SetUp setUp = setUpOf(target)) setUp(commandKey);
}

bool familyIsWired(TargetFamily target) { return setUpOf(target) != nullptr; }

}  // namespace shell
