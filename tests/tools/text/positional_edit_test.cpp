// The positional tools' cell work, one row per case: code, text, inputs, the cell's new text
// or "(left)" when the cell is not written.
#include <gtest/gtest.h>

#include "tools/text/positional_edit.h"
#include "tools/text/text_cleaner_module.h"

namespace texttest {
namespace {

using tools::text::PositionalCode;
using tools::text::positionalResult;

struct EditCase {
    PositionalCode code;
    std::u16string text, search;
    std::int32_t start, x;
    std::u16string replacement, expected;
};

const std::u16string kLeft = u"(left)";

TEST(PositionalEdit, PiecesAreCutOrReplacedWhereTheCodeSays) {
    using enum PositionalCode;
    const std::vector<EditCase> cases = {
        {RALC, u"CWKver5@39", u"ver", 1, 0, u"", u"ver5@39"},
        {RATC, u"CWKver5@39", u"ver", 1, 0, u"", u"CWKver"},
        {RALC, u"CWKver5@39", u"ver", 1, 0, u"X-", u"X-ver5@39"},
        {RATC, u"CWKver5@39", u"ver", 1, 0, u"X-", u"CWKverX-"},
        {RXLC, u"CWKver5@39", u"5", 1, 2, u"", u"CWKv5@39"},
        {RXTC, u"CWKver5@39", u"5", 1, 2, u"", u"CWKver59"},
        {RLXC, u"CWKver5@39", u"", 1, 3, u"", u"ver5@39"},
        {RTXC, u"CWKver5@39", u"", 1, 3, u"", u"CWKver5"},
        {RTXC, u"abcab", u"", 1, 2, u"", u"abc"},
        {RATC, u"ab-ab", u"ab", 1, 0, u"", u"ab"},
        {RXLC, u"aXbcd", u"X", 1, 3, u"", kLeft},           // the search text at 2, X = 3
        {RALC, u"verCWK", u"ver", 1, 0, u"X-", u"verCWK"},  // an empty piece: text unchanged
        {RATC, u"CWKver", u"ver", 1, 0, u"X-", u"CWKver"},
        {RALC, u"CWKver5@39", u"ver", 11, 0, u"", kLeft},  // start beyond the text
        {RALC, u"CWKver5@39", u"ver", 0, 0, u"", kLeft},   // start 0 changes nothing
        {RALC, u"CWKver5@39", u"VER", 1, 0, u"", kLeft},   // case-sensitive
        {RALC, u"ver-ver", u"ver", 2, 0, u"", u"ver"},     // searched from the start position
        {RLXC, u"abc", u"", 1, 9, u"", u""},               // X past the text: all of it
        {RTXC, u"abc", u"", 1, 9, u"R", u"R"},
        {RLXC, u"abc", u"", 1, 0, u"R", u"abc"},  // X of 0: an empty piece
        {RTXC, u"abc", u"", 1, -2, u"", u"abc"},
        {RXTC, u"ab5", u"5", 1, 4, u"", u"ab5"},  // nothing after the search text
        {RXTC, u"a5bcdef", u"5", 1, 2, u"", u"a5def"},
        {RXLC, u"abcd5", u"5", 1, 0, u"R", u"abcd5"},
        {RALC, u"abc", u"", 2, 0, u"", u"bc"},  // an empty search text is found at the start
        {RALC, u"abc", u"", 4, 0, u"", kLeft},  // ... only within the text
        {RXTC, u"abcdef", u"", 2, 2, u"", u"adef"},
    };
    for (const EditCase& c : cases) {
        const auto result = positionalResult(c.code, c.text, {c.search, c.start, c.x, c.replacement});
        EXPECT_EQ(result.value_or(kLeft), c.expected)
            << testing::PrintToString(c.text) << " search " << testing::PrintToString(c.search) << " code "
            << static_cast<int>(c.code);
    }
}

TEST(PositionalEdit, NumberBoxesReadAsWholeNumbers) {
    const std::vector<std::pair<std::u16string, std::int32_t>> cases = {
        {u"3", 3},
        {u" 12 ", 12},
        {u"", 0},
        {u"abc", 0},
        {u"2.5", 2},
        {u"3.5", 4},
        {u"-1.5", -2},
        {u"1e2", 100},
        {u"+7", 7},
        {u"1,000", 0},
        {u"0x10", 0},
        {u"nan", 0},
        {u"99999999999", 2147483647},
        {u"-2.4", -2},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(tools::text::wholeNumberOf(text), expected) << testing::PrintToString(text);
}

TEST(PositionalEdit, CodesAreKnownByTheirFourLetters) {
    EXPECT_EQ(tools::text::positionalCodeOf(u"RXTC"), PositionalCode::RXTC);
    EXPECT_FALSE(tools::text::positionalCodeOf(u"RNUM").has_value());
}

TEST(StripChars, RemovesEveryCharacterOfTheSetAndKeepsTheOrder) {
    using tools::text::stripChars;
    EXPECT_EQ(stripChars(u"CWKver5@39", u"1234567890"), u"CWKver@");
    EXPECT_EQ(stripChars(u"a-b-c", u""), u"a-b-c");
    EXPECT_EQ(stripChars(u"aAbB", u"ab"), u"AB");
    EXPECT_EQ(stripChars(u"\u00C9E", u"E"), u"\u00C9");
    EXPECT_EQ(stripChars(u"", u"x"), u"");
    const std::u16string longest(32767, u'x');
    EXPECT_EQ(stripChars(longest + u"y", u"y"), longest);
}

}  // namespace
}  // namespace texttest
