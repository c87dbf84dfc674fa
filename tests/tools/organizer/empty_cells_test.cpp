// Removing rows with an empty cell, and empty cells with the rest shifted up or left.
#include "tests/tools/organizer/organizer_road.h"

namespace organizertest {
namespace {

using EmptyCells = OrganizerRoad;

TEST_F(EmptyCells, RowsWhereTheSelectedColumnHasAnEmptyCellAreDeleted) {
    fill({{u"a1", u"b1"}, {u"a2", u""}, {u"a3", u"b3"}, {u"a4", u""}, {u"a5", u"b5"}});
    select(u"B1:B5");
    user.selectOption(u"optDelEntire");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  2  Rows Removed Where Cells Found Empty!");
    EXPECT_EQ(cells(u"A1:B4"), (Rows{{u"a1", u"b1"}, {u"a3", u"b3"}, {u"a5", u"b5"}, {u"", u""}}));
    // The read-out is written after each yield: the last one seen is the pass before the end.
    EXPECT_EQ(progress.back(), u"Removing...50 %");
    ASSERT_TRUE(hasUndoCopy());
    EXPECT_EQ(testsupport::column(*undoCopy(), u"A1:A5"), (Texts{u"a1", u"a2", u"a3", u"a4", u"a5"}));
}

TEST_F(EmptyCells, TwoSelectedColumnsAreRefused) {
    fill({{u"a1", u""}, {u"", u"b2"}});
    select(u"A1:B2");
    user.selectOption(u"optDelEntire");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Please Select Single Column!");
    EXPECT_EQ(cells(u"A1:B2"), (Rows{{u"a1", u""}, {u"", u"b2"}}));
}

TEST_F(EmptyCells, EmptyCellsGoAndTheCellsBelowMoveUp) {
    fill({{u"a", u"x1"}, {u"", u"x2"}, {u"c", u"x3"}, {u"", u"x4"}, {u"e", u"x5"}});
    select(u"A1:A5");
    user.selectOption(u"optDelEmptyCells");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  2  Empty Cells Removed & Rest Shifted Upwards!");
    EXPECT_EQ(cells(u"A1:B5"), (Rows{{u"a", u"x1"}, {u"c", u"x2"}, {u"e", u"x3"}, {u"", u"x4"}, {u"", u"x5"}}));
    EXPECT_EQ(progress, (Texts{u"Analyzing...20 %", u"Analyzing...40 %", u"Analyzing...60 %", u"Analyzing...80 %",
                               u"Analyzing...100 %", u"Removing...0 %", u"Removing...50 %"}));
}

TEST_F(EmptyCells, AWholeColumnSelectionWorksOnItsUsedPart) {
    fill({{u"a"}, {u""}, {u"c"}, {u""}, {u""}, {u"f"}});
    select(u"A:A");
    user.selectOption(u"optDelEmptyCells");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  3  Empty Cells Removed & Rest Shifted Upwards!");
    EXPECT_EQ(col(u"A1:A4"), (Texts{u"a", u"c", u"f", u""}));
}

TEST_F(EmptyCells, AnEmptySelectionsRowsGoInOneStep) {
    fill({{u"a1", u"", u"c1"}, {u"a2", u"", u"c2"}, {u"a3", u"", u"c3"}, {u"a4", u"b4", u"c4"}});
    select(u"B1:B3");
    user.selectOption(u"optDelEntire");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total 3 Rows Removed Where Cells Found Empty!");
    EXPECT_EQ(cells(u"A1:C2"), (Rows{{u"a4", u"b4", u"c4"}, {u"", u"", u""}}));
}

TEST_F(EmptyCells, AnEmptySelectionsCellsGoInOneStep) {
    fill({{u"a1", u"", u"c1"}, {u"a2", u"", u"c2"}, {u"a3", u"b3", u"c3"}});
    select(u"B1:B2");
    user.selectOption(u"optDelEmptyCells");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total 2 Empty Cells Removed & Rest Shifted!");
    EXPECT_EQ(cells(u"A1:C2"), (Rows{{u"a1", u"b3", u"c1"}, {u"a2", u"", u"c2"}}));
}

TEST_F(EmptyCells, SpaceOnlyAndEmptyFormulaCellsAreRemovedOnlyAfterTheCleanPass) {
    fill({{u"a"}, {u"  "}, {u"=\"\""}, {u"d"}});
    select(u"A1:A4");
    user.selectOption(u"optDelEmptyCells").setValue(u"chkCleanWhiteSpaces", false);
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  0  Empty Cells Removed & Rest Shifted Upwards!");
    EXPECT_EQ(col(u"A1:A4"), (Texts{u"a", u"  ", u"", u"d"}));

    select(u"A1:A4");  // the run left its first cell selected
    user.selectOption(u"optDelEmptyCells");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  2  Empty Cells Removed & Rest Shifted Upwards!");
    EXPECT_EQ(col(u"A1:A4"), (Texts{u"a", u"d", u"", u""}));
}

TEST_F(EmptyCells, ShiftLeftReplacesAnEmptyCellFromTheRight) {
    fill({{u"", u"b1", u"c1"}, {u"a2", u"b2", u"c2"}, {u"", u"", u"c3"}});
    select(u"A1:A3");
    user.selectOption(u"optDelEmptyCells");
    yes();
    run(u"removeCols");
    EXPECT_EQ(message(), u"Total  2 Empty Cells Removed & Rest Shifted!");
    EXPECT_EQ(cells(u"A1:C3"), (Rows{{u"b1", u"c1", u""}, {u"a2", u"b2", u"c2"}, {u"", u"c3", u""}}));
}

// The walk counts the blanks of the whole work range but goes down from the first area's
// first row; with the first area filled down to the sheet's last row it meets none of them
// and stops at the last row instead of running on for ever.
TEST_F(EmptyCells, TheWalkNeverPassesTheSheetsLastRow) {
    fill({{u"x"}}, 1, 2);
    for (long row = host::kMaxRows - 9; row <= host::kMaxRows; ++row) t.sheet->model().enterText(row, 1, u"v");
    select(u"A1048567:A1048576,A1:A2");
    user.selectOption(u"optDelEntire");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  0  Rows Removed Where Cells Found Empty!");
    EXPECT_EQ(at(u"A1048576"), u"v");
    EXPECT_EQ(at(u"B1"), u"x");
}

}  // namespace
}  // namespace organizertest
