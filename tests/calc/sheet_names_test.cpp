#include "host/calc/sheet_names.h"

#include <gtest/gtest.h>

namespace host::calc {
namespace {

TEST(SheetNames, CopiesCountFromThePlainName) {
    EXPECT_EQ(copyName(u"Data", {u"Data"}), u"Data (2)");
    EXPECT_EQ(copyName(u"Data", {u"Data", u"Data (2)"}), u"Data (3)");
    EXPECT_EQ(copyName(u"Data (2)", {u"Data", u"data (2)"}), u"Data (3)");
    EXPECT_EQ(copyName(u"Report (x)", {u"Report (x)"}), u"Report (x) (2)");
}

TEST(SheetNames, ACopyOfALongNameIsShortenedToFit) {
    const std::u16string name(31, u'N');
    const std::u16string copy = copyName(name, {name});
    EXPECT_EQ(copy.size(), 31u);
    EXPECT_EQ(copy, std::u16string(27, u'N') + u" (2)");
}

TEST(SheetNames, TheHostRefusesWhatItRefuses) {
    EXPECT_TRUE(validSheetName(u"Data_Undo", {u"Data"}));
    EXPECT_FALSE(validSheetName(u"", {}));
    EXPECT_FALSE(validSheetName(std::u16string(32, u'x'), {}));
    EXPECT_TRUE(validSheetName(std::u16string(31, u'x'), {}));
    for (const char16_t* bad : {u"a[b", u"a]b", u"a:b", u"a*b", u"a?b", u"a/b", u"a\\b", u"'ab", u"ab'"})
        EXPECT_FALSE(validSheetName(bad, {}));
    EXPECT_TRUE(validSheetName(u"a'b", {}));
    EXPECT_FALSE(validSheetName(u"DATA", {u"data"}));
    EXPECT_FALSE(validSheetName(u"ÄRGER", {u"ärger"}));
}

}  // namespace
}  // namespace host::calc
