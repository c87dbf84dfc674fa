#pragma once
// HiveStore — the platform's registry operations over two hives: the current
// user's (HKEY_CURRENT_USER) and the machine's (HKEY_LOCAL_MACHINE). HKEY_CLASSES_ROOT
// is the merged view of both hives' Software\Classes: a key of the user's hides the
// machine's key of the same path, sub-keys list from both, and new keys go to the
// machine's hive.
#include <map>
#include <optional>

#include "registry/key_space.h"

namespace registry {

class HiveStore : public RegistryStore {
public:
    HiveStore(KeySpace& user, KeySpace& machine) : user_(user), machine_(machine) {}

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

    // Handles not closed yet; a caller that closes what it opens leaves none.
    size_t openHandleCount() const { return handles_.size(); }

private:
    enum class Hive { User, Machine, Classes };
    struct Location {
        Hive hive;
        KeyPath path;
    };
    struct OpenKey {
        Location where;
        std::uint32_t access;
        // Sub-key names as last listed, kept while the hive does not change.
        std::uint64_t listedUser = 0, listedMachine = 0;
        std::optional<std::vector<std::u16string>> subKeys;
    };
    // Where a key stands in one hive.
    struct Resolved {
        KeySpace* space;
        KeyPath path;
    };

    RegResult locate(KeyHandle parent, const std::string& subKey, Location& where);
    RegResult statusOf(Hive hive);
    bool exists(const Location& where);
    Resolved resolve(const Location& where);
    OpenKey* find(KeyHandle key, std::uint32_t access, RegResult& result);
    KeyHandle remember(Location where, std::uint32_t access);
    std::vector<std::u16string> subKeysOf(const Location& where);
    std::vector<StoredValue> valuesOf(const Location& where);
    std::vector<std::uint8_t> toStored(std::uint32_t type, std::span<const std::uint8_t> data) const;
    std::string fromStored(std::uint32_t type, const std::vector<std::uint8_t>& data) const;

    KeySpace& user_;
    KeySpace& machine_;
    std::map<KeyHandle, OpenKey> handles_;
    KeyHandle nextHandle_ = 0x100;
};

}  // namespace registry
