// The duplicate and unique counting tools from their start: the checks, the tally on the
// dialog's first layout, the headlines, the narrowed selection, progress and Stop.
#include "tests/tools/count/count_fixture.h"

#include "host/constants.h"
#include "host/range.h"

namespace counttest {
namespace {

using tools::count::StartCountTool4to5;

class EntryCounting : public CountToolTest {
protected:
    void start(std::u16string key) { StartCountTool4to5(key); }
    static std::vector<std::u16string> figures(const forms::FormSnapshot& shot) {
        return {shot.text(u"lblSelectedCells"), shot.text(u"lblUnique"), shot.text(u"lblDuplicate"),
                shot.text(u"lblDistinct")};
    }
    using Figures = std::vector<std::u16string>;
    // The progress texts shown at every yield while frmMain is on top.
    void recordHeaders() {
        user.onDoEvents = [this](int, forms::Form* top) {
            if (auto* form = dynamic_cast<dialog::FrmMain*>(top)) headers.push_back(form->lblCT4to5Header.Caption());
        };
    }
    std::u16string selectionAddress() const { return t.app->Selection()->Address(); }
    std::vector<std::u16string> headers;
};

const testsupport::Rows kSix = {{u"a"}, {u"a"}, {u"b"}, {u"b"}, {u"b"}, {u"c"}};

TEST_F(EntryCounting, UniquesOfSixCells) {
    useHost(kSix);
    select(u"A1:A6");
    start(u"countUniques");
    const forms::FormSnapshot& shot = firstShown();
    EXPECT_EQ(figures(shot), (Figures{u"6", u"3", u"5", u"1"}));
    EXPECT_EQ(shot.text(u"lblCT4to5Header"), u"3 Unique Entries\r\nFound in Selected Cells");
    EXPECT_EQ(shot.text(u"lblMainHeader"), u"Cellwash - Count Tool");
    EXPECT_TRUE(shot.shown.at(u"frmCountTool4to5"));
    EXPECT_FALSE(shot.shown.at(u"frmCountTool1to3"));
    EXPECT_FALSE(shot.shown.at(u"cmdStop"));
}

TEST_F(EntryCounting, DuplicatesOfSixCells) {
    useHost(kSix);
    select(u"A1:A6");
    user.inspect([](forms::Form& form) {
        auto& f = static_cast<dialog::FrmMain&>(form);
        EXPECT_TRUE(f.optCountDuplicate.Value());
        EXPECT_EQ(f.HeightTwips(), 4725);
        EXPECT_EQ(dialog::activeCTKey, u"CountTool4");
        EXPECT_TRUE(f.frmOptions.Enabled());
        EXPECT_TRUE(f.cmdExit.Enabled());
    });
    start(u"countDuplicates");
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"3", u"5", u"1"}));
    EXPECT_EQ(firstShown().text(u"lblCT4to5Header"), u"5 Duplicate Entries\r\nFound in Selected Cells");
    EXPECT_EQ(tools::count::entryTally.duplicateEntries, 5);
    EXPECT_EQ(user.remaining(), 0u);
}

TEST_F(EntryCounting, SwitchingTheOptionRecountsTheSameCells) {
    useHost(kSix);
    select(u"A1:A6");
    int yields = 0;
    user.onDoEvents = [&](int, forms::Form*) { ++yields; };
    user.inspect([&](forms::Form&) { EXPECT_EQ(yields, 10); });  // one tally: 1 + 6 cells + 3 values
    user.click(u"optCountDuplicate");
    look();
    user.click(u"optCountUnique");
    look();
    start(u"countUniques");
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(yields, 30);
    EXPECT_EQ(looks[0].text(u"lblCT4to5Header"), u"5 Duplicate Entries\r\nFound in Selected Cells");
    EXPECT_EQ(figures(looks[0]), (Figures{u"6", u"3", u"5", u"1"}));
    EXPECT_EQ(looks[1].text(u"lblCT4to5Header"), u"3 Unique Entries\r\nFound in Selected Cells");
}

