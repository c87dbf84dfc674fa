#pragma once
// Reading what the host recorded in its registry store, for assertions.
#include <map>
#include <memory>
#include <string>

#include "registry/c_registry.h"

namespace shelltest {

// The values of an HKEY_CURRENT_USER key as text, by name; empty when the key is missing.
inline std::map<std::u16string, std::u16string> userValues(const std::shared_ptr<registry::RegistryStore>& store,
                                                           const std::u16string& section) {
    registry::cRegistry reg(store);
    reg.ClassKey(registry::HKEY_CURRENT_USER);
    reg.SectionKey(section);
    std::map<std::u16string, std::u16string> values;
    registry::OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    if (!reg.KeyExists() || !reg.EnumerateValues(names, count)) return values;
    for (std::int32_t i = 1; i <= count; ++i) {
        reg.ValueKey(names[i]);
        values[names[i]] = reg.Value().toText();
    }
    return values;
}

}  // namespace shelltest
