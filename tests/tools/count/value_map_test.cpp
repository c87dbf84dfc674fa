// The tally's value map: occurrences by value, walked in first-seen order.
#include <gtest/gtest.h>

#include "tools/count/value_map.h"

namespace {

using tools::count::ValueMap;

TEST(ValueMap, CountsOccurrencesInFirstSeenOrder) {
    ValueMap map;
    const std::u16string entries[] = {u"b", u"a", u"b", u"", u"c", u"a", u"b", u""};
    int added = 0;
    for (const std::u16string& e : entries) added += map.add(e) ? 1 : 0;
    EXPECT_EQ(added, 4);
    ASSERT_EQ(map.size(), 4u);
    const std::u16string order[] = {u"b", u"a", u"", u"c"};
    const std::int64_t counts[] = {3, 2, 2, 1};
    for (std::size_t j = 0; j < 4; ++j) {
        EXPECT_EQ(map.valueAt(j), order[j]);
        EXPECT_EQ(map.countAt(j), counts[j]);
    }
}

TEST(ValueMap, ComparesExactly) {
    ValueMap map;
    EXPECT_TRUE(map.add(u"abc"));
    EXPECT_TRUE(map.add(u"ABC"));
    EXPECT_TRUE(map.add(u"abc "));
    EXPECT_FALSE(map.add(u"abc"));
    EXPECT_EQ(map.size(), 3u);
}

TEST(ValueMap, KeepsItsOrderWhileGrowingLarge) {
    ValueMap map;
    for (int i = 0; i < 5000; ++i)
        map.add(std::u16string(1, static_cast<char16_t>(u'A' + i % 2000)) + u"#" +
                std::u16string(1, static_cast<char16_t>(0x4E00 + i % 2000)));
    ASSERT_EQ(map.size(), 2000u);
    for (std::size_t j = 0; j < map.size(); ++j) {
        EXPECT_EQ(map.valueAt(j)[0], static_cast<char16_t>(u'A' + j));
        EXPECT_EQ(map.countAt(j), j < 1000 ? 3 : 2);
    }
}

}  // namespace
