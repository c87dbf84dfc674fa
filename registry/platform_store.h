#pragma once
// The platform's own registry: Win32 in a Windows build, else the Wine prefix's files.
#include <memory>

#include "registry/registry_store.h"

namespace registry {

std::shared_ptr<RegistryStore> makePlatformRegistryStore();

}  // namespace registry
