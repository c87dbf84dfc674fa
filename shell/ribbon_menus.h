#pragma once
// The contents of the ribbon's four dynamic tool menus, returned when the user opens one.
// Fixed texts: no state is read.
#include <string>

#include "host/ribbon.h"

namespace shell {

std::u16string GetTextCleanerContent(const host::IRibbonControl& control);
std::u16string GetDuplicateCleanerContent(const host::IRibbonControl& control);
std::u16string GetDataOrganizerContent(const host::IRibbonControl& control);
std::u16string GetWordCountContent(const host::IRibbonControl& control);

}  // namespace shell