TEST_F(EntryCounting, CaseCountsButOuterAndRepeatedSpacesDoNot) {
    useHost({{u"abc"}, {u"ABC"}, {u" abc"}, {u"abc  "}, {u"x  y"}, {u"x y"}});
    select(u"A1:A6");
    start(u"countUniques");
    // abc ×3, ABC ×1, "x y" ×2
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"3", u"5", u"1"}));
}

TEST_F(EntryCounting, EmptyCellsAreEntriesOfTheEmptyValue) {
    useHost({{u"a", u"", u"b"}, {u"", u"a", u"c"}});
    select(u"A1:C2");
    start(u"countDuplicates");
    // a ×2, "" ×2, b, c
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"4", u"4", u"2"}));
}

TEST_F(EntryCounting, ASelectionBeyondTheDataIsNarrowedToIt) {
    useHost(kSix);
    select(u"A1:D100");
    start(u"countUniques");
    EXPECT_EQ(firstShown().text(u"lblSelectedCells"), u"6");
    EXPECT_EQ(selectionAddress(), u"$A$1:$A$6");
}

TEST_F(EntryCounting, ANumberAndTheSameNumberAsTextAreOneValue) {
    useHost({{u"5"}, {u"'5"}, {u"5.0"}, {u"1/2/2024"}, {u"'1/2/2024"}, {u"TRUE"}, {u"'True"}});
    select(u"A1:A7");
    start(u"countUniques");
    EXPECT_EQ(figures(firstShown()), (Figures{u"7", u"3", u"7", u"0"}));
}

TEST_F(EntryCounting, ErrorsCountByTheirLiteral) {
    useHost({{u"=1/0"}, {u"=1/0"}, {u"'#DIV/0!"}, {u"x"}, {u"y"}});
    select(u"A1:A5");
    start(u"countUniques");
    // #DIV/0! ×3 (two errors and the text), x, y
    EXPECT_EQ(figures(firstShown()), (Figures{u"5", u"3", u"3", u"2"}));
}

TEST_F(EntryCounting, ASelectionOfSeveralAreasIsTalliedAreaByArea) {
    useHost({{u"a", u"x", u"a"}, {u"b", u"y", u"c"}});
    select(u"A1:A2,C1:C2");
    start(u"countUniques");
    EXPECT_EQ(figures(firstShown()), (Figures{u"4", u"3", u"2", u"2"}));
    EXPECT_EQ(selectionAddress(), u"$A$1:$A$2,$C$1:$C$2");
}

TEST_F(EntryCounting, ProgressGrowsWithTheValuesAndEndsAtAHundred) {
    useHost(kSix);
    select(u"A1:A6");
    recordHeaders();
    start(u"countUniques");
    // Seen at each yield: the text the item before wrote. Totals 6 + k: 7, 7, 8, 8, 8, 9.
    const std::vector<std::u16string> expected = {
        u"Please Wait.....!\r\nCounting Unique Entries",
        u"Please Wait.....!\r\nCounting Unique Entries",
        u"Analyzing...14 %",
        u"Analyzing...29 %",
        u"Analyzing...38 %",
        u"Analyzing...50 %",
        u"Analyzing...62 %",
        u"Analyzing...67 %",
        u"Counting...78 %",
        u"Counting...89 %",
    };
    EXPECT_EQ(headers, expected);
}

TEST_F(EntryCounting, TheLastProgressOfAFullTallyIsAHundred) {
    useHost(kSix);
    select(u"A1:A6");
    dialog::FrmMain& form = dialog::frmMain();
    tools::count::TallyEntries(6);
    EXPECT_EQ(form.lblCT4to5Header.Caption(), u"Counting...100 %");
    EXPECT_FALSE(form.cmdStop.Visible());
    EXPECT_EQ(tools::count::entryTally.distinctValues, 3);
}

