#pragma once
// The ribbon's own callbacks: its definition, its load, the Undo and Redo states and the
// always hidden user-defined duplicate item.
#include <string>

#include "host/ribbon.h"

namespace shell {

// The ribbon definition: resource 101 taken as 8-bit text.
std::u16string ribbonDefinition();

// Keeps the host's ribbon object as ribbonUI for later refresh requests.
void OnRibbonLoad(const host::IRibbonUIPtr& ribbon);

bool GetEnabledUndo(const host::IRibbonControl& control);  // undoEnabled
bool GetEnabledRedo(const host::IRibbonControl& control);  // redoEnabled
bool chkDupesUD(const host::IRibbonControl& control);      // always false

}  // namespace shell
