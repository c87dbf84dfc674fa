#pragma once
// Win32RegistryStore — the Windows registry through advapi32's ANSI functions.
#ifdef _WIN32

#include "registry/registry_store.h"

namespace registry {

class Win32RegistryStore : public RegistryStore {
public:
    RegResult openKey(KeyHandle parent, const std::string& subKey, std::uint32_t access, KeyHandle& result) override;
    RegResult createKey(KeyHandle parent, const std::string& subKey, std::uint32_t access, KeyHandle& result) override;
    RegResult closeKey(KeyHandle key) override;
    RegResult deleteKey(KeyHandle parent, const std::string& subKey) override;
    RegResult deleteValue(KeyHandle key, const std::string& name) override;
    RegResult queryValue(KeyHandle key, const std::string& name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                         std::uint32_t& size) override;
    RegResult setValue(KeyHandle key, const std::string& name, std::uint32_t type,
                       std::span<const std::uint8_t> data) override;
    RegResult queryMaxValueNameLength(KeyHandle key, std::uint32_t& length) override;
    RegResult enumValue(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) override;
    RegResult enumKey(KeyHandle key, std::uint32_t index, std::uint32_t capacity, std::string& name) override;
    std::string expandEnvironmentStrings(const std::string& text) override;
    std::string toAnsi(std::u16string_view text) const override;
    std::u16string fromAnsi(std::string_view text) const override;
};

}  // namespace registry

#endif
