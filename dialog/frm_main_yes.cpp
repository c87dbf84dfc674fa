// cmdYes_Click: the user's consent. Takes the undo snapshot (except for the empty-sheets
// tool, which changes sheets, not cells), then runs the tool through the dispatch table.
#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/tool_dispatch.h"
#include "shell/resume_next.h"
#include "shell/undo_redo.h"

namespace dialog {

namespace {

void snapshotAndEnableUndo() {
    shell::resumeNext([] { shell::takeUndoSnapshot(); });
    bool undo = true;
    bool redo = false;
    shell::setUndoRedoState(undo, redo);
}

}  // namespace

void FrmMain::cmdYes_Click() {
    setRunButtonsEnabled(false);
    if (activeDOKey == u"DataOrganizer3") {
        callRoutine(toolRoutines().runEmptySheetTool);
    } else {
        snapshotAndEnableUndo();
        runDispatchTable();
    }
    // The tools normally unload the dialog before their message; this one may be gone.
    if (Loaded()) setRunButtonsEnabled(true);
}

}  // namespace dialog
