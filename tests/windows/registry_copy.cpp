#include "tests/windows/registry_copy.h"

#include <windows.h>

namespace cwtest {

bool copyUserClassesToMachine(const std::vector<std::wstring>& keys) {
    for (const auto& key : keys) {
        HKEY source = nullptr;
        HKEY target = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) return false;
        const LSTATUS created =
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
        const bool copied = created == ERROR_SUCCESS && RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
        RegCloseKey(source);
        if (target) RegCloseKey(target);
        if (!copied) return false;
    }
    return true;
}

bool removeMachineClasses(const std::vector<std::wstring>& keys) {
    bool ok = true;
    for (const auto& key : keys) ok = RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str()) == ERROR_SUCCESS && ok;
    return ok;
}

}  // namespace cwtest
