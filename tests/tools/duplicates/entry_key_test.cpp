// The entry of a cell and the literal COUNTIF and Find texts made from it.
#include <gtest/gtest.h>

#include "host/application.h"
#include "host/error.h"
#include "host/range.h"
#include "tests/support/printing.h"
#include "tests/support/sheet_builder.h"
#include "tools/duplicates/entry_key.h"

using tools::duplicates::entryOf;
using tools::duplicates::literalCriterion;
using tools::duplicates::literalFindText;

namespace {

struct CriterionCase {
    std::u16string entry, criterion, findText;
};

TEST(LiteralCriterion, EscapesWildcardsAndLeadingOperatorsOnly) {
    const CriterionCase cases[] = {
        {u"abc", u"abc", u"abc"}, {u"5", u"5", u"5"},        {u"a*", u"a~*", u"a~*"},  {u"?x", u"~?x", u"~?x"},
        {u"~", u"~~", u"~~"},     {u"~*", u"~~~*", u"~~~*"}, {u">5", u"=>5", u">5"},   {u"<>", u"=<>", u"<>"},
        {u"=", u"==", u"="},      {u"a>b", u"a>b", u"a>b"},  {u"<*", u"=<~*", u"<~*"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(literalCriterion(c.entry), c.criterion) << ::testing::PrintToString(c.entry);
        EXPECT_EQ(literalFindText(c.entry), c.findText) << ::testing::PrintToString(c.entry);
    }
}

// Each criterion counts exactly the cells that hold its entry, case aside.
TEST(LiteralCriterion, CountsTheEntryItselfOnTheHost) {
    auto t = testsupport::makeHost({{u"a*"}, {u"abc"}, {u"A*"}, {u">5"}, {u"6"}, {u"~"}, {u"~*"}, {u"*"}, {u"'=x"}});
    auto column = t.app->Range(u"A1:A9");
    auto functions = t.app->WorksheetFunction();
    const std::pair<std::u16string, double> expected[] = {{u"a*", 2}, {u"abc", 1}, {u">5", 1}, {u"~", 1},
                                                          {u"~*", 1}, {u"*", 1},   {u"=x", 1}, {u"6", 1}};
    for (const auto& [entry, count] : expected)
        EXPECT_EQ(functions->CountIf(column, host::Variant(literalCriterion(entry))), count)
            << ::testing::PrintToString(entry);
}

TEST(EntryOf, TrimsAndSkipsEmptyAndOverlongEntries) {
    const std::u16string longest(255, u'x'), tooLong(256, u'y');
    auto t = testsupport::makeHost(
        {{u"  a   b  "}, {u"   "}, {u""}, {longest}, {tooLong}, {u"007"}, {u"1/2/2024"}, {u"true"}});
    auto functions = t.app->WorksheetFunction();
    auto at = [&](long row) { return entryOf(*t.app->Range(u"A1")->Cells(row, 1), *functions); };
    const auto text = [](const char16_t* entry) { return std::optional<host::Variant>(host::Variant(entry)); };
    EXPECT_EQ(at(1), text(u"a b"));
    EXPECT_EQ(at(2), std::nullopt);
    EXPECT_EQ(at(3), std::nullopt);
    EXPECT_EQ(at(4), host::Variant(longest));
    EXPECT_EQ(at(5), std::nullopt);
    EXPECT_EQ(at(6), text(u"7"));
    EXPECT_EQ(at(7), text(u"1/2/2024"));
    EXPECT_EQ(at(8), text(u"True"));
}

// An entry that TRIM leaves as it was is the cell's own text, not a copy of it.
TEST(EntryOf, AnEntryTrimmingLeavesAloneSharesTheCellsText) {
    auto t = testsupport::makeHost({{u"kept as it is"}, {u" trimmed "}});
    auto functions = t.app->WorksheetFunction();
    const host::Variant kept = t.app->Range(u"A1")->Value();
    const auto entry = entryOf(*t.app->Range(u"A1"), *functions);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text().data(), kept.text().data());
    EXPECT_EQ(entryOf(*t.app->Range(u"A2"), *functions), host::Variant(u"trimmed"));
}

TEST(EntryOf, AnErrorValueCannotBeReadAsText) {
    auto t = testsupport::makeHost({{u"=1/0"}});
    auto functions = t.app->WorksheetFunction();
    EXPECT_THROW(entryOf(*t.app->Range(u"A1"), *functions), host::Error);
}

}  // namespace
