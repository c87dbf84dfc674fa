#include "shell/legacy_menu_button.h"

#include "host/application.h"
#include "shell/command_catalogue.h"
#include "shell/command_dispatch.h"
#include "shell/family_keys.h"
#include "shell/host_references.h"
#include "shell/object_required.h"
#include "shell/resume_next.h"

namespace shell {

void cbToolButton::setCbBtn(const host::CommandBarControlPtr& button) {
    cbBtn_ = button;
    objectOf(button).bindClick(weak_from_this());
}

void cbToolButton::cbBtn_Click(const host::CommandBarControlPtr& Ctrl, bool& CancelDefault) {
    long workbookCount = 0;
    const bool counted = resumeNext([&] { workbookCount = objectOf(hostApplication).Workbooks()->Count(); });
    if (counted && workbookCount != 0) {
        resumeNext([] { clearFamilyKeys(); });
        resumeNext([&] {
            const auto command = commandForLegacyTag(objectOf(Ctrl).Tag());
            if (command && !isShellCommand(command->target)) runWorkbookCommand(*command, false);
        });
    }
    resumeNext([&] {
        const auto command = commandForLegacyTag(objectOf(Ctrl).Tag());
        if (command && isShellCommand(command->target)) runShellCommand(command->target);
    });
    CancelDefault = true;
}

}  // namespace shell
