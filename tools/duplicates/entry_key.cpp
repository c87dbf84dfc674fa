#include "tools/duplicates/entry_key.h"

#include "host/application.h"
#include "host/range.h"

namespace tools::duplicates {

namespace {

bool isWildcard(char16_t c) { return c == u'~' || c == u'*' || c == u'?'; }
bool isOperator(char16_t c) { return c == u'<' || c == u'>' || c == u'='; }

}  // namespace

std::optional<std::u16string> entryOf(const host::Range& cell, const host::WorksheetFunction& functions) {
    std::u16string entry = functions.Trim(cell.Value().toText());
    if (entry.empty() || entry.size() > kMaxEntryLength) return std::nullopt;
    return entry;
}

std::u16string literalFindText(const std::u16string& entry) {
    std::u16string escaped;
    escaped.reserve(entry.size() + 4);
    for (char16_t c : entry) {
        if (isWildcard(c)) escaped.push_back(u'~');
        escaped.push_back(c);
    }
    return escaped;
}

std::u16string literalCriterion(const std::u16string& entry) {
    std::u16string criterion = literalFindText(entry);
    if (!entry.empty() && isOperator(entry.front())) criterion.insert(criterion.begin(), u'=');
    return criterion;
}

}  // namespace tools::duplicates
