#include "base/text.h"

#include <gtest/gtest.h>

#include "tests/support/printing.h"

TEST(Utf, RoundTripsTheBasicPlaneAndSurrogatePairs) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a é € 😀
    const std::u16string wide = base::utf16(text);
    EXPECT_EQ(wide, (std::u16string{u'a', u'\u00E9', u'\u20AC', 0xD83D, 0xDE00}));
    EXPECT_EQ(base::utf8(wide), text);
}

TEST(Utf, BadInputBecomesReplacementCharacters) {
    EXPECT_EQ(base::utf16("\xFF"
                          "a"),
              u"\uFFFD"
              u"a");
    EXPECT_EQ(base::utf16("\xC3"), u"\uFFFD");      // truncated sequence
    EXPECT_EQ(base::utf16("ab\xC3"), u"ab\uFFFD");  // after an ASCII start
    EXPECT_EQ(base::utf16("only ascii"), u"only ascii");
    EXPECT_EQ(base::utf16("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
    EXPECT_EQ(base::utf8(std::u16string{0xD800}), "\xEF\xBF\xBD");  // lone surrogate
}
