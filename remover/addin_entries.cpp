#include "remover/addin_entries.h"

#include <exception>
#include <optional>

#include "registry/c_registry.h"

using registry::cRegistry;
using registry::OneBasedList;
using registry::RegVariant;

namespace Module1 {

namespace {

std::u16string officeKey(const std::u16string& version, const std::u16string& application, const std::u16string& list) {
    return u"software\\microsoft\\office\\" + version + u"\\" + application + u"\\" + list;
}

// A value as text, as a comparison with text reads it: numbers in decimal. A byte
// array has no text form here and matches nothing.
std::optional<std::u16string> asText(const RegVariant& value) {
    if (value.isBytes()) return std::nullopt;
    return value.toText();
}

}  // namespace

void RemoveStartupEntry(const std::u16string& version, const std::u16string& application,
                        const std::u16string& quotedName) {
    try {
        cRegistry reg;
        reg.ClassKey(registry::HKEY_CURRENT_USER);
        reg.SectionKey(officeKey(version, application, u"options"));
        if (!reg.KeyExists()) return;
        OneBasedList<std::u16string> names;
        std::int32_t count = 0;
        if (!reg.EnumerateValues(names, count)) return;
        for (std::int32_t i = 1; i <= count; ++i) {
            reg.ValueKey(names[i]);
            if (asText(reg.Value()) == quotedName) {
                reg.DeleteValue();
                return;
            }
        }
    } catch (const std::exception&) {
        // Quietly: the start goes on with the next version.
    }
}

void RemoveAddinManagerEntry(const std::u16string& version, const std::u16string& application,
                             const std::u16string& addinName) {
    try {
        cRegistry reg;
        reg.ClassKey(registry::HKEY_CURRENT_USER);
        reg.SectionKey(officeKey(version, application, u"Add-in Manager"));
        reg.ValueKey(addinName);
        if (!reg.KeyExists()) return;
        OneBasedList<std::u16string> names;
        std::int32_t count = 0;
        if (!reg.EnumerateValues(names, count)) return;
        for (std::int32_t i = 1; i <= count; ++i) {
            if (names[i] == addinName) {
                reg.DeleteValue();
                return;
            }
        }
    } catch (const std::exception&) {
        // Quietly, as above.
    }
}

}  // namespace Module1
