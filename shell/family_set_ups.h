#pragma once
// Hands a tool command to its family: the family's dialog set-up with the command key, or the
// duplicate preventer's own window.
#include <string>

#include "shell/command_catalogue.h"

namespace shell {

// Runs the set-up of `target` with `commandKey` (by reference, as the set-ups take it).
// A family whose set-up is not part of this build does nothing.
void setUpFamily(TargetFamily target, std::u16string& commandKey);

// True when setUpFamily reaches a set-up for `target` in this build.
bool familyIsWired(TargetFamily target);

}  // namespace shell
