#include "shell/family_set_ups.h"

namespace shell {

namespace {

const FamilySetUp* setUpOf(const FamilySetUps& setUps, TargetFamily target) {
    switch (target) {
    case TargetFamily::TextCleaner: return &setUps.textCleaner;
    case TargetFamily::DataOrganizer: return &setUps.dataOrganizer;
    case TargetFamily::DuplicateCleaner: return &setUps.duplicateCleaner;
    case TargetFamily::DuplicatePreventer: return &setUps.duplicatePreventer;
    case TargetFamily::CountTool1to3: return &setUps.countTool1to3;
    case TargetFamily::CountTool4to5: return &setUps.countTool4to5;
    default: return nullptr;
    }
}

}  // namespace

FamilySetUps& familySetUps() {
    static FamilySetUps setUps;
    return setUps;
}

void setUpFamily(TargetFamily target, std::u16string& commandKey) {
    const FamilySetUp* slot = setUpOf(familySetUps(), target);
    if (!slot || !*slot) return;
    const FamilySetUp setUp = *slot;  // a set-up may be replaced while it runs
    setUp(commandKey);
}

}  // namespace shell
