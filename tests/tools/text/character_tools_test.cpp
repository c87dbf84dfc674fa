// The eight character-class tools along the user's road: set-up, Yes, the cells, the
// message, the progress read-out, Stop, the undo snapshot, Undo and Redo.
#include <gtest/gtest.h>

#include "host/constants.h"
#include "host/worksheet.h"
#include "tests/tools/text/text_fixture.h"

namespace texttest {
namespace {

class CharacterTools : public TextFixture {};

struct ToolCase {
    std::u16string command, input, expected, message;
};

TEST_F(CharacterTools, EachToolCleansTheSampleAndSaysSo) {
    const std::vector<ToolCase> cases = {
        {u"removeNumbers", u"CWKver5@39", u"CWKver@", u"All Numbers Removed from Selected Cells!"},
        {u"removeAlphabets", u"CWKver5@39", u"5@39", u"All Alphabet Removed from Selected Cells!"},
        {u"removeAllCaps", u"CWKver5@39", u"ver5@39", u"All UPPER CASE Characters Removed from Selected Cells!"},
        {u"removeLowerCase", u"CWKver5@39", u"CWK5@39", u"All lower case Characters Removed from Selected Cells!"},
        // The examples' brackets mark where the text begins and ends.
        {u"removeAllSpaces", u"  CWK ver  5  @  39   ", u"CWKver5@39", u"All Spaces Removed from Selected Cells!"},
        {u"removeLTSpaces", u"  CWK ver  5  @  39   ", u"CWK ver  5  @  39",
         u"All Leading and Trailing Spaces Removed from Selected Cells!"},
        {u"removeExtraSpaces", u"  CWK ver  5  @  39   ", u"CWK ver 5 @ 39",
         u"All Extra Spaces Removed from Selected Cells!"},
        {u"removeUD", u"\u20AC12 \u00A3[a]{b}, c.", u"12 ab c",
         u"All User Defined Characters Removed from Selected Cells!"},
    };
    for (const ToolCase& c : cases) {
        useHost(testsupport::makeHost({{c.input}, {u"  lead"}}));
        select(u"A1:A2");
        run(c.command);
        EXPECT_EQ(text(u"A1"), c.expected) << testing::PrintToString(c.command);
        EXPECT_EQ(lastAlert(), c.message);
        EXPECT_FALSE(dialog::frmMainLoaded());
        EXPECT_FALSE(shell::frmAlertLoaded());
    }
}

TEST_F(CharacterTools, OnlyTheSpaceCharacterCountsAsASpace) {
    for (const std::u16string command : {u"removeAllSpaces", u"removeLTSpaces", u"removeExtraSpaces"}) {
        useHost(testsupport::makeHost({{u" a\tb\u00A0 c\u00A0"}}));
        run(command);
        const std::u16string result = text(u"A1");
        EXPECT_NE(result.find(u'\t'), std::u16string::npos);
        EXPECT_EQ(std::count(result.begin(), result.end(), u'\u00A0'), 2);
    }
    EXPECT_EQ(text(u"A1"), u"a\tb\u00A0 c\u00A0");
}

TEST_F(CharacterTools, AccentedCapitalsSurviveTheLetterTools) {
    for (const std::u16string command : {u"removeAlphabets", u"removeAllCaps"}) {
        useHost(testsupport::makeHost({{u"\u00C9cole Z"}}));
        run(command);
        EXPECT_EQ(text(u"A1").substr(0, 1), u"\u00C9");
    }
}

TEST_F(CharacterTools, UserDefinedWithAnEmptyBoxStillRewritesEveryCellAsItsValue) {
    useHost(testsupport::makeHost({{u"=1+1", u"kept!"}}));
    select(u"A1:B1");
    user.setText(u"txtUserDefinedChars", u"");
    run(u"removeUD");
    EXPECT_FALSE(t.app->Range(u"A1")->HasFormula());
    EXPECT_EQ(value(u"A1"), host::Variant(2.0));
    EXPECT_EQ(text(u"B1"), u"kept!");
}

TEST_F(CharacterTools, NonPrintableOptionCleansControlCharactersWhateverTheBox) {
    useHost(testsupport::makeHost({{u"a\nb\u0001c[d]"}}));
    user.setValue(u"CheckBox5", true).inspect([](forms::Form& form) {
        EXPECT_FALSE(dialogtest::mainOf(form).txtUserDefinedChars.Enabled());
    });
    run(u"removeUD");
    EXPECT_EQ(text(u"A1"), u"abc[d]");
}

TEST_F(CharacterTools, AFormulaEndsAsItsCleanedResult) {
    useHost(testsupport::makeHost({{u"=10+2", u"=A9+5"}}));
    select(u"A1:B1");
    run(u"removeAlphabets");
    EXPECT_FALSE(t.app->Range(u"A1")->HasFormula());
    EXPECT_EQ(value(u"A1"), host::Variant(12.0));
    useHost(testsupport::makeHost({{u"=A9+5"}}));
    run(u"removeNumbers");
    EXPECT_FALSE(t.app->Range(u"A1")->HasFormula());
    EXPECT_TRUE(value(u"A1").isEmpty());  // "5" without its digit: the cell is emptied
}

TEST_F(CharacterTools, NumbersAreWrittenBackAsTyped) {
    useHost(testsupport::makeHost({{u"1234.5"}}));
    run(u"removeNumbers");
    EXPECT_EQ(value(u"A1"), host::Variant(u"."));
    useHost(testsupport::makeHost({{u"1234.5"}}));
    run(u"removeAllSpaces");
    EXPECT_EQ(value(u"A1"), host::Variant(1234.5));
}

TEST_F(CharacterTools, AnErrorCellIsLeftAndTheOthersAreDone) {
    useHost(testsupport::makeHost({{u"a1"}, {u"=1/0"}, {u"b2"}}));
    select(u"A1:A3");
    run(u"removeNumbers");
    EXPECT_EQ(column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u"a", u"#DIV/0!", u"b"}));
    EXPECT_EQ(lastAlert(), u"All Numbers Removed from Selected Cells!");
}

