#pragma once
// The "Cellwash" menu of Calc's menu bar as LibreOffice's add-on configuration (Addons.xcu),
// made from the add-in's ribbon definition through its own callbacks: the tab is the menu,
// its groups are parted by separators, buttons are entries and dynamic menus submenus filled
// from their getContent XML (titled separators become greyed-out title entries). Every entry
// dispatches vnd.cellwash:<control id>; controls the add-in hides are left out. Labels are
// those of the add-in's active language when the menu is made; the protocol handler gives the
// live label and enabled state while Calc runs.
#include <string>

#include "host/calc/calc_ribbon.h"

namespace apps::calc {

std::string addonsXcu(host::calc::CalcRibbon& ribbon);

}  // namespace apps::calc
