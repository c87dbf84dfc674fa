#pragma once
// The DLL's own state: its module handle, and the count of live objects and server locks that
// DllCanUnloadNow answers from.
#include <windows.h>

#include <atomic>

namespace apps::windows {

HMODULE moduleHandle();
void setModuleHandle(HMODULE module);

void lockModule();
void unlockModule();
bool moduleInUse();

}  // namespace apps::windows
