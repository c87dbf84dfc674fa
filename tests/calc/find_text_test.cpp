#include "host/calc/find_text.h"

#include <gtest/gtest.h>

using host::calc::findMatches;

TEST(FindText, WholeIgnoresCaseUnlessAsked) {
    EXPECT_TRUE(findMatches(u"Apple", u"apple", true, false));
    EXPECT_FALSE(findMatches(u"Apple", u"apple", true, true));
    EXPECT_FALSE(findMatches(u"Apples", u"apple", true, false));
    EXPECT_TRUE(findMatches(u"ÄPFEL", u"äpfel", true, false));
}

TEST(FindText, PartFindsTheTextInside) {
    EXPECT_TRUE(findMatches(u"green apples", u"APPLE", false, false));
    EXPECT_FALSE(findMatches(u"green pears", u"apple", false, false));
}

TEST(FindText, WildcardsAndTheirEscape) {
    EXPECT_TRUE(findMatches(u"a1b", u"a?b", true, false));
    EXPECT_FALSE(findMatches(u"ab", u"a?b", true, false));
    EXPECT_TRUE(findMatches(u"abcab", u"a*b", true, false));
    EXPECT_TRUE(findMatches(u"ab", u"a*b", true, false));
    EXPECT_FALSE(findMatches(u"abc", u"a*b", true, false));
    EXPECT_TRUE(findMatches(u"a*b", u"a~*b", true, false));
    EXPECT_FALSE(findMatches(u"axb", u"a~*b", true, false));
    EXPECT_TRUE(findMatches(u"what?", u"what~?", true, false));
    EXPECT_TRUE(findMatches(u"a~b", u"a~~b", true, false));
}
