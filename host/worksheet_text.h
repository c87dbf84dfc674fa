#pragma once
// What the host's worksheet functions do to text, the same on every host: TRIM, CLEAN and the
// wildcard patterns (? * ~) that COUNTIF and Range.Find share. Code units as they are: a
// caller that ignores case folds the pattern and the text alike first.
#include <string>
#include <string_view>
#include <vector>

namespace host {

// TRIM: drops U+0020 at both ends and reduces every inner run of U+0020 to one.
std::u16string trimSpaces(std::u16string_view text);
// CLEAN: drops code units 0-31; everything else stays.
std::u16string cleanControls(std::u16string_view text);

// A compiled wildcard pattern: '?' is one code unit, '*' any run (also none), '~' makes the
// next '?', '*' or '~' literal (before anything else it is itself). Whole-text match.
class WildcardPattern {
public:
    WildcardPattern() = default;
    explicit WildcardPattern(std::u16string_view pattern);
    bool matches(std::u16string_view text) const;
    bool hasWildcards() const { return hasWildcards_; }
    // The literal units of the pattern; the whole pattern when it has no wildcards.
    const std::u16string& literal() const { return literal_; }

private:
    enum class TokenKind : unsigned char { Unit, AnyOne, AnyRun };
    struct Token {
        TokenKind kind;
        char16_t unit;
    };
    bool matchTokens(std::u16string_view text) const;

    std::vector<Token> tokens_;
    std::u16string literal_;
    bool hasWildcards_ = false;
};

}  // namespace host
