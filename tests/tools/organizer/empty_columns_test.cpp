// Removing completely blank columns, over the selection or over the whole sheet.
#include "tests/tools/organizer/organizer_road.h"

namespace organizertest {
namespace {

using EmptyColumns = OrganizerRoad;

TEST_F(EmptyColumns, BlankColumnsOfTheSelectionAreDeleted) {
    fill({{u"a1", u"", u"c1", u"", u"e1"}, {u"a2", u"", u"c2", u"", u"e2"}});
    fill({{u"far"}}, 9, 4);  // column D holds data below the selection: it stays
    select(u"A1:E2");
    yes();
    run(u"removeCols");
    EXPECT_EQ(message(), u"Total  1  Empty Columns Removed!");
    EXPECT_EQ(cells(u"A1:D2"), (Rows{{u"a1", u"c1", u"", u"e1"}, {u"a2", u"c2", u"", u"e2"}}));
    EXPECT_EQ(at(u"C9"), u"far");
    // Written after each yield: the last read-out seen is that of the fourth of five columns.
    EXPECT_EQ(progress.back(), u"Removing...80 %");
    ASSERT_TRUE(hasUndoCopy());
}

TEST_F(EmptyColumns, TheWholeSheetModeStartsAtColumnAAndVisitsUpToTheLastUsedColumn) {
    fill({{u"", u"b", u"", u"", u"e"}});
    select(u"E1");
    user.setValue(u"chkRemoveAS", true);
    yes();
    run(u"removeCols");
    EXPECT_EQ(message(), u"Total  3  Empty Columns Removed!");
    EXPECT_EQ(cells(u"A1:C1"), (Rows{{u"b", u"e", u""}}));
    EXPECT_EQ(t.app->ActiveCell()->Address(), u"$E$1");
}

TEST_F(EmptyColumns, SpaceOnlyColumnsGoWhenTheCleanOptionIsTicked) {
    fill({{u"a", u" ", u"c"}});
    select(u"A1:C1");
    yes();  // the column layout clears the clean option
    run(u"removeCols");
    EXPECT_EQ(message(), u"Total  0  Empty Columns Removed!");

    select(u"A1:C1");
    user.setValue(u"chkCleanWhiteSpaces", true);
    yes();
    run(u"removeCols");
    EXPECT_EQ(message(), u"Total  1  Empty Columns Removed!");
    EXPECT_EQ(cells(u"A1:B1"), (Rows{{u"a", u"c"}}));
}

TEST_F(EmptyColumns, AnEmptySheetMeetsOnlyTheRoutinesMessage) {
    select(u"A1:B2");
    yes();
    run(u"removeCols");
    EXPECT_EQ(message(), u"Active Sheet is totally Empty!");
}

}  // namespace
}  // namespace organizertest
