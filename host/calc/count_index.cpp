#include "host/calc/count_index.h"

#include <bit>

#include "base/text_services.h"

namespace host::calc {

namespace {

bool isOneOf(char16_t c, std::u16string_view set) { return set.find(c) != std::u16string_view::npos; }

bool equalsIgnoringAsciiCase(std::u16string_view text, std::u16string_view upper) {
    if (text.size() != upper.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if ((text[i] >= u'a' && text[i] <= u'z' ? text[i] - 32 : text[i]) != upper[i]) return false;
    return true;
}

// The literal a wildcard pattern stands for: "~*", "~?" and "~~" are the characters
// themselves; nothing when the pattern holds a real wildcard or a "~" before anything else.
std::optional<std::u16string> wildcardLiteral(std::u16string_view pattern) {
    std::u16string literal;
    literal.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'*' || c == u'?') return std::nullopt;
        if (c == u'~') {
            if (i + 1 == pattern.size() || !isOneOf(pattern[i + 1], u"*?~")) return std::nullopt;
            literal.push_back(pattern[++i]);
        } else {
            literal.push_back(c);
        }
    }
    return literal;
}

bool isAscii(std::u16string_view text) {
    for (char16_t c : text)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::optional<std::u16string> plainTextCriterion(std::u16string_view criterion, const CriterionSettings& settings,
                                                 const std::function<bool(std::u16string_view)>& readsAsNumber) {
    if (!settings.matchWholeCell) return std::nullopt;
    // "=text" compares with "text"; any other operator is Calc's to read.
    std::u16string_view operand = criterion;
    if (!operand.empty() && operand.front() == u'=')
        operand.remove_prefix(1);
    else if (!operand.empty() && isOneOf(operand.front(), u"<>"))
        return std::nullopt;
    if (operand.empty()) return std::nullopt;
    if (equalsIgnoringAsciiCase(operand, u"TRUE") || equalsIgnoringAsciiCase(operand, u"FALSE")) return std::nullopt;
    if (settings.regularExpressions) {
        for (char16_t c : operand)
            if (isOneOf(c, u".[]{}()*+?^$|\\~")) return std::nullopt;
        if (settings.wildcards) return std::nullopt;  // both at once: not a case worth guessing
    }
    std::optional<std::u16string> literal =
        settings.wildcards ? wildcardLiteral(operand) : std::optional<std::u16string>(std::u16string(operand));
    if (!literal || readsAsNumber(operand)) return std::nullopt;
    return literal;
}

CountIndex::CountIndex(long rows, long columns, const std::vector<std::optional<std::u16string>>& texts,
                       bool ignoreCase)
    : rows_(rows), columns_(columns), ignoreCase_(ignoreCase), present_(static_cast<size_t>(rows) + 1, 0) {
    cells_.reserve(texts.size());
    for (const auto& text : texts) cells_.push_back(keyOf(text));
    // Every row present: each node of the tree covers (i & -i) rows.
    for (long i = 1; i <= rows; ++i) present_[static_cast<size_t>(i)] = static_cast<std::int32_t>(i & -i);
}

std::optional<std::u16string> CountIndex::keyText(std::u16string_view text) const {
    if (!ignoreCase_) return std::u16string(text);
    if (isAscii(text)) {
        std::u16string lower(text);
        for (char16_t& c : lower)
            if (c >= u'A' && c <= u'Z') c += 32;
        return lower;
    }
    std::u16string lower = base::text_services::toLower(text);
    if (base::text_services::toLower(base::text_services::toUpper(text)) != lower) return std::nullopt;
    return lower;
}

std::int32_t CountIndex::keyOf(const std::optional<std::u16string>& text) {
    if (!text || text->empty()) return kNoText;
    const std::optional<std::u16string> key = keyText(*text);
    if (!key) {
        usable_ = false;
        return kNoText;
    }
    const auto [entry, added] = keys_.tryEmplace(*key, static_cast<std::int32_t>(counts_.size()));
    if (added) counts_.push_back(0);
    ++counts_[static_cast<size_t>(entry.value)];
    return entry.value;
}

std::optional<double> CountIndex::count(std::u16string_view text) const {
    const std::optional<std::u16string> key = keyText(text);
    if (!usable_ || !key) return std::nullopt;
    const std::int32_t* found = keys_.find(*key);
    return found ? counts_[static_cast<size_t>(*found)] : 0;
}

long CountIndex::storedRow(long row) const {
    // Descends the tree for the smallest stored row with row + 1 present rows up to it.
    long at = 0, remaining = row + 1;
    for (long step = std::bit_floor(present_.size() - 1); step > 0; step >>= 1) {
        const long next = at + step;
        if (next < static_cast<long>(present_.size()) && present_[static_cast<size_t>(next)] < remaining) {
            at = next;
            remaining -= present_[static_cast<size_t>(next)];
        }
    }
    return at;  // 0-based: the row after the `at` rows passed over
}

void CountIndex::markRemoved(long stored) {
    for (long i = stored + 1; i < static_cast<long>(present_.size()); i += i & -i) --present_[static_cast<size_t>(i)];
    for (long c = 0; c < columns_; ++c) {
        std::int32_t& key = cells_[static_cast<size_t>(stored * columns_ + c)];
        if (key != kNoText) --counts_[static_cast<size_t>(key)];
        key = kNoText;
    }
}

void CountIndex::removeRows(long first, long last) {
    for (long row = last; row >= first; --row) markRemoved(storedRow(row));
    rows_ -= last - first + 1;
}

void CountIndex::rewrite(long row, long column, const std::optional<std::u16string>& text) {
    std::int32_t& key = cells_[static_cast<size_t>(storedRow(row) * columns_ + column)];
    if (key != kNoText) --counts_[static_cast<size_t>(key)];
    key = keyOf(text);
}

}  // namespace host::calc
