#pragma once
// Every callback the ribbon definition and the dynamic menus name, by name, as Connect hands
// them to the host.
#include "host/ribbon_extensibility.h"

namespace shell {

host::RibbonCallbackTable makeRibbonCallbackTable();

}  // namespace shell
