// frmMain's handlers as the user meets them: the text cleaner switches, the option buttons of
// the data organizer page, the colour palette, Stop, No, Exit and dragging.
#include <gtest/gtest.h>

#include "dialog/host_palette.h"
#include "tests/dialog/dialog_fixture.h"

namespace dialogtest {
namespace {

using dialog::FrmMain;
using dialog::frmMain;

class Handlers : public DialogFixture {};

struct SwitchCase {
    bool allCharsEnabled, allCharsTicked, leading;
    std::u16string question, key;
    bool countEnabled;  // Label53 and txtNoOfChars afterwards
};

TEST_F(Handlers, ChangeCommandsFollowsTheThreeSwitches) {
    const std::vector<SwitchCase> cases = {
        {true, false, true, u"Do you want to Remove/Replace X nos. of Character(s) BEFORE nth Character(s)",
         u"TC9to14_RXLC", true},
        {true, false, false, u"Do you want to Remove/Replace X nos. of Character(s) AFTER nth Character(s)",
         u"TC9to14_RXTC", true},
        {true, true, true, u"Do you want to Remove/Replace All Text BEFORE nth Character(s)", u"TC9to14_RALC", false},
        {true, true, false, u"Do you want to Remove/Replace All Text AFTER nth Character(s)", u"TC9to14_RATC", false},
        {false, true, true, u"Do you want to Remove/Replace X nos. of Leading Character(s)", u"TC9to14_RLXC", true},
        {false, false, false, u"Do you want to Remove/Replace X nos. of Trailing Character(s)", u"TC9to14_RTXC", true},
    };
    for (const SwitchCase& c : cases) {
        forms::Unload(frmMain());
        FrmMain& f = frmMain();
        f.Label53.setEnabled(true);
        f.txtNoOfChars.setEnabled(true);
        f.chkAllChars.setEnabled(c.allCharsEnabled);
        f.chkAllChars.setValue(c.allCharsTicked);
        (c.leading ? f.optLeading : f.optTrailing).setValue(true);
        f.changeCommands();
        EXPECT_EQ(f.lblTextCleanerHD.Caption(), c.question);
        EXPECT_EQ(dialog::activeTCKey, c.key);
        EXPECT_EQ(f.txtNoOfChars.Enabled(), c.countEnabled) << testing::PrintToString(c.key);
        EXPECT_EQ(f.Label53.Enabled(), c.countEnabled);
    }
}

TEST_F(Handlers, ClickingTheSwitchesRunsChangeCommands) {
    FrmMain& f = frmMain();
    f.frmTextCleaner.setVisible(true);
    user.click(u"optTrailing").inspect([](forms::Form& form) {
        EXPECT_EQ(dialog::activeTCKey, u"TC9to14_RATC");
        EXPECT_EQ(mainOf(form).lblTextCleanerHD.Caption(),
                  u"Do you want to Remove/Replace All Text AFTER nth Character(s)");
    });
    user.click(u"chkAllChars").inspect([](forms::Form& form) {
        EXPECT_EQ(dialog::activeTCKey, u"TC9to14_RXTC");
        EXPECT_TRUE(mainOf(form).txtNoOfChars.Enabled());
    });
    user.click(u"optLeading").inspect([](forms::Form&) { EXPECT_EQ(dialog::activeTCKey, u"TC9to14_RXLC"); });
    f.Show();
    EXPECT_EQ(user.remaining(), 0u);
    EXPECT_TRUE(user.ignoredActions().empty());
}

TEST_F(Handlers, NonPrintableOptionDisablesTheCharactersBoxWhileTicked) {
    FrmMain& f = frmMain();
    f.CheckBox5.setValue(true);
    EXPECT_FALSE(f.txtUserDefinedChars.Enabled());
    f.CheckBox5.setValue(false);
    EXPECT_TRUE(f.txtUserDefinedChars.Enabled());
}

TEST_F(Handlers, ReplaceSwitchShowsTheReplaceBoxAndRenamesTheFrame) {
    FrmMain& f = frmMain();
    f.chkReplaceChars.setValue(true);
    EXPECT_TRUE(f.frmReplaceChars.Visible());
    EXPECT_EQ(f.frmRemoveChars.Caption(), u"Replace");
    f.chkReplaceChars.setValue(false);
    EXPECT_FALSE(f.frmReplaceChars.Visible());
    EXPECT_EQ(f.frmRemoveChars.Caption(), u"Remove");
}

TEST_F(Handlers, DeletionOptionsCaptionOrHideTheActiveSheetSwitch) {
    FrmMain& f = frmMain();
    f.chkRemoveAS.setCaption(u"something else");
    f.optDelEmptyCells.setValue(true);
    EXPECT_FALSE(f.chkRemoveAS.Visible());
    f.optDelEntireIfBlank.setValue(true);
    EXPECT_EQ(f.chkRemoveAS.Caption(), u" Remove From Active Sheet");
    f.chkRemoveAS.setVisible(true);
    f.optDelEntire.setValue(true);
    EXPECT_FALSE(f.chkRemoveAS.Visible());
    EXPECT_EQ(f.chkRemoveAS.Caption(), u" Remove From Active Sheet");
}

TEST_F(Handlers, ClickingGrey50MakesItTheSelectedColourWithIndex48) {
    FrmMain& f = frmMain();
    f.frmDataOrganizer.setVisible(true);
    f.frmDO1to4.setVisible(true);
    f.frmDOCENR.setVisible(true);
    user.click(u"lblGrey50").inspect([](forms::Form& form) {
        const FrmMain& m = mainOf(form);
        EXPECT_EQ(m.lblMainColor.Tag(), u"48");
        EXPECT_EQ(m.lblMainColor.ControlTipText(), u"Grey 50 %");
        EXPECT_EQ(m.lblMainColor.BackColor(), dialog::paletteColour(48));
    });
    user.click(u"lblTeal").inspect([](forms::Form& form) { EXPECT_EQ(mainOf(form).lblMainColor.Tag(), u"42"); });
    f.Show();
    EXPECT_TRUE(user.ignoredActions().empty());
    EXPECT_EQ(frmMain().lblMainColor.Tag(), u"6");  // a new dialog starts from Yellow again
}

TEST_F(Handlers, NoAndExitCloseTheDialog) {
    for (const std::u16string button : {u"cmdNo", u"cmdExit"}) {
        user.click(button);
        frmMain().Show();
        EXPECT_FALSE(dialog::frmMainLoaded());
        EXPECT_EQ(user.remaining(), 0u);
    }
}

TEST_F(Handlers, StopButtonsSetTheStopFlag) {
    frmMain().cmdStop_Click();
    EXPECT_TRUE(dialog::stopRequested);
    dialog::stopRequested = false;
    frmMain().cmdDO1to4Stop_Click();
    EXPECT_TRUE(dialog::stopRequested);
}

TEST_F(Handlers, MouseDownOnTheHeaderOrTitleStripMarksTheDialogAsMoved) {
    for (const std::u16string control : {u"lblMainHeader", u"Frame4"}) {
        user.inspect([](forms::Form& form) { EXPECT_FALSE(mainOf(form).dialogBeingMoved); })
            .mouseDown(control, 2)
            .inspect([](forms::Form& form) { EXPECT_TRUE(mainOf(form).dialogBeingMoved); })
            .closeForm();
        frmMain().Show();
        EXPECT_EQ(user.remaining(), 0u);
    }
}

TEST_F(Handlers, InitialiseSuppressesOptionClicksUntilTheFirstLayout) {
    dialog::suppressOptionClicks = false;
    FrmMain& f = frmMain();
    EXPECT_TRUE(dialog::suppressOptionClicks);
    EXPECT_FALSE(f.dialogBeingMoved);
    user.inspect([](forms::Form&) { EXPECT_FALSE(dialog::suppressOptionClicks); })
        .inspect([](forms::Form&) { dialog::suppressOptionClicks = true; })
        .moveForm(40, 50)  // moving the dialog raises Layout again
        .inspect([](forms::Form& form) {
            EXPECT_FALSE(dialog::suppressOptionClicks);
            EXPECT_DOUBLE_EQ(form.Left(), 40);
        });
    f.Show();
    EXPECT_EQ(user.remaining(), 0u);
}

}  // namespace
}  // namespace dialogtest
