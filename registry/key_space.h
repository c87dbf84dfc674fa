#pragma once
// KeySpace — one hive (the current user's, the machine's) as a tree of keys
// addressed by path. Names are UTF-16 and compare without regard to case; data
// is kept as the platform keeps it (string types as UTF-16LE). HiveStore turns
// a pair of these into a RegistryStore.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_store.h"

namespace registry {

using KeyPath = std::vector<std::u16string>;

struct StoredValue {
    std::u16string name;
    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> data;
    bool operator==(const StoredValue&) const = default;
};

class KeySpace {
public:
    virtual ~KeySpace() = default;

    // kSuccess, or why the hive cannot be used (kBadDatabase for a malformed file).
    virtual RegResult status() = 0;
    // False when the caller may not change this hive.
    virtual bool writable() { return true; }
    // Changes whenever the hive's content may have changed.
    virtual std::uint64_t generation() = 0;

    virtual bool keyExists(const KeyPath& path) = 0;
    // In the order the keys stand in the hive.
    virtual std::vector<std::u16string> subKeyNames(const KeyPath& path) = 0;
    virtual std::vector<StoredValue> values(const KeyPath& path) = 0;

    // Creates the key and any missing parents.
    virtual RegResult createKey(const KeyPath& path) = 0;
    // Removes the key, which the caller has found to exist and to have no sub-keys.
    virtual RegResult deleteKey(const KeyPath& path) = 0;
    // Replaces the value of the same name or adds it at the end; the key exists.
    virtual RegResult setValue(const KeyPath& path, const StoredValue& value) = 0;
    virtual RegResult deleteValue(const KeyPath& path, std::u16string_view name) = 0;
};

}  // namespace registry
