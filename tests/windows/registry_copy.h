#pragma once
// Wine 8 looks up COM classes in the machine's hive only: the test host copies the current
// user's class keys there for the time of a run, and removes them after.
#include <string>
#include <vector>

namespace cwtest {

// Copies each key (a path under HKEY_CURRENT_USER) with its tree to the same path under
// HKEY_LOCAL_MACHINE. False when any copy fails.
bool copyUserClassesToMachine(const std::vector<std::wstring>& keys);
// Removes those paths from HKEY_LOCAL_MACHINE. False when any removal fails.
bool removeMachineClasses(const std::vector<std::wstring>& keys);

}  // namespace cwtest
