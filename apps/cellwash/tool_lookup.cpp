#include "apps/cellwash/tool_lookup.h"

#include "host/text.h"

namespace cli {

// Words start at a capital after a small letter or digit, at the last capital of an acronym
// ("removeLTSpaces" -> remove-lt-spaces) and at a digit after a letter ("2nd").
std::string kebabCase(std::u16string_view key) {
    const auto upper = [](char16_t c) { return c >= u'A' && c <= u'Z'; };
    const auto lower = [](char16_t c) { return c >= u'a' && c <= u'z'; };
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    std::string out;
    for (size_t i = 0; i < key.size(); ++i) {
        const char16_t c = key[i], before = i ? key[i - 1] : u'\0', after = i + 1 < key.size() ? key[i + 1] : u'\0';
        const bool wordStart =
            i > 0 && ((upper(c) && (lower(before) || digit(before))) || (upper(c) && upper(before) && lower(after)) ||
                      (digit(c) && (lower(before) || upper(before))));
        if (wordStart) out.push_back('-');
        out.push_back(static_cast<char>(upper(c) ? c - u'A' + 'a' : c));
    }
    return out;
}

std::string preferredName(const shell::CatalogueEntry& entry) {
    return entry.commandKey.empty() ? host::utf8(entry.controlId) : kebabCase(entry.commandKey);
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
