#include "apps/cellwash/tool_lookup.h"

#include "host/text.h"

namespace cli {

std::string kebabCase(std::u16string_view commandKey) {
    std::string out;
    for (char16_t c : commandKey) {
        if (c >= u'A' && c <= u'Z') {
            if (!out.empty()) out.push_back('-');
            out.push_back(static_cast<char>(c - u'A' + 'a'));
        } else if (c >= u'0' && c <= u'9' && !out.empty() && !(out.back() >= '0' && out.back() <= '9')) {
            out.push_back('-');
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::optional<shell::CatalogueEntry> findTool(const std::string& name) {
    const std::u16string wide = host::utf16(name);
    if (auto byId = shell::commandForControlId(wide)) return byId;
    if (auto byTag = shell::commandForLegacyTag(wide)) return byTag;
    for (const auto& entry : shell::commandCatalogue()) {
        if (entry.commandKey.empty()) continue;
        if (entry.commandKey == wide || kebabCase(entry.commandKey) == name) return entry;
    }
    return std::nullopt;
}

}  // namespace cli
