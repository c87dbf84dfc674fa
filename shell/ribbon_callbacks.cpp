#include "shell/ribbon_callbacks.h"

#include "resources/resource_text.h"
#include "resources/resources.h"
#include "shell/host_references.h"
#include "shell/undo_redo.h"

namespace shell {

namespace {
constexpr int ribbonDefinitionResource = 101;
}

std::u16string ribbonDefinition() { return resources::narrowText(resources::customResource(ribbonDefinitionResource)); }

void OnRibbonLoad(const host::IRibbonUIPtr& ribbon) { ribbonUI = ribbon; }

bool GetEnabledUndo(const host::IRibbonControl&) { return undoEnabled; }

bool GetEnabledRedo(const host::IRibbonControl&) { return redoEnabled; }

bool chkDupesUD(const host::IRibbonControl&) { return false; }

}  // namespace shell
