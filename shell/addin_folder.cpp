#include "shell/addin_folder.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace shell {

namespace {

std::filesystem::path chosenFolder;

// Any function of this library serves to find the file it was loaded from.
std::filesystem::path libraryFile() {
#if defined(_WIN32)
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&libraryFile), &module);
    wchar_t name[MAX_PATH] = {};
    GetModuleFileNameW(module, name, MAX_PATH);
    return std::filesystem::path(name);
#else
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&libraryFile), &info) && info.dli_fname)
        return std::filesystem::path(info.dli_fname);
    return {};
#endif
}

}  // namespace

std::filesystem::path addinFolder() {
    if (!chosenFolder.empty()) return chosenFolder;
    std::error_code ignored;
    return std::filesystem::absolute(libraryFile(), ignored).parent_path();
}

void setAddinFolder(std::filesystem::path folder) { chosenFolder = std::move(folder); }

}  // namespace shell
