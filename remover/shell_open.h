#pragma once
// Opening a web address in the user's browser: the desktop's opener (xdg-open) here,
// the shell's open operation on Windows. Failures are not reported.
#include <functional>
#include <string>

namespace plugsweep {

using Opener = std::function<void(const std::u16string& address)>;

void shellOpen(const std::u16string& address);

// Replaces the opener (tests); an empty one restores the desktop's.
void setOpener(Opener opener);

}  // namespace plugsweep
