// Modal Show, DoEvents, MsgBox and the scripted driver.
#include <gtest/gtest.h>

#include "host/error.h"
#include "tests/forms/test_forms.h"

namespace formstest {
namespace {

using forms::ScriptedDriver;

class Modal : public ::testing::Test {
protected:
    void TearDown() override {
        if (dialogLoaded()) forms::Unload(dialog());
    }
    ScriptedDriver user;
    forms::DriverScope scope{user};
};

TEST_F(Modal, ShowWaitsForTheUserAndDispatchesEachAction) {
    user.setValue(u"chkOption", true)
        .setText(u"txtInput", u"42")
        .selectOption(u"optTwo")
        .inspect([](forms::Form& f) {
            auto& d = static_cast<Dialog&>(f);
            EXPECT_TRUE(d.chkOption.Value());
            EXPECT_EQ(d.txtInput.Text(), u"42");
            EXPECT_TRUE(d.optTwo.Value());
            EXPECT_EQ(forms::activeForm(), &f);
            EXPECT_TRUE(f.isModalOpen());
        })
        .click(u"cmdClose");
    dialog().Show();
    EXPECT_FALSE(dialogLoaded());
    EXPECT_EQ(user.remaining(), 0u);
    EXPECT_EQ(forms::activeForm(), nullptr);
    ASSERT_EQ(user.shownForms().size(), 1u);
    EXPECT_EQ(user.shownForms()[0].text(u"lblCaption"), u"design time");
}

TEST_F(Modal, RunningOutOfActionsClosesTheForm) {
    dialog().Show();
    EXPECT_FALSE(dialogLoaded());
    ASSERT_EQ(user.shownForms().size(), 1u);
}

TEST_F(Modal, HideEndsTheModalLoopWithoutUnloading) {
    user.inspect([](forms::Form& f) { f.Hide(); });
    dialog().Show();
    EXPECT_TRUE(dialogLoaded());
    EXPECT_FALSE(dialog().Visible());
}

TEST_F(Modal, ActionsBoundToADoEventsArriveThereAndStopALoop) {
    user.click(u"cmdWork").click(u"cmdStop").atDoEvents(3).closeForm();
    std::vector<int> seen;
    user.onDoEvents = [&](int k, forms::Form* top) {
        seen.push_back(k);
        EXPECT_EQ(top, static_cast<forms::Form*>(&dialog()));
    };
    Dialog& d = dialog();
    auto kept = d.keepAlive();
    d.Show();
    EXPECT_TRUE(d.stopped);
    EXPECT_EQ(d.itemsDone, 4) << "Stop arrives during the third yield; the loop leaves after the next item";
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(user.doEventsCount(), 3);
    EXPECT_FALSE(dialogLoaded());
}

// A form whose first layout runs a yielding loop, as a dialog that counts when it opens.
class CountsOnLayout : public forms::Form {
public:
    CountsOnLayout() : Form(u"CountsOnLayout") {
        cmdStop.onClick = [this] { stopped = true; };
    }
    void UserForm_Layout() override {
        for (int i = 0; i < 5 && !stopped; ++i, ++yields) forms::DoEvents();
    }
    forms::CommandButton cmdStop{*this, u"cmdStop"};
    bool stopped = false;
    int yields = 0;
};

TEST_F(Modal, TheFirstLayoutRunsWithTheFormAlreadyOnTop) {
    user.click(u"cmdStop").atDoEvents(2).on(u"CountsOnLayout");
    forms::Form* topAtFirstYield = nullptr;
    user.onDoEvents = [&](int k, forms::Form* top) {
        if (k == 1) topAtFirstYield = top;
    };
    auto form = std::make_shared<CountsOnLayout>();
    form->Show();
    EXPECT_EQ(topAtFirstYield, form.get());
    EXPECT_TRUE(form->stopped);
    EXPECT_EQ(form->yields, 2);
    ASSERT_EQ(user.shownForms().size(), 1u) << "shown once laid out";
    EXPECT_TRUE(user.ignoredActions().empty());
}

TEST_F(Modal, DoEventsNeverBlocksAndAnOverdueActionComesAtTheNextOne) {
    user.click(u"cmdStop").atDoEvents(2);
    forms::DoEvents();  // nothing on screen, nothing due
    EXPECT_EQ(user.remaining(), 1u);
    user.click(u"cmdWork");
    Dialog& d = dialog();
    auto kept = d.keepAlive();
    d.Show();  // the first DoEvents of the work loop is the driver's second
    EXPECT_EQ(d.itemsDone, 2);
    EXPECT_TRUE(user.ignoredActions().empty());
}

TEST_F(Modal, ActionsOnHiddenOrDisabledControlsTakeNoEffect) {
    dialog().cmdWork.setEnabled(false);
    dialog().chkOption.setVisible(false);
    user.click(u"cmdWork").setValue(u"chkOption", true).closeForm();
    Dialog& d = dialog();
    auto kept = d.keepAlive();
    d.Show();
    EXPECT_EQ(d.itemsDone, 0);
    EXPECT_FALSE(d.chkOption.Value());
    EXPECT_EQ(user.ignoredActions(), (std::vector<std::u16string>{u"click cmdWork", u"set chkOption on"}));
}

TEST_F(Modal, MessageBoxesTakeQueuedAnswersAndAreRecorded) {
    user.click(u"cmdAsk").answer(forms::vbNo).click(u"cmdAsk").click(u"cmdClose");
    Dialog& d = dialog();
    auto kept = d.keepAlive();
    d.Show();
    // The second box found a click next in the queue, not an answer: it was dismissed with
    // its default button.
    EXPECT_EQ(d.answers, (std::vector<int>{forms::vbNo, forms::vbYes}));
    ASSERT_EQ(user.messageBoxes().size(), 2u);
    const forms::MsgBoxRequest& box = user.messageBoxes()[0];
    EXPECT_EQ(box.prompt, u"Sure?");
    EXPECT_EQ(box.buttonSet(), forms::vbYesNo);
    EXPECT_EQ(box.icon(), forms::vbQuestion);
    EXPECT_EQ(box.title, u"Ask");
}

TEST_F(Modal, MessageBoxWithoutTitleAndDismissAnswers) {
    user.answer(forms::vbOK);
    EXPECT_EQ(forms::MsgBox(u"Pleas add or open a workbook!!"), forms::vbOK);
    EXPECT_FALSE(user.messageBoxes()[0].title.has_value());
    EXPECT_EQ(forms::MsgBox(u"x", forms::vbYesNoCancel), forms::vbCancel);
    EXPECT_EQ(forms::MsgBox(u"x", forms::vbYesNo + forms::vbDefaultButton2), forms::vbNo);
    EXPECT_EQ(forms::MsgBox(u"x", forms::vbAbortRetryIgnore + forms::vbDefaultButton3), forms::vbIgnore);
    user.answer(forms::vbYes);
    EXPECT_THROW(forms::MsgBox(u"only OK"), forms::ScriptError);
}

TEST_F(Modal, ANestedModalFormRunsItsOwnLoopAndReturns) {
    user.click(u"cmdWork").on(u"Dialog");
    user.inspect([](forms::Form& f) { EXPECT_EQ(f.Name(), u"Note"); }).on(u"Note").closeForm();
    user.click(u"cmdClose").on(u"Dialog");
    Dialog& d = dialog();
    d.cmdWork.onClick = [] { note().Show(); };
    d.Show();
    EXPECT_EQ(user.remaining(), 0u);
    ASSERT_EQ(user.shownForms().size(), 2u);
    EXPECT_EQ(user.shownForms()[1].form, u"Note");
}

TEST_F(Modal, ScriptMistakesAreReportedNotGuessed) {
    user.click(u"cmdNoSuchButton");
    EXPECT_THROW(dialog().Show(), forms::ScriptError);
    forms::Unload(dialog());
    ScriptedDriver other;
    forms::DriverScope inner(other);
    other.answer(forms::vbOK);
    EXPECT_THROW(dialog().Show(), forms::ScriptError) << "an answer with no message box open";
    forms::Unload(dialog());
    ScriptedDriver third;
    forms::DriverScope innermost(third);
    third.click(u"cmdClose").on(u"Note");
    EXPECT_THROW(dialog().Show(), forms::ScriptError) << "meant for another form";
    EXPECT_EQ(forms::activeForm(), nullptr) << "the modal stack unwinds";
    EXPECT_THROW(third.answer(forms::vbOK).atDoEvents(1), forms::ScriptError);
    EXPECT_THROW(third.setText(u"cmdClose", u"x"); dialog().Show(), forms::ScriptError);
}

TEST_F(Modal, ShowingAFormThatIsAlreadyModalFailsWithError400) {
    user.inspect([](forms::Form& f) {
        try {
            f.Show();
            ADD_FAILURE() << "no error";
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), 400);
        }
    });
    dialog().Show();
}

TEST_F(Modal, MouseAndListActionsReachTheirHandlers) {
    dialog().cmbList.AddItem(u"a");
    dialog().cmbList.AddItem(u"b");
    user.mouseDown(u"lblHeader", 2).pickListEntry(u"cmbList", 1).pickListEntry(u"cmbList", 5);
    Dialog& d = dialog();
    auto kept = d.keepAlive();
    EXPECT_THROW(d.Show(), forms::ScriptError) << "entry 5 does not exist";
    EXPECT_EQ(d.mouseDowns, (std::vector<int>{2}));
    EXPECT_EQ(d.cmbList.ListIndex(), 1);
}

TEST(NoDriver, WithoutADriverFormsCloseAndBoxesAreDismissed) {
    dialog().Show();
    EXPECT_FALSE(dialogLoaded());
    EXPECT_EQ(forms::MsgBox(u"Do you want to exit?", forms::vbYesNo + forms::vbDefaultButton2), forms::vbNo);
    forms::DoEvents();
}

}  // namespace
}  // namespace formstest
