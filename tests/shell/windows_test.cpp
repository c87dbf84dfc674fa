// The message window, the tool tour and the feedback window, driven as a user would.
#include <gtest/gtest.h>

#include "forms/forms.h"
#include "shell/feedback_window.h"
#include "shell/frm_alert.h"
#include "shell/frm_tool_tour.h"
#include "shell/product_info.h"

namespace shelltest {
namespace {

using forms::ScriptedDriver;
using shell::FrmToolTour;

class Windows : public ::testing::Test {
protected:
    ScriptedDriver user;
    forms::DriverScope scope{user};
};

TEST_F(Windows, AlertShowsTheCallersTextsAndCloses) {
    shell::frmAlert().lblMessageHeading.setCaption(u"Heading of the caller");
    shell::frmAlert().lblMessage.setCaption(u"Total  3  Entirely Blank Rows Removed!");
    user.click(u"CommandButton1").on(u"frmAlert");
    shell::frmAlert().Show();
    EXPECT_FALSE(shell::frmAlertLoaded());
    EXPECT_EQ(user.remaining(), 0u);
    ASSERT_EQ(user.shownForms().size(), 1u);
    EXPECT_EQ(user.shownForms()[0].text(u"lblMessageHeading"), u"Heading of the caller");
    EXPECT_EQ(user.shownForms()[0].text(u"lblMessage"), u"Total  3  Entirely Blank Rows Removed!");
}

TEST_F(Windows, AlertReopenedAfterAHeadingShowsTheDesignTimeHeadingAgain) {
    std::u16string designHeading = shell::frmAlert().lblMessageHeading.Caption();
    shell::frmAlert().lblMessageHeading.setCaption(u"Special");
    shell::frmAlert().lblMessage.setCaption(u"first");
    shell::frmAlert().Show();
    shell::frmAlert().lblMessage.setCaption(u"second");
    shell::frmAlert().Show();
    ASSERT_EQ(user.shownForms().size(), 2u);
    EXPECT_EQ(user.shownForms()[1].text(u"lblMessageHeading"), designHeading);
    EXPECT_NE(designHeading, u"Special");
    EXPECT_EQ(user.shownForms()[1].text(u"lblMessage"), u"second");
}

FrmToolTour& tour(forms::Form& f) { return static_cast<FrmToolTour&>(f); }

TEST_F(Windows, TourOpensWithTheFullListNothingSelectedAndTheInformationLines) {
    user.inspect([](forms::Form& f) {
        FrmToolTour& t = tour(f);
        EXPECT_EQ(t.cmbListOfTools.ListCount(), 49);
        EXPECT_EQ(t.cmbListOfTools.ListIndex(), -1);
        EXPECT_EQ(t.cmbListOfTools.List(1), u"Regular Text Cleaner >");
        EXPECT_EQ(t.txtDesc.Text(), u"");
        EXPECT_FALSE(t.cmdPrev.Enabled());
        EXPECT_EQ(t.txtVersion.Text(), std::u16string(shell::productVersionLine) + u"\r\n" +
                                           std::u16string(shell::productMakerLine) + u"\r\n" +
                                           std::u16string(shell::productContactLine));
        EXPECT_TRUE(t.txtVersion.Text().starts_with(u"Version: 5.1 | Edition: Professional\r\n"));
        EXPECT_EQ(t.Label2.Caption(),
                  u"Cellwash is an useful addin for Excel to Clean and Organize Data. It is fast & "
                  u"Reliable and you can save your precious time & Money.");
        EXPECT_EQ(t.CommandButton3.Caption(), u"Exit");
    });
    user.click(u"CommandButton3");
    shell::frmToolTour().Show();
    EXPECT_FALSE(shell::frmToolTourLoaded());
    EXPECT_EQ(user.remaining(), 0u);
}

TEST_F(Windows, ChoosingAnEntryShowsItsDescriptionAndPrevIsOffOnTheFirstTwo) {
    user.pickListEntry(u"cmbListOfTools", 2).inspect([](forms::Form& f) {
        FrmToolTour& t = tour(f);
        EXPECT_TRUE(t.txtDesc.Text().starts_with(u"This tool is used to delete all numbers in Selected Cells Values."));
        EXPECT_TRUE(t.txtDesc.Text().ends_with(u"Example : CWKver5@39 >>> CWKver@"));
        EXPECT_TRUE(t.cmdPrev.Enabled());
        EXPECT_TRUE(t.cmdNext.Enabled());
    });
    user.click(u"cmdPrev").inspect([](forms::Form& f) {
        EXPECT_EQ(tour(f).cmbListOfTools.ListIndex(), 1);
        EXPECT_EQ(tour(f).txtDesc.Text(), u"Regular Text Cleaner");
        EXPECT_FALSE(tour(f).cmdPrev.Enabled());
    });
    user.click(u"cmdPrev");  // disabled: no effect
    user.pickListEntry(u"cmbListOfTools", 0).inspect([](forms::Form& f) {
        EXPECT_EQ(tour(f).txtDesc.Text(), u"\uFEFFA Collection of Tools to Clean Text in Selected Cells");
        EXPECT_FALSE(tour(f).cmdPrev.Enabled());
    });
    shell::frmToolTour().Show();
    EXPECT_EQ(user.ignoredActions(), (std::vector<std::u16string>{u"click cmdPrev"}));
}

TEST_F(Windows, NextWithNothingSelectedSelectsTheFirstAndStepsDownToTheLast) {
    user.click(u"cmdNext").inspect([](forms::Form& f) { EXPECT_EQ(tour(f).cmbListOfTools.ListIndex(), 0); });
    for (int i = 1; i < 49; ++i) user.click(u"cmdNext");
    user.inspect([](forms::Form& f) {
        FrmToolTour& t = tour(f);
        EXPECT_EQ(t.cmbListOfTools.ListIndex(), 48);
        EXPECT_FALSE(t.cmdNext.Enabled());
        EXPECT_TRUE(t.txtDesc.Text().starts_with(u"This tool is used to count the unique entries"));
        t.cmdNext_Click();  // even by code it goes no further
        EXPECT_EQ(t.cmbListOfTools.ListIndex(), 48);
    });
    user.click(u"cmdNext");
    shell::frmToolTour().Show();
    EXPECT_EQ(user.ignoredActions().size(), 1u);
}

TEST_F(Windows, PrevFromTheFirstEntryByCodeClearsTheSelectionSafely) {
    FrmToolTour& t = shell::frmToolTour();
    t.cmbListOfTools.setListIndex(0);
    t.cmdPrev_Click();
    EXPECT_EQ(t.cmbListOfTools.ListIndex(), -1);
    EXPECT_EQ(t.txtDesc.Text(), u"");
    EXPECT_FALSE(t.cmdPrev.Enabled());
    EXPECT_TRUE(t.cmdNext.Enabled());
    forms::Unload(t);
}

TEST_F(Windows, FeedbackNavigatesOnEveryLayout) {
    user.inspect([](forms::Form& f) {
        auto& re = static_cast<shell::FrmRE&>(f);
        EXPECT_EQ(re.WebBrowser1.LocationURL(), std::u16string(shell::feedbackAddress));
        EXPECT_EQ(re.WebBrowser1.navigations().size(), 1u);
    });
    user.moveForm(100, 80).resizeForm(500, 400).inspect(
        [](forms::Form& f) { EXPECT_EQ(static_cast<shell::FrmRE&>(f).WebBrowser1.navigations().size(), 3u); });
    user.click(u"CommandButton1");
    shell::frmRE().Show();
    EXPECT_FALSE(shell::frmRELoaded());
    EXPECT_EQ(user.remaining(), 0u);
    EXPECT_TRUE(shell::frmRE().WebBrowser1.navigations().empty()) << "a new window has not navigated yet";
    forms::Unload(shell::frmRE());
}

}  // namespace
}  // namespace shelltest
