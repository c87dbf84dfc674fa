#include "engine/count_index.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace {

std::u16string keyOf(unsigned n, std::size_t length) {
    std::u16string key(length, u'k');
    for (std::size_t i = 0; i < length && n; ++i, n /= 7) key[i] = static_cast<char16_t>(u'a' + n % 7);
    return key;
}

TEST(CountIndex, AgreesWithAMapThroughGrowthAndManyChunks) {
    engine::CountIndex index;
    std::map<std::u16string, long> model;
    std::mt19937 random(17);
    // Enough keys for the slot table to double many times and the records to fill several chunks.
    for (int i = 0; i < 200000; ++i) {
        const std::u16string key = keyOf(random() % 60000, 1 + random() % 40);
        const long delta = static_cast<long>(random() % 5) - 1;
        index.add(key, delta);
        model[key] += delta;
    }
    ASSERT_EQ(index.size(), model.size());
    for (const auto& [key, count] : model) ASSERT_EQ(index.count(key), count) << std::string(key.begin(), key.end());
    EXPECT_EQ(index.count(u"never filed"), 0);
}

// The filler batches keys and looks their slots up ahead; the counts must be those of adding
// them one by one, also for a key repeated within a batch and for keys filed before it.
TEST(CountIndex, AFillerCountsAsAddingOneByOne) {
    engine::CountIndex index;
    std::map<std::u16string, long> model;
    index.add(u"filed before", 3);
    model[u"filed before"] = 3;
    std::mt19937 random(5);
    {
        engine::CountIndex::Filler filler(index);
        for (int i = 0; i < 100000; ++i) {
            // Few distinct keys early (repeats inside a batch), many later (the table doubling).
            const std::u16string key = keyOf(random() % (i < 1000 ? 20 : 40000), 1 + random() % 30);
            filler.add(key);
            ++model[key];
        }
        filler.add(u"filed before");
        ++model[u"filed before"];
        filler.add(u"");
        ++model[u""];
        filler.add(std::u16string(300000, u'z'));  // longer than a chunk
        ++model[std::u16string(300000, u'z')];
    }  // the last, part-filled batch goes in here
    ASSERT_EQ(index.size(), model.size());
    for (const auto& [key, count] : model) ASSERT_EQ(index.count(key), count) << std::string(key.begin(), key.end());
}

TEST(CountIndex, KeysDifferingOnlyInLengthOrInAZeroUnitStayApart) {
    engine::CountIndex index;
    const std::u16string withZero(u"a\0b", 3);
    index.add(u"", 1);
    index.add(u"a", 2);
    index.add(u"ab", 3);
    index.add(withZero, 4);
    index.add(u"a", -1);
    EXPECT_EQ(index.count(u""), 1);
    EXPECT_EQ(index.count(u"a"), 1);
    EXPECT_EQ(index.count(u"ab"), 3);
    EXPECT_EQ(index.count(withZero), 4);
    EXPECT_EQ(index.count(std::u16string(u"a\0", 2)), 0);
    EXPECT_EQ(index.size(), 4u);
}

TEST(CountIndex, AKeyLongerThanAChunkKeepsItsTextAndTheKeysAroundIt) {
    engine::CountIndex index;
    std::u16string huge(300000, u'x');  // more units than a chunk of records holds
    huge.back() = u'y';
    index.add(u"before", 1);
    index.add(huge, 5);
    index.add(u"after", 2);
    index.add(huge.substr(0, 299999), 7);  // the same text but its last unit
    EXPECT_EQ(index.count(huge), 5);
    EXPECT_EQ(index.count(huge.substr(0, 299999)), 7);
    EXPECT_EQ(index.count(u"before"), 1);
    EXPECT_EQ(index.count(u"after"), 2);
    EXPECT_EQ(index.count(std::u16string(300000, u'x')), 0);
}

TEST(CountIndex, ACountFallingToZeroKeepsItsKeyAndCanRiseAgain) {
    engine::CountIndex index;
    index.add(u"tkey", 2);
    index.add(u"tkey", -2);
    EXPECT_EQ(index.count(u"tkey"), 0);
    EXPECT_EQ(index.size(), 1u);
    index.add(u"tkey", 1);
    EXPECT_EQ(index.count(u"tkey"), 1);
    EXPECT_EQ(index.size(), 1u);
}

}  // namespace
