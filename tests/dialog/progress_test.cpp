// The per-item step: percentages, the stop test, the label and the yield; the opening checks
// and the end of a run.
#include <gtest/gtest.h>

#include "dialog/cell_pass.h"
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "tests/dialog/dialog_fixture.h"

namespace dialogtest {
namespace {

using dialog::progressPercent;

TEST(ProgressPercent, EightItemsReadWithTiesToEven) {
    std::vector<std::int64_t> shown;
    for (std::int32_t done = 1; done <= 8; ++done) shown.push_back(*progressPercent(done, 8));
    EXPECT_EQ(shown, (std::vector<std::int64_t>{12, 25, 38, 50, 62, 75, 88, 100}));
}

TEST(ProgressPercent, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(*progressPercent(1, 8), 12);     // 12.5
    EXPECT_EQ(*progressPercent(27, 200), 14);  // 13.5
    EXPECT_EQ(*progressPercent(1, 3), 33);
    EXPECT_EQ(*progressPercent(2, 3), 67);
}

TEST(ProgressPercent, OverflowOfTheHundredfoldSkipsTheUpdate) {
    EXPECT_TRUE(progressPercent(21474836, 30000000).has_value());
    EXPECT_FALSE(progressPercent(21474837, 30000000).has_value());
    EXPECT_FALSE(progressPercent(5, 0).has_value());  // no total: nothing to show
}

TEST(ProgressPercent, IsNotClamped) { EXPECT_EQ(*progressPercent(12, 8), 150); }

class Progress : public DialogFixture {};

TEST_F(Progress, EachItemCountsShowsThePercentageAndYields) {
    dialog::FrmMain& f = dialog::frmMain();
    std::vector<std::u16string> seen;
    recordCaptionsOf(u"lblDOHeader1to4", seen);
    user.inspect([&](forms::Form&) {
        dialog::ProgressReadout progress(f.lblDOHeader1to4, dialog::kRemoving, 8);
        for (int i = 0; i < 8; ++i) EXPECT_TRUE(progress.itemDone());
        EXPECT_EQ(progress.done(), 8);
    });
    f.Show();
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Removing...12 %", u"Removing...25 %", u"Removing...38 %",
                                                 u"Removing...50 %", u"Removing...62 %", u"Removing...75 %",
                                                 u"Removing...88 %", u"Removing...100 %"}));
    EXPECT_EQ(user.doEventsCount(), 8);
}

// A loop whose total grows as it runs, and a label that something else writes between two
// items: the percentage is shown again though it has not changed.
TEST_F(Progress, AGrowingTotalAndALabelWrittenMeanwhile) {
    dialog::FrmMain& f = dialog::frmMain();
    std::vector<std::u16string> seen;
    user.inspect([&](forms::Form&) {
        const auto look = [&] { seen.push_back(f.lblDOHeader1to4.Caption()); };
        dialog::ProgressReadout progress(f.lblDOHeader1to4, dialog::kRemoving, 0);
        progress.countItem();
        progress.setTotal(4);
        progress.showPercent(), look();
        f.lblDOHeader1to4.setCaption(u"elsewhere");
        progress.showPercent(), look();
        progress.countItem();
        progress.setTotal(8);
        progress.showPercent(), look();  // 2 of 8: 25 % still
        EXPECT_EQ(dialog::latestLoop().total, 8);
        progress.setTotal(5);
        progress.showPercent(), look();
        dialog::showProgressText(f.lblDOHeader1to4, dialog::kAnalyzing, 40), look();
        f.lblDOHeader1to4.setCaption(u"elsewhere");
        dialog::showProgressText(f.lblDOHeader1to4, dialog::kAnalyzing, 40), look();
        dialog::showProgressText(f.lblDOHeader1to4, u"Removing...", 45);
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Removing...45 %");
        dialog::showProgressText(f.lblDOHeader1to4, dialog::kProcessing, 150);  // not clamped
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Processing...150 %");
    });
    f.Show();
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Removing...25 %", u"Removing...25 %", u"Removing...25 %",
                                                 u"Removing...40 %", u"Analyzing...40 %", u"Analyzing...40 %"}));
}

TEST_F(Progress, StopPressedDuringTheFirstItemEndsTheLoopAfterIt) {
    dialog::FrmMain& f = dialog::frmMain();
    f.frmDataOrganizer.setVisible(true);
    f.frmDO1to4.setVisible(true);
    int worked = 0;
    std::int32_t done = 0;
    user.inspect([&](forms::Form&) {
        dialog::startToolLoop(f);
        dialog::ProgressReadout progress(f.lblDOHeader1to4, dialog::kRemoving, 5);
        for (int i = 0; i < 5; ++i) {
            ++worked;
            if (!progress.itemDone()) break;
        }
        done = progress.done();
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Removing...20 %");
    });
    user.click(u"cmdDO1to4Stop").atDoEvents(1);  // the click waiting since the first item
    f.Show();
    EXPECT_EQ(worked, 1);
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(dialog::stopRequested);  // nothing clears it at the end of a run
}

TEST_F(Progress, AStopSetBeforeTheStepEndsTheLoopWithoutLabelOrYield) {
    dialog::FrmMain& f = dialog::frmMain();
    dialog::ProgressReadout progress(f.lblDOHeader1to4, dialog::kRemoving, 4);
    EXPECT_TRUE(progress.itemDone());
    EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Removing...25 %");
    dialog::stopRequested = true;
    EXPECT_FALSE(progress.itemDone());
    EXPECT_EQ(progress.done(), 2);
    EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Removing...25 %");
    EXPECT_EQ(user.doEventsCount(), 1);
}

