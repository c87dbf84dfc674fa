#include "host/calc/count_index.h"

#include <gtest/gtest.h>

#include <random>

namespace host::calc {
namespace {

bool looksNumeric(std::u16string_view text) {
    return !text.empty() && (text.front() == u'1' || text == u"Jan 5");  // stands in for Calc's recognition
}

std::optional<std::u16string> plain(std::u16string_view criterion, CriterionSettings settings = {}) {
    return plainTextCriterion(criterion, settings, looksNumeric);
}

TEST(PlainTextCriterion, ATextWithoutSpecialCharactersIsItself) {
    EXPECT_EQ(plain(u"item-042"), u"item-042");
    EXPECT_EQ(plain(u"Mr. Smith (jr)"), u"Mr. Smith (jr)") << "regex characters are plain without regular expressions";
}

TEST(PlainTextCriterion, AnEqualsSignComparesWithWhatFollows) {
    EXPECT_EQ(plain(u"=abc"), u"abc");
    EXPECT_EQ(plain(u"=<abc"), u"<abc") << "an entry starting with an operator, made literal";
    EXPECT_EQ(plain(u"="), std::nullopt) << "\"=\" counts empty cells: Calc's";
}

TEST(PlainTextCriterion, OperatorsWildcardsNumbersAndBooleansAreLeftToCalc) {
    for (const char16_t* criterion :
         {u"", u"<abc", u">abc", u"<>abc", u"a*", u"?b", u"a~b", u"a~", u"12", u"Jan 5", u"TRUE", u"false", u"=15"})
        EXPECT_EQ(plain(criterion), std::nullopt) << std::char_traits<char16_t>::length(criterion) << " units";
}

TEST(PlainTextCriterion, EscapedWildcardsAreTheCharactersThemselves) {
    EXPECT_EQ(plain(u"a~*b~?c~~"), u"a*b?c~");
    CriterionSettings none{.wildcards = false};
    EXPECT_EQ(plain(u"a*b~", none), u"a*b~") << "without wildcards nothing is special";
}

TEST(PlainTextCriterion, RegularExpressionCharactersAndPartialMatchingAreLeftToCalc) {
    CriterionSettings regex{.wildcards = false, .regularExpressions = true};
    EXPECT_EQ(plain(u"plain text", regex), u"plain text");
    EXPECT_EQ(plain(u"a.b", regex), std::nullopt);
    EXPECT_EQ(plain(u"a(b", regex), std::nullopt);
    EXPECT_EQ(plain(u"abc", CriterionSettings{.matchWholeCell = false}), std::nullopt);
}

std::vector<std::optional<std::u16string>> texts(std::initializer_list<const char16_t*> cells) {
    std::vector<std::optional<std::u16string>> out;
    for (const char16_t* cell : cells) out.push_back(cell ? std::optional<std::u16string>(cell) : std::nullopt);
    return out;
}

TEST(CountIndex, CountsTextCellsIgnoringCaseOrNot) {
    const auto cells = texts({u"a", u"A", nullptr, u"b", u"É", u"é", u"", u"ΣΑΣ", u"σας", u"ǅ", u"Ǆ", u"İ"});
    CountIndex folded(12, 1, cells, true);
    ASSERT_TRUE(folded.usable());
    EXPECT_EQ(folded.count(u"a"), 2);
    EXPECT_EQ(folded.count(u"B"), 1);
    EXPECT_EQ(folded.count(u"é"), 2);
    EXPECT_EQ(folded.count(u"Σας"), 2) << "a final sigma is a sigma";
    EXPECT_EQ(folded.count(u"ǆ"), 2) << "title case";
    EXPECT_EQ(folded.count(u"i"), 0) << "dotted capital I is not i";
    EXPECT_EQ(folded.count(u"c"), 0);
    CountIndex exact(6, 2, cells, false);
    EXPECT_EQ(exact.count(u"a"), 1);
    EXPECT_EQ(exact.count(u"A"), 1);
    EXPECT_EQ(exact.rows(), 6);
}

// Calc takes "ſ" for "s" and "ﬀ" for "ff", but not "ß" for "ss": such texts are Calc's to compare.
TEST(CountIndex, TextsWhoseCaseCalcComparesItsOwnWayAreLeftToCalc) {
    EXPECT_FALSE(CountIndex(1, 1, texts({u"ſ"}), true).usable());
    EXPECT_FALSE(CountIndex(1, 1, texts({u"oﬀ"}), true).usable());
    EXPECT_FALSE(CountIndex(1, 1, texts({u"Straße"}), true).usable());
    CountIndex index(2, 1, texts({u"s", u"ff"}), true);
    EXPECT_EQ(index.count(u"ſ"), std::nullopt);
    EXPECT_EQ(index.count(u"s"), 1);
    index.rewrite(0, 0, std::u16string(u"ﬀ"));
    EXPECT_FALSE(index.usable());
    EXPECT_EQ(index.count(u"ff"), std::nullopt);
    EXPECT_TRUE(CountIndex(1, 1, texts({u"ſ"}), false).usable()) << "compared exactly when case counts";
}

TEST(CountIndex, RemovedRowsLeaveTheCountsAndMoveTheRowsBelowUp) {
    CountIndex index(3, 2, texts({u"a", u"x", u"b", u"a", u"c", u"a"}), true);
    index.removeRows(1, 1);
    EXPECT_EQ(index.rows(), 2);
    EXPECT_EQ(index.count(u"a"), 2);
    EXPECT_EQ(index.count(u"b"), 0);
    index.rewrite(1, 1, std::u16string(u"x"));  // row 1 is the third row read
    EXPECT_EQ(index.count(u"a"), 1);
    EXPECT_EQ(index.count(u"x"), 2);
    index.rewrite(0, 0, std::nullopt);
    EXPECT_EQ(index.count(u"a"), 0);
}

// Random removals and rewrites against a plain list of rows.
TEST(CountIndex, FollowsEditsAsAListOfRowsWould) {
    std::mt19937 random(7);
    const long rows = 300;
    std::vector<std::u16string> model;
    std::vector<std::optional<std::u16string>> cells;
    for (long r = 0; r < rows; ++r) {
        model.push_back(std::u16string(1, static_cast<char16_t>(u'a' + random() % 6)));
        cells.push_back(model.back());
    }
    CountIndex index(rows, 1, cells, false);
    for (int step = 0; step < 400 && !model.empty(); ++step) {
        const long at = static_cast<long>(random() % model.size());
        if (step % 3 == 0) {
            const long last = std::min<long>(at + static_cast<long>(random() % 3), static_cast<long>(model.size()) - 1);
            index.removeRows(at, last);
            model.erase(model.begin() + at, model.begin() + last + 1);
        } else {
            model[static_cast<size_t>(at)] = std::u16string(1, static_cast<char16_t>(u'a' + random() % 6));
            index.rewrite(at, 0, model[static_cast<size_t>(at)]);
        }
        ASSERT_EQ(index.rows(), static_cast<long>(model.size()));
        for (char16_t letter = u'a'; letter < u'g'; ++letter)
            ASSERT_EQ(index.count(std::u16string(1, letter)),
                      static_cast<double>(std::count(model.begin(), model.end(), std::u16string(1, letter))))
                << "step " << step;
    }
}

}  // namespace
}  // namespace host::calc
