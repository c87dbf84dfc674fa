// Removing completely blank rows along the user's road: "removeRows" set-up, options, Yes.
#include "tests/tools/organizer/organizer_road.h"

namespace organizertest {
namespace {

class EmptyRows : public OrganizerRoad {
protected:
    // Rows 1..11 of B:C hold r1..r11 except rows 4, 6 and 7; D6 holds data outside the
    // selection, so row 6 is blank only within B:C.
    void fillTenRows() {
        for (long row = 1; row <= 11; ++row) {
            if (row == 4 || row == 6 || row == 7) continue;
            const std::u16string text = u"r" + organizerDecimal(row);
            fill({{text, text}}, row, 2);
        }
        fill({{u"outside"}}, 6, 4);
    }
    static std::u16string organizerDecimal(long n) {
        const std::string s = std::to_string(n);
        return std::u16string(s.begin(), s.end());
    }
};

TEST_F(EmptyRows, DeletesRowsBlankAcrossTheSheetAndKeepsRowsWithDataElsewhere) {
    fillTenRows();
    select(u"B2:C10");
    yes();
    run(u"removeRows");

    EXPECT_EQ(message(), u"Total  2  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"B1:B10"), (Texts{u"r1", u"r2", u"r3", u"r5", u"", u"r8", u"r9", u"r10", u"r11", u""}));
    EXPECT_EQ(at(u"D5"), u"outside");
    // The walk's read-out: the row position over the last row (2 to 10, one pass per row).
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), u"Removing...100 %");
    EXPECT_NE(std::find(progress.begin(), progress.end(), u"Removing...30 %"), progress.end());
    EXPECT_NE(std::find(progress.begin(), progress.end(), u"Analyzing...50 %"), progress.end());
    // The active cell is put back, Undo restores the sheet.
    EXPECT_EQ(t.app->ActiveCell()->Address(), u"$B$2");
    ASSERT_TRUE(hasUndoCopy());
    EXPECT_EQ(testsupport::column(*undoCopy(), u"B4:B7"), (Texts{u"", u"r5", u"", u""}));
    EXPECT_TRUE(shell::undoEnabled);
    shell::undoLastAction();
    EXPECT_EQ(testsupport::column(*testsupport::sheetNamed(t, u"Sheet1"), u"B4:B7"), (Texts{u"", u"r5", u"", u""}));
}

TEST_F(EmptyRows, TheLastSelectedRowIsDeletedWhenBlank) {
    fill({{u"a"}, {u"b"}, {u""}, {u""}, {u"e"}});
    fill({{u"keep"}}, 1, 2);  // used range reaches row 5 through A5
    select(u"A1:A4");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  2  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"A1:A3"), (Texts{u"a", u"b", u"e"}));
}

TEST_F(EmptyRows, AnEmptySelectionWithEmptyRowsGoesInOneStepWithSingleSpaces) {
    fill({{u"top"}}, 1, 1);
    fill({{u"bottom"}}, 10, 1);
    select(u"A3:A5");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total 3 Entirely Blank Rows Removed!");
    EXPECT_EQ(at(u"A7"), u"bottom");
    EXPECT_EQ(progress, Texts{});  // no walk, no yield
}

TEST_F(EmptyRows, AnEmptySelectionWhoseRowsHoldDataElsewhereDeletesNothing) {
    fill({{u"a", u"", u"x"}, {u"b", u"", u"y"}, {u"c", u"", u"z"}});
    select(u"B1:B3");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  0  Entirely Blank Rows Removed!");
    EXPECT_EQ(cells(u"A1:C3"), (Rows{{u"a", u"", u"x"}, {u"b", u"", u"y"}, {u"c", u"", u"z"}}));
}

TEST_F(EmptyRows, SpaceOnlyCellsCountUnlessTheCleanOptionIsTicked) {
    fill({{u"a"}, {u"   "}, {u"c"}});
    select(u"A1:A3");
    user.setValue(u"chkCleanWhiteSpaces", false);
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  0  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"A1:A3"), (Texts{u"a", u"   ", u"c"}));

    select(u"A1:A3");
    yes();  // the clean option is ticked again in the fresh dialog
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  1  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"A1:A3"), (Texts{u"a", u"c", u""}));
}

TEST_F(EmptyRows, AFormulaReturningEmptyTextIsNotEmptyButTheCleanPassEmptiesIt) {
    fill({{u"a"}, {u"=\"\""}, {u"c"}});
    select(u"A1:A3");
    user.setValue(u"chkCleanWhiteSpaces", false);
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  0  Entirely Blank Rows Removed!");
    EXPECT_TRUE(t.app->Range(u"A2")->HasFormula());

    select(u"A1:A3");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  1  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"A1:A2"), (Texts{u"a", u"c"}));
}

TEST_F(EmptyRows, ASingleSelectedCellWorksOnTheWholeUsedRange) {
    fill({{u"a"}, {u""}, {u"c"}, {u""}, {u"e"}});
    select(u"A1");
    user.inspect([](forms::Form& form) {
        auto& main = static_cast<dialog::FrmMain&>(form);
        EXPECT_TRUE(main.chkRemoveAS.Value());
        EXPECT_EQ(main.chkRemoveAS.Caption(), u" Remove From Active Sheet");
    });
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  2  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"A1:A3"), (Texts{u"a", u"c", u"e"}));
}

TEST_F(EmptyRows, SeveralAreasAreWalkedFromTheFirstToTheLastRowRowsBetweenIncluded) {
    fill({{u"a"}, {u""}, {u"c"}, {u""}, {u"e"}, {u""}, {u"g"}});
    select(u"A1:A2,A5:A7");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  3  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"A1:A4"), (Texts{u"a", u"c", u"e", u"g"}));
}

TEST_F(EmptyRows, AnEmptySheetIsRefusedBeforeAnything) {
    select(u"A1:A3");
    yes();
    run(u"removeRows");
    EXPECT_EQ(message(), u"Active Sheet is Empty!");
    EXPECT_FALSE(dialog::frmMainLoaded());
}

TEST_F(EmptyRows, StopEndsTheWalkAndTheMessageCountsWhatWasDeleted) {
    fill({{u"a"}, {u""}, {u""}, {u""}, {u""}, {u"f"}});
    fill({{u"x"}}, 1, 2);
    select(u"A1:A6");
    user.setValue(u"chkCleanWhiteSpaces", false);
    yes();
    // The second yield of the walk delivers Stop: two passes, the second row deleted.
    user.click(u"cmdDO1to4Stop").atDoEvents(2);
    run(u"removeRows");
    EXPECT_EQ(message(), u"Total  1  Entirely Blank Rows Removed!");
    EXPECT_EQ(col(u"A1:A5"), (Texts{u"a", u"", u"", u"", u"f"}));
}

}  // namespace
}  // namespace organizertest