TEST_F(Progress, StartingALoopClearsAStopPressedBefore) {
    dialog::stopRequested = true;
    dialog::startToolLoop(dialog::frmMain());
    EXPECT_FALSE(dialog::stopRequested);
    EXPECT_TRUE(dialog::frmMain().cmdDO1to4Stop.Visible());
}

TEST_F(Progress, TheStopButtonIsOutOfReachBeforeARun) {
    dialog::FrmMain& f = dialog::frmMain();
    f.frmDataOrganizer.setVisible(true);
    f.frmDO1to4.setVisible(true);
    user.click(u"cmdDO1to4Stop").closeForm();
    f.Show();
    EXPECT_FALSE(dialog::stopRequested);
    EXPECT_EQ(user.ignoredActions().size(), 1u);
}

class CellWalk : public DialogFixture {
protected:
    testsupport::Rows initialRows() const override { return {{u"1", u"2", u"3"}, {u"4", u"5", u"6"}}; }
};

TEST_F(CellWalk, CellsComeAreaByAreaRowByRow) {
    std::vector<std::u16string> order;
    dialog::forEachCell(t.app->Range(u"B1:C2,A1:A2"), [&](const host::RangePtr& cell) {
        order.push_back(cell->Address());
        return true;
    });
    EXPECT_EQ(order, (std::vector<std::u16string>{u"$B$1", u"$C$1", u"$B$2", u"$C$2", u"$A$1", u"$A$2"}));
}

TEST_F(CellWalk, AFailingCellIsSkippedAndStillCounts) {
    std::vector<std::u16string> worked;
    user.inspect([&](forms::Form&) {
        dialog::ProgressReadout progress(dialog::frmMain().lblDOHeader1to4, dialog::kRemoving, 6);
        dialog::runCellPass(t.app->Range(u"A1:C2"), progress, [&](const host::RangePtr& cell) {
            if (cell->Address() == u"$B$1") throw host::Error(host::errTypeMismatch, "Type mismatch");
            worked.push_back(cell->Address());
        });
        EXPECT_EQ(progress.done(), 6);
        EXPECT_EQ(dialog::frmMain().lblDOHeader1to4.Caption(), u"Removing...100 %");
    });
    dialog::frmMain().Show();
    EXPECT_EQ(worked.size(), 5u);
}

class OpeningChecks : public DialogFixture {};

TEST_F(OpeningChecks, EachCheckHasItsMessage) {
    using dialog::OpeningCheck;
    EXPECT_EQ(dialog::openingCheckMessage(OpeningCheck::ActiveSheetEmpty), u"Active Sheet is Empty!");
    EXPECT_EQ(dialog::openingCheckMessage(OpeningCheck::ActiveSheetTotallyEmpty), u"Active Sheet is totally Empty!");
    EXPECT_EQ(dialog::openingCheckMessage(OpeningCheck::SelectionEmpty), u"Selection is Empty!");
    EXPECT_EQ(dialog::openingCheckMessage(OpeningCheck::SingleColumn), u"Please Select Single Column!");
}

TEST_F(OpeningChecks, AFailingCheckUnloadsTheDialogAndShowsItsMessage) {
    dialog::frmMain();
    EXPECT_FALSE(dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetTotallyEmpty, t.sheet->Cells()));
    EXPECT_FALSE(dialog::frmMainLoaded());
    EXPECT_EQ(lastAlert(), u"Active Sheet is totally Empty!");
    EXPECT_FALSE(shell::frmAlertLoaded());
}

TEST_F(OpeningChecks, AFormulaReturningEmptyTextIsContent) {
    t.sheet->model().enterText(3, 2, u"=\"\"");
    EXPECT_TRUE(dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetEmpty, t.sheet->Cells()));
    EXPECT_TRUE(dialog::passesOpeningCheck(dialog::OpeningCheck::SelectionEmpty, t.app->Range(u"B3")));
    EXPECT_EQ(timesShown(u"frmAlert"), 0);
}

TEST_F(OpeningChecks, SingleColumnAndMissingSubjects) {
    t.sheet->model().enterText(1, 1, u"x");
    EXPECT_TRUE(dialog::passesOpeningCheck(dialog::OpeningCheck::SingleColumn, t.app->Range(u"A1:A9")));
    EXPECT_FALSE(dialog::passesOpeningCheck(dialog::OpeningCheck::SelectionEmpty, nullptr));
    EXPECT_EQ(lastAlert(), u"Selection is Empty!");
    EXPECT_FALSE(dialog::passesOpeningCheck(dialog::OpeningCheck::SingleColumn, t.app->Range(u"A1:B2")));
    EXPECT_EQ(lastAlert(), u"Please Select Single Column!");
}

TEST_F(OpeningChecks, TheActiveCellComesBackWhateverTheSelection) {
    select(u"B2:C5");
    t.app->Range(u"C3")->Activate();
    {
        dialog::ActiveCellKeeper keeper;
        select(u"A1:D9");
    }
    EXPECT_EQ(t.app->Selection()->Address(), u"$C$3");
    EXPECT_EQ(t.app->ActiveCell()->Address(), u"$C$3");
}

}  // namespace
}  // namespace dialogtest
