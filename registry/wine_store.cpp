#include "registry/wine_store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "registry/environment.h"

namespace registry {

std::filesystem::path WineRegistryStore::defaultPrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::getuid());
        home = user ? user->pw_dir : "/";
    }
    return std::filesystem::path(home) / ".wine";
}

std::string WineRegistryStore::expandEnvironmentStrings(const std::string& text) {
    return expandReferences(text, processEnvironment);
}

std::string WineRegistryStore::problem() {
    std::string out = userHive.problem();
    if (!machineHive.problem().empty()) out += (out.empty() ? "" : "\n") + machineHive.problem();
    return out;
}

}  // namespace registry
