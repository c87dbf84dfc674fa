#include "registry/platform_store.h"

#ifdef _WIN32
#include "registry/win32_store.h"
#else
#include "registry/wine_store.h"
#endif

namespace registry {

std::shared_ptr<RegistryStore> makePlatformRegistryStore() {
#ifdef _WIN32
    return std::make_shared<Win32RegistryStore>();
#else
    return std::make_shared<WineRegistryStore>(WineRegistryStore::defaultPrefix());
#endif
}

}  // namespace registry
