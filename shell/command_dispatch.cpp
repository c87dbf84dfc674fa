#include "shell/command_dispatch.h"

#include <string>

#include "host/application.h"
#include "shell/exit_confirmation.h"
#include "shell/family_keys.h"
#include "shell/family_set_ups.h"
#include "shell/feedback_window.h"
#include "shell/frm_alert.h"
#include "shell/frm_tool_tour.h"
#include "shell/host_references.h"
#include "shell/language_state.h"
#include "shell/object_required.h"
#include "shell/undo_redo.h"

namespace shell {

namespace {

void setRibbonButtons(bool undo, bool redo) { setUndoRedoState(undo, redo); }

void showNoWorkbookAlert() {
    frmAlert().lblMessage.setCaption(msgNoWorkbook);
    frmAlert().Show();
}

}  // namespace

void runWorkbookCommand(const CatalogueEntry& command, bool refreshRibbon) {
    switch (command.target) {
    case TargetFamily::Undo:
        undoLastAction();
        if (refreshRibbon) setRibbonButtons(false, true);
        return;
    case TargetFamily::Redo:
        redoLastAction();
        if (refreshRibbon) setRibbonButtons(true, false);
        return;
    default:
        if (isShellCommand(command.target)) return;
        std::u16string commandKey(command.commandKey);
        setUpFamily(command.target, commandKey);
        return;
    }
}

void runShellCommand(TargetFamily target) {
    switch (target) {
    case TargetFamily::ToolTour: frmToolTour().Show(); return;
    case TargetFamily::Feedback: frmRE().Show(); return;
    case TargetFamily::Exit: exitConfirmation(); return;
    default: return;
    }
}

void RibbonHandler(const host::IRibbonControl& control) {
    if (objectOf(hostApplication).Workbooks()->Count() != 0) {
        clearFamilyKeys();
        const auto command = commandForControlId(control.Id());
        if (command && !isShellCommand(command->target)) runWorkbookCommand(*command, true);
    } else {
        showNoWorkbookAlert();
    }
    const auto command = commandForControlId(control.Id());
    if (command && isShellCommand(command->target)) runShellCommand(command->target);
}

}  // namespace shell
