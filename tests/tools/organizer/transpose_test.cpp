// Transposing one column into a table of rows of N cells.
#include "tests/tools/organizer/organizer_road.h"

namespace organizertest {
namespace {

using Transpose = OrganizerRoad;

TEST_F(Transpose, SixValuesInRowsOfThreeFromRowTwoAndTheColumnRemoved) {
    fill({{u"a"}, {u"b"}, {u"c"}, {u"d"}, {u"e"}, {u"f"}});
    select(u"A1:A6");
    user.inspect([](forms::Form& form) { EXPECT_EQ(static_cast<dialog::FrmMain&>(form).txtNthRow.Text(), u"3"); });
    yes();
    run(u"transposeRowsToColumn");
    EXPECT_EQ(message(), u"Selected Rows are Transposed into Columns!");
    EXPECT_EQ(cells(u"A1:C3"), (Rows{{u"", u"", u""}, {u"a", u"b", u"c"}, {u"d", u"e", u"f"}}));
    EXPECT_EQ(progress, (Texts{u"Transposing...17 %", u"Transposing...67 %"}));
    ASSERT_TRUE(hasUndoCopy());
    EXPECT_EQ(testsupport::column(*undoCopy(), u"A1:A2"), (Texts{u"a", u"b"}));
}

TEST_F(Transpose, SevenValuesLeaveTheLastRowShort) {
    fill({{u"a"}, {u"b"}, {u"c"}, {u"d"}, {u"e"}, {u"f"}, {u"g"}});
    select(u"A1:A7");
    yes();
    run(u"transposeRowsToColumn");
    EXPECT_EQ(cells(u"A2:C4"), (Rows{{u"a", u"b", u"c"}, {u"d", u"e", u"f"}, {u"g", u"", u""}}));
}

TEST_F(Transpose, ARangeStartingBelowRowOneIsLaidOutFromItsOwnFirstRow) {
    fill({{u"title", u"note"}, {u""}, {u""}, {u"a"}, {u"b"}, {u"c"}, {u"d"}, {u"e"}, {u"f"}});
    select(u"A4:A9");
    yes();
    run(u"transposeRowsToColumn");
    // Column A holds "title" outside the selection: only the selection's cells go, their
    // rows' cells shifting left, and "title" stays.
    EXPECT_EQ(cells(u"A1:C7"), (Rows{{u"title", u"note", u""},
                                     {u"", u"", u""},
                                     {u"", u"", u""},
                                     {u"", u"", u""},
                                     {u"a", u"b", u"c"},
                                     {u"d", u"e", u"f"},
                                     {u"", u"", u""}}));
}

TEST_F(Transpose, ARangeStartingBelowRowOneBesideFilledCellsStillStartsBelowItsFirstRow) {
    fill({{u"x", u"top"}, {u"a"}, {u"b"}, {u"c"}, {u"d"}});
    select(u"A2:A5");
    user.setText(u"txtNthRow", u"2");
    yes();
    run(u"transposeRowsToColumn");
    EXPECT_EQ(cells(u"A1:B4"), (Rows{{u"x", u"top"}, {u"", u""}, {u"a", u"b"}, {u"c", u"d"}}));
}

TEST_F(Transpose, ASelectionInsideTheUsedRangeKeepsTheColumnsOtherCells) {
    fill({{u"a"}, {u"b"}, {u"c"}, {u"d"}, {u"below"}});
    select(u"A1:A4");
    user.setText(u"txtNthRow", u"2");
    yes();
    run(u"transposeRowsToColumn");
    EXPECT_EQ(cells(u"A1:B5"), (Rows{{u"", u""}, {u"a", u"b"}, {u"c", u"d"}, {u"", u""}, {u"below", u""}}));
}

TEST_F(Transpose, NBelowOneIsRefusedAndNothingChanges) {
    fill({{u"a"}, {u"b"}});
    select(u"A1:A2");
    user.setText(u"txtNthRow", u"0");
    yes();
    run(u"transposeRowsToColumn");
    EXPECT_EQ(message(), u"Number of Rows must be a whole number of 1 or more");
    EXPECT_EQ(col(u"A1:A2"), (Texts{u"a", u"b"}));
}

TEST_F(Transpose, TwoColumnsAreRefused) {
    fill({{u"a", u"b"}});
    select(u"A1:B1");
    yes();
    run(u"transposeRowsToColumn");
    EXPECT_EQ(message(), u"Please Select Single Column!");
}

}  // namespace
}  // namespace organizertest
