#include "host/worksheet_text.h"

namespace host {

std::u16string trimSpaces(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (char16_t c : text) {
        if (c == u' ') {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out.push_back(u' ');
        pendingSpace = false;
        out.push_back(c);
    }
    return out;
}

std::u16string cleanControls(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (c >= 32) out.push_back(c);
    return out;
}

WildcardPattern::WildcardPattern(std::u16string_view pattern) {
    if (pattern.find_first_of(u"?*~") == std::u16string_view::npos) {  // most criteria: a plain text
        literal_ = pattern;
        return;
    }
    tokens_.reserve(pattern.size());
    literal_.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        const bool escapes = c == u'~' && i + 1 < pattern.size() &&
                             (pattern[i + 1] == u'?' || pattern[i + 1] == u'*' || pattern[i + 1] == u'~');
        if (escapes) {
            tokens_.push_back({TokenKind::Unit, pattern[++i]});
            literal_.push_back(pattern[i]);
        } else if (c == u'?') {
            tokens_.push_back({TokenKind::AnyOne, 0});
            hasWildcards_ = true;
        } else if (c == u'*') {
            if (tokens_.empty() || tokens_.back().kind != TokenKind::AnyRun) tokens_.push_back({TokenKind::AnyRun, 0});
            hasWildcards_ = true;
        } else {
            tokens_.push_back({TokenKind::Unit, c});
            literal_.push_back(c);
        }
    }
}

bool WildcardPattern::matches(std::u16string_view text) const {
    return hasWildcards_ ? matchTokens(text) : text == literal_;
}

// Greedy two-pointer matching: on a mismatch, go back to the last '*' and let it take one
// more unit. O(pattern x text) at worst, never exponential.
bool WildcardPattern::matchTokens(std::u16string_view text) const {
    size_t p = 0, t = 0;
    size_t starToken = tokens_.size(), starText = 0;
    while (t < text.size()) {
        if (p < tokens_.size() && tokens_[p].kind == TokenKind::AnyRun) {
            starToken = p++;
            starText = t;
        } else if (p < tokens_.size() && (tokens_[p].kind == TokenKind::AnyOne || tokens_[p].unit == text[t])) {
            ++p;
            ++t;
        } else if (starToken != tokens_.size()) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens_.size() && tokens_[p].kind == TokenKind::AnyRun) ++p;
    return p == tokens_.size();
}

}  // namespace host
