#include "host/calc/text_functions.h"

#include <gtest/gtest.h>

namespace host::calc {
namespace {

TEST(TextFunctions, TrimTakesSpacesOnlyAndKeepsOneBetweenWords) {
    EXPECT_EQ(trimSpaces(u"  (  CWK ver  5  @  39   )  "), u"( CWK ver 5 @ 39 )");
    EXPECT_EQ(trimSpaces(u"   "), u"");
    EXPECT_EQ(trimSpaces(u""), u"");
    EXPECT_EQ(trimSpaces(u"a\u00A0 \tb"), u"a\u00A0 \tb");
    EXPECT_EQ(trimSpaces(u"\u3000a  b\u3000"), u"\u3000a b\u3000");
}

TEST(TextFunctions, CleanTakesControlCodesBelow32Only) {
    std::u16string all;
    for (char16_t c = 0; c < 200; ++c) all.push_back(c);
    const std::u16string cleaned = cleanControls(all);
    ASSERT_EQ(cleaned.size(), 200u - 32u);
    EXPECT_EQ(cleaned.front(), u' ');
    EXPECT_NE(cleaned.find(u'\x7F'), std::u16string::npos);
    EXPECT_NE(cleaned.find(u'\x9D'), std::u16string::npos);
    EXPECT_EQ(cleanControls(u"a\tb\r\nc"), u"abc");
}

}  // namespace
}  // namespace host::calc
