#pragma once
// The Exit command: asks the user, and on Yes has the host disconnect the add-in.

namespace shell {

// The ProgID the add-in is registered and listed under.
inline constexpr char16_t cellwashKitProgId[] = u"CellwashKit.Connect";

// "Do you want to exit?" with Yes and No; Yes sets the add-in's COM add-in entry to not
// connected, upon which the host runs the disconnection.
void exitConfirmation();

}  // namespace shell