TEST_F(CharacterTools, AnEmptySheetIsRefusedBeforeAnyChange) {
    run(u"removeNumbers");
    EXPECT_EQ(lastAlert(), u"Active Sheet is totally Empty!");
    EXPECT_FALSE(dialog::frmMainLoaded());
}

TEST_F(CharacterTools, ASelectionOfEmptyCellsIsRefused) {
    useHost(testsupport::makeHost({{u"a1", u""}, {u"", u""}}));
    t.sheet->model().enterText(9, 9, u"x9");
    select(u"B1:B2");
    run(u"removeNumbers");
    EXPECT_EQ(lastAlert(), u"Selection is Empty!");
    EXPECT_EQ(text(u"A1"), u"a1");
    select(u"Z100");  // outside the used range altogether
    run(u"removeNumbers");
    EXPECT_EQ(lastAlert(), u"Selection is Empty!");
    EXPECT_EQ(text(u"I9"), u"x9");
}

TEST_F(CharacterTools, TheActiveCellIsSelectedAgainAfterTheRun) {
    useHost(testsupport::makeHost({{u"a1", u"b1"}, {u"a2", u"b2"}}));
    select(u"A1:B2");
    t.app->Range(u"B2")->Activate();
    run(u"removeNumbers");
    EXPECT_EQ(t.app->Selection()->Address(), u"$B$2");
    EXPECT_EQ(text(u"A1"), u"a");
}

TEST_F(CharacterTools, EightCellsShowTheirProgressWithTiesToEven) {
    useHost(testsupport::makeHost({{u"1"}, {u"2"}, {u"3"}, {u"4"}, {u"5"}, {u"6"}, {u"7"}, {u"8x"}}));
    select(u"A:A");  // a whole column is cut down to the used rows
    std::vector<std::u16string> seen, counts;
    user.onDoEvents = [&](int, forms::Form* top) {
        auto& f = dialogtest::mainOf(*top);
        seen.push_back(f.lblDOHeader1to4.Caption());
        counts.push_back(f.lblDOSelCells.Caption());
        EXPECT_TRUE(f.cmdDO1to4Stop.isShown());
        EXPECT_FALSE(f.cmdYes.Enabled());
    };
    run(u"removeNumbers");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Removing...12 %", u"Removing...25 %", u"Removing...38 %",
                                                 u"Removing...50 %", u"Removing...62 %", u"Removing...75 %",
                                                 u"Removing...88 %", u"Removing...100 %"}));
    EXPECT_EQ(counts.front(), u"8");
    EXPECT_EQ(text(u"A8"), u"x");
}

