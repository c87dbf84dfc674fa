#include "apps/windows/module_state.h"

namespace apps::windows {

namespace {
HMODULE module = nullptr;
std::atomic<long> locks{0};
}  // namespace

HMODULE moduleHandle() { return module; }
void setModuleHandle(HMODULE handle) { module = handle; }
void lockModule() { ++locks; }
void unlockModule() { --locks; }
bool moduleInUse() { return locks.load() > 0; }

}  // namespace apps::windows
