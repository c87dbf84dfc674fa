#pragma once
// Command dispatch: the ribbon's door (RibbonHandler) and the pieces the legacy menu's door
// (cbToolButton::cbBtn_Click) shares with it.
#include "host/ribbon.h"
#include "shell/command_catalogue.h"

namespace shell {

// onAction of every ribbon button. With a workbook open: empties the family keys and runs a
// tool, Undo or Redo command; without one: shows msgNoWorkbook in frmAlert. Then, in both
// cases, runs About, Help, Feedback or Exit. A host error ends the handler.
void RibbonHandler(const host::IRibbonControl& control);

// A command that needs an open workbook: the family's set-up with the command key, or undo
// or redo; with `refreshRibbon` undo and redo also set the ribbon's Undo and Redo states.
void runWorkbookCommand(const CatalogueEntry& command, bool refreshRibbon);

// About and Help show frmToolTour, Feedback frmRE (both modally), Exit asks to exit.
void runShellCommand(TargetFamily target);

}  // namespace shell