TEST_F(EntryCounting, StopDuringTheFirstPassStillHandlesOneValue) {
    useHost(kSix);
    select(u"A1:A6");
    user.click(u"cmdStop").atDoEvents(3);  // the yield after the second cell
    start(u"countUniques");
    // Cells a, a seen; the second pass handles its first value (a ×2) and stops.
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"1", u"2", u"0"}));
    EXPECT_EQ(firstShown().text(u"lblCT4to5Header"), u"1 Unique Entries\r\nFound in Selected Cells");
    EXPECT_TRUE(firstShown().shown.at(u"frmOptions"));
}

TEST_F(EntryCounting, StopDuringTheSecondPassKeepsThePartialFigures) {
    useHost(kSix);
    select(u"A1:A6");
    user.click(u"cmdStop").atDoEvents(9);  // the yield after the second value
    start(u"countDuplicates");
    // a ×2 and b ×3 handled, c not: 5 duplicate entries, no single value yet.
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"3", u"5", u"0"}));
}

TEST_F(EntryCounting, StopBeforeTheTallyHasNoEffect) {
    useHost(kSix);
    select(u"A1:A6");
    dialog::stopRequested = true;
    start(u"countUniques");
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"3", u"5", u"1"}));
}

TEST_F(EntryCounting, OptionsExitAndStopDuringTheTally) {
    useHost(kSix);
    select(u"A1:A6");
    int checked = 0;
    user.onDoEvents = [&](int k, forms::Form* top) {
        auto* form = dynamic_cast<dialog::FrmMain*>(top);
        if (!form || k == 1) return;  // the first yield comes before the controls go off
        EXPECT_FALSE(form->frmOptions.Enabled()) << k;
        EXPECT_FALSE(form->cmdExit.Enabled()) << k;
        EXPECT_TRUE(form->cmdStop.Visible()) << k;
        ++checked;
    };
    user.click(u"cmdExit").atDoEvents(4);  // a click on a disabled button is lost
    start(u"countUniques");
    EXPECT_EQ(checked, 9);
    EXPECT_EQ(user.ignoredActions().size(), 1u);
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"3", u"5", u"1"}));
}

TEST_F(EntryCounting, ADraggedDialogDoesNotRecountOnLayout) {
    useHost(kSix);
    select(u"A1:A6");
    user.inspect([this](forms::Form&) { t.sheet->model().enterText(6, 1, u"a"); });
    user.moveForm(5, 5);  // not dragged: a layout counts again
    look();
    user.inspect([this](forms::Form&) { t.sheet->model().enterText(6, 1, u"d"); });
    user.mouseDown(u"lblMainHeader").moveForm(50, 50);
    look();
    start(u"countUniques");
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(figures(looks[0]), (Figures{u"6", u"2", u"6", u"0"}));
    EXPECT_EQ(figures(looks[1]), (Figures{u"6", u"2", u"6", u"0"}));
}

TEST_F(EntryCounting, EmptySheetAndEmptySelectionOpenNoDialog) {
    useHost({});
    start(u"countUniques");
    t.sheet->model().enterText(1, 1, u"data");
    select(u"C5:D9");
    start(u"countDuplicates");
    EXPECT_EQ(alerts(), (std::vector<std::u16string>{u"Active Sheet is Empty!", u"Selection is Empty!"}));
    EXPECT_FALSE(dialogWasShown());
    EXPECT_TRUE(dialog::activeCTKey.empty());
}

TEST_F(EntryCounting, TheWorkbookIsNotChanged) {
    useHost({{u" a "}, {u"=1/0"}, {u"3"}});
    select(u"A1:A3");
    start(u"countUniques");
    EXPECT_EQ(testsupport::column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u" a ", u"#DIV/0!", u"3"}));
    EXPECT_EQ(t.book->model().sheets().size(), 1u);
}

}  // namespace
}  // namespace counttest