TEST_F(CharacterTools, StopHalfWayLeavesTheLaterCellsAndReportsAsUsual) {
    useHost(testsupport::makeHost({{u"a1"}, {u"b2"}, {u"c3"}, {u"d4"}}));
    select(u"A1:A4");
    user.click(u"cmdDO1to4Stop").atDoEvents(2);
    run(u"removeNumbers");
    EXPECT_EQ(column(*t.sheet, u"A1:A4"), (std::vector<std::u16string>{u"a", u"b", u"c3", u"d4"}));
    EXPECT_EQ(lastAlert(), u"All Numbers Removed from Selected Cells!");
    EXPECT_EQ(user.doEventsCount(), 2);
}

TEST_F(CharacterTools, StopDuringTheFirstItemDoesExactlyOneCell) {
    useHost(testsupport::makeHost({{u"a1"}, {u"b2"}, {u"c3"}}));
    select(u"A1:A3");
    user.click(u"cmdDO1to4Stop").atDoEvents(1);
    run(u"removeNumbers");
    EXPECT_EQ(column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u"a", u"b2", u"c3"}));
    EXPECT_EQ(lastAlert(), u"All Numbers Removed from Selected Cells!");
}

TEST_F(CharacterTools, AStopPressedBeforeYesDoesNotCutTheNextRun) {
    useHost(testsupport::makeHost({{u"a1"}, {u"b2"}, {u"c3"}}));
    select(u"A1:A3");
    dialog::stopRequested = true;  // left set by an earlier run's Stop
    run(u"removeNumbers");
    EXPECT_EQ(column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u"a", u"b", u"c"}));
}

TEST_F(CharacterTools, TheRunIsBracketedByTheProcessingSteps) {
    useHost(testsupport::makeHost({{u"a1"}}));
    t.app->setCalculation(host::xlCalculationManual);
    bool quietWhileRunning = false;
    user.onDoEvents = [&](int, forms::Form*) {
        quietWhileRunning = !t.app->ScreenUpdating() && t.app->Calculation() == host::xlCalculationManual &&
                            !t.app->EnableEvents() && !t.app->DisplayAlerts();
    };
    run(u"removeNumbers");
    EXPECT_TRUE(quietWhileRunning);
    EXPECT_TRUE(t.app->ScreenUpdating());
    EXPECT_EQ(t.app->Calculation(), host::xlCalculationAutomatic);  // fixed values, not the user's
    EXPECT_TRUE(t.app->EnableEvents());
}

TEST_F(CharacterTools, TheSnapshotHoldsTheSheetBeforeAndUndoRedoSwapIt) {
    useHost(testsupport::makeHost({{u"CWKver5@39", u"x 1"}}));
    select(u"A1:B1");
    run(u"removeNumbers");
    auto sheets = t.app->ActiveWorkbook()->Sheets();
    ASSERT_EQ(sheets->Count(), 2);
    EXPECT_EQ(sheets->Item(1)->Name(), u"Sheet1_Undo");
    EXPECT_EQ(sheets->Item(1)->Visible(), host::xlSheetHidden);
    EXPECT_EQ(sheets->Item(1)->Range(u"A1")->Value().toText(), u"CWKver5@39");
    EXPECT_TRUE(shell::undoEnabled);
    EXPECT_FALSE(shell::redoEnabled);
    EXPECT_EQ(text(u"A1"), u"CWKver@");

    shell::undoLastAction();
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Sheet1");
    EXPECT_EQ(text(u"A1"), u"CWKver5@39");
    EXPECT_EQ(text(u"B1"), u"x 1");
    shell::redoLastAction();
    EXPECT_EQ(text(u"A1"), u"CWKver@");
    EXPECT_EQ(text(u"B1"), u"x ");
}

}  // namespace
}  // namespace texttest
