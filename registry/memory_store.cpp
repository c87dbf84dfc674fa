#include "registry/memory_store.h"

#include <strings.h>

#include "registry/environment.h"

namespace registry {

std::string MemoryRegistryStore::expandEnvironmentStrings(const std::string& text) {
    return expandReferences(text, [this](const std::string& name) -> std::optional<std::string> {
        for (const auto& [key, value] : environment_)
            if (strcasecmp(key.c_str(), name.c_str()) == 0) return value;
        return std::nullopt;
    });
}

}  // namespace registry
