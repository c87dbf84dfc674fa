#include "base/flat_string_map.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace {

std::u16string keyOf(unsigned n) {
    std::u16string key = u"k";
    for (; n; n /= 7) key += static_cast<char16_t>(u'a' + n % 7);
    return key;
}

// Through many growths, against std::map as the reference: counts, absent keys, and the
// order in which entries were added.
TEST(FlatStringMap, AgreesWithAnOrderedMapThroughGrowth) {
    base::FlatStringMap<long> counts;
    std::map<std::u16string, long> model;
    std::vector<std::u16string> order;
    std::mt19937 rng(4);
    for (int i = 0; i < 50000; ++i) {
        const std::u16string key = keyOf(rng() % 20000);
        if (!model.count(key)) order.push_back(key);
        counts[key] += 1;
        model[key] += 1;
    }
    ASSERT_EQ(counts.size(), model.size());
    for (const auto& [key, n] : model) {
        const long* found = counts.find(key);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(*found, n);
    }
    EXPECT_EQ(counts.find(u"not there"), nullptr);
    EXPECT_EQ(counts.find(u""), nullptr);
    ASSERT_EQ(counts.entries().size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(counts.entries()[i].key, order[i]);
}

TEST(FlatStringMap, TryEmplaceKeepsTheFirstValueAndTellsWhetherItAdded) {
    base::FlatStringMap<int> places;
    EXPECT_TRUE(places.tryEmplace(u"", 7).second);  // the empty text is a key like any other
    auto [entry, added] = places.tryEmplace(u"", 9);
    EXPECT_FALSE(added);
    EXPECT_EQ(entry.value, 7);
    EXPECT_TRUE(places.tryEmplace(u"A", 1).second);
    EXPECT_TRUE(places.tryEmplace(u"a", 2).second);  // case matters
    EXPECT_EQ(*places.find(u"A"), 1);
    EXPECT_EQ(*places.find(u"a"), 2);
}

// With view keys the map holds the caller's texts, not copies: lookups by equal text find
// them, and the entries name the very texts added.
TEST(FlatStringMap, ViewKeysReferToTheCallersTexts) {
    std::vector<std::u16string> texts;
    for (unsigned n = 0; n < 3000; ++n) texts.push_back(keyOf(n));
    base::FlatStringMap<std::uint32_t, std::u16string_view> places;
    for (const std::u16string& text : texts) places.tryEmplace(text, static_cast<std::uint32_t>(places.size()));
    for (const std::u16string& text : texts) places.tryEmplace(text, 99);
    ASSERT_EQ(places.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(places.entries()[i].key.data(), texts[i].data());
        const std::u16string copy = texts[i];
        ASSERT_NE(places.find(copy), nullptr);
        EXPECT_EQ(*places.find(copy), i);
    }
    EXPECT_EQ(places.find(u"absent"), nullptr);
}

}  // namespace
