#pragma once
// The legacy menu: the "&Cellwash" popup on the host's main menu bar, for hosts of version
// 11.0 and older, with one cbToolButton per button routing its clicks.
#include <memory>
#include <vector>

#include "shell/legacy_menu_button.h"

namespace shell {

using MenuButtonCollection = std::vector<std::shared_ptr<cbToolButton>>;

// Every cbToolButton of the menu built last; empty (nothing) after disconnection.
inline std::shared_ptr<MenuButtonCollection> menuButtons;
// The cbToolButton created last; empty after disconnection.
inline std::shared_ptr<cbToolButton> lastToolButton;

// Builds the menu as a permanent popup appended to the main menu bar, after removing one
// left from an earlier connection. Host errors skip the failing step.
void txtRemoverMB_Add();

// Deletes the "&Cellwash" popup of the main menu bar; fails (host error) when there is none.
void remMenuBar();

}  // namespace shell
