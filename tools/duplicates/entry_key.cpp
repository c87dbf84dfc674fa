#include "tools/duplicates/entry_key.h"

#include "host/application.h"
#include "host/range.h"

namespace tools::duplicates {

namespace {

bool isWildcard(char16_t c) { return c == u'~' || c == u'*' || c == u'?'; }
bool isOperator(char16_t c) { return c == u'<' || c == u'>' || c == u'='; }

}  // namespace

std::optional<host::Variant> entryOf(const host::Range& cell, const host::WorksheetFunction& functions) {
    host::Variant value = cell.Value();
    std::u16string entry = functions.Trim(value.toText());
    if (entry.empty() || entry.size() > kMaxEntryLength) return std::nullopt;
    if (value.isText() && value.text() == entry) return value;
    return host::Variant(std::move(entry));
}

std::u16string literalFindText(std::u16string_view entry) {
    std::u16string escaped;
    escaped.reserve(entry.size() + 4);
    for (char16_t c : entry) {
        if (isWildcard(c)) escaped.push_back(u'~');
        escaped.push_back(c);
    }
    return escaped;
}

std::u16string literalCriterion(std::u16string_view entry) {
    std::u16string criterion = literalFindText(entry);
    if (!entry.empty() && isOperator(entry.front())) criterion.insert(criterion.begin(), u'=');
    return criterion;
}

}  // namespace tools::duplicates
