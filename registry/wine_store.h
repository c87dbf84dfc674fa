#pragma once
// WineRegistryStore — the registry of a Wine prefix: user.reg holds HKEY_CURRENT_USER,
// system.reg HKEY_LOCAL_MACHINE. Wine's server keeps the registry in memory while a
// program of the prefix runs and writes it back later, so changes made here last only
// when the prefix's server is not running (`wineserver -k`).
#include <filesystem>

#include "registry/hive_store.h"
#include "registry/wine_file_hive.h"

namespace registry {

namespace detail {
struct WineHives {
    explicit WineHives(const std::filesystem::path& prefix)
        : userHive(prefix / "user.reg", "\\\\User\\\\S-1-5-21-0-0-0-1000"),
          machineHive(prefix / "system.reg", "\\\\Machine") {}
    WineFileHive userHive;
    WineFileHive machineHive;
};
}  // namespace detail

class WineRegistryStore : private detail::WineHives, public HiveStore {
public:
    explicit WineRegistryStore(std::filesystem::path prefix)
        : WineHives(prefix), HiveStore(userHive, machineHive), prefix_(std::move(prefix)) {}

    // $WINEPREFIX, or ~/.wine.
    static std::filesystem::path defaultPrefix();

    const std::filesystem::path& prefix() const { return prefix_; }
    std::string expandEnvironmentStrings(const std::string& text) override;
    // The last failure to read or write either file.
    std::string problem() override;

private:
    std::filesystem::path prefix_;
};

}  // namespace registry
