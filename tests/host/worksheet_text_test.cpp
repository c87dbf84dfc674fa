#include "host/worksheet_text.h"

#include <gtest/gtest.h>

#include "host/text.h"

namespace {

struct TextCase {
    const char16_t* in;
    const char16_t* out;
};

TEST(Trim, OnlyU0020IsASpace) {
    const TextCase cases[] = {
        {u"", u""},
        {u"   ", u""},
        {u"abc", u"abc"},
        {u"  abc  ", u"abc"},
        {u"a   b    c", u"a b c"},
        {u" a b ", u"a b"},
        {u"\u00A0a\u00A0", u"\u00A0a\u00A0"},
        {u"\ta\t", u"\ta\t"},
        {u"a \u3000 b", u"a \u3000 b"},
        {u"a\u3000\u3000b", u"a\u3000\u3000b"},
        {u" \n x \n ", u"\n x \n"},
    };
    for (const auto& c : cases) EXPECT_EQ(host::trimSpaces(c.in), c.out) << host::utf8(c.in);
}

TEST(Clean, RemovesCodeUnitsBelow32Only) {
    const TextCase cases[] = {
        {u"", u""},
        {u"a\tb\nc\rd", u"abcd"},
        {u"\x01\x1F x", u" x"},
        {u"\x7F\x81\x8D\x8F\x90\x9D", u"\x7F\x81\x8D\x8F\x90\x9D"},
        {u"\u00A0 kept", u"\u00A0 kept"},
    };
    for (const auto& c : cases) EXPECT_EQ(host::cleanControls(c.in), c.out) << host::utf8(c.in);
    const std::u16string withNul(u"a\0b", 3);
    EXPECT_EQ(host::cleanControls(withNul), u"ab");
}

// The patterns COUNTIF and Find share; case is the caller's (the engine folds, Calc lowers).
TEST(WildcardPattern, MatchesWholeTextsUnitByUnit) {
    const struct {
        const char16_t* pattern;
        const char16_t* text;
        bool matches;
    } cases[] = {
        {u"a?b", u"a1b", true},  {u"a?b", u"ab", false},  {u"a*b", u"abcab", true}, {u"a*b", u"ab", true},
        {u"a*b", u"abc", false}, {u"a~*b", u"a*b", true}, {u"a~*b", u"axb", false}, {u"what~?", u"what?", true},
        {u"a~~b", u"a~b", true}, {u"a~b", u"a~b", true},  {u"a~b", u"ab", false},   {u"A", u"a", false},
        {u"**x", u"x", true},    {u"", u"", true},        {u"*", u"", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(host::WildcardPattern(c.pattern).matches(c.text), c.matches)
            << host::utf8(c.pattern) << " / " << host::utf8(c.text);
}

TEST(WildcardPattern, KnowsItsLiteralAndWhetherItHasWildcards) {
    EXPECT_FALSE(host::WildcardPattern(u"a~*b").hasWildcards());
    EXPECT_EQ(host::WildcardPattern(u"a~*b").literal(), u"a*b");
    EXPECT_TRUE(host::WildcardPattern(u"a*").hasWildcards());
}

}  // namespace
