// The word rule per text, table by table, and the value text of each kind of cell value.
#include <gtest/gtest.h>

#include "host/constants.h"
#include "host/text.h"
#include "tools/count/text_figures.h"

namespace {

using tools::count::TextFigures;
using tools::count::textFigures;
using tools::count::valueText;

struct FigureCase {
    std::u16string text;
    std::int64_t words, noSpaces, withSpaces;
};

TEST(TextFigures, FollowTheWordRule) {
    const FigureCase cases[] = {
        {u"  abc   defgh  ", 2, 8, 15},  // two leading, three inner, two trailing spaces
        {u"", 0, 0, 0},
        {u"     ", 0, 0, 5},
        {u"one", 1, 3, 3},
        {u"two  words", 2, 8, 10},
        {u" a b c ", 3, 3, 7},
        {u"tab\tinside", 1, 10, 10},  // only character 32 separates words
        {u"no\u00A0break", 1, 8, 8},  // a no-break space is not a space
        {u"line\nbreak", 1, 10, 10},  // nor is a line feed
        {u"\U0001F600 a", 2, 3, 4},   // outside the basic plane: two code units
        {u"\U0001F600\U0001F600", 1, 4, 4},
    };
    for (const FigureCase& c : cases) {
        const TextFigures f = textFigures(c.text);
        EXPECT_EQ(f, (TextFigures{c.words, c.noSpaces, c.withSpaces})) << host::utf8(c.text);
    }
}

TEST(TextFigures, AddUp) {
    TextFigures sum = textFigures(u"a b");
    sum += textFigures(u"  cd ");
    EXPECT_EQ(sum, (TextFigures{3, 4, 8}));
}

TEST(ValueText, IsTheHostsTextOfTheValue) {
    EXPECT_EQ(valueText(host::Variant()), u"");
    EXPECT_EQ(valueText(host::Variant(1234.5)), u"1234.5");
    EXPECT_EQ(valueText(host::Variant(0.1 + 0.2)), u"0.3");  // the stored value to 15 digits
    EXPECT_EQ(valueText(host::Variant(true)), u"True");
    EXPECT_EQ(valueText(host::Variant(u"  text ")), u"  text ");
    EXPECT_EQ(valueText(host::Variant::date(45293)), u"1/2/2024");
}

TEST(ValueText, OfAnErrorIsItsLiteral) {
    EXPECT_EQ(valueText(host::Variant::error(host::xlErrDiv0)), u"#DIV/0!");
    EXPECT_EQ(valueText(host::Variant::error(host::xlErrNA)), u"#N/A");
}

}  // namespace
