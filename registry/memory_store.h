#pragma once
// MemoryRegistryStore — a registry held in memory, with its own environment for
// the expansion of REG_EXPAND_SZ text. Used by tests.
#include <map>

#include "registry/hive_store.h"
#include "registry/memory_key_space.h"

namespace registry {

namespace detail {
// Constructed before HiveStore, which refers to them.
struct MemoryHives {
    MemoryKeySpace userHive;
    MemoryKeySpace machineHive;
};
}  // namespace detail

class MemoryRegistryStore : private detail::MemoryHives, public HiveStore {
public:
    MemoryRegistryStore() : HiveStore(userHive, machineHive) {}

    MemoryKeySpace& user() { return userHive; }
    MemoryKeySpace& machine() { return machineHive; }
    void setEnvironment(const std::string& name, const std::string& value) { environment_[name] = value; }

    std::string expandEnvironmentStrings(const std::string& text) override;

private:
    std::map<std::string, std::string> environment_;
};

}  // namespace registry
