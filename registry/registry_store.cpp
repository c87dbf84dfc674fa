#include "registry/registry_store.h"

#include "base/text.h"

namespace registry {

// UTF-8 is this platform's code page; the Win32 store overrides both with the system's.
std::string RegistryStore::toAnsi(std::u16string_view text) const { return base::utf8(text); }

std::u16string RegistryStore::fromAnsi(std::string_view text) const { return base::utf16(text); }

}  // namespace registry
