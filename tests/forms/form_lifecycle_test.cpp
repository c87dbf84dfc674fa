// Default instances, Initialize, Unload and Layout.
#include <gtest/gtest.h>

#include "tests/forms/test_forms.h"

namespace formstest {

namespace {
forms::DefaultInstance<Dialog> dialogInstance;
forms::DefaultInstance<Note> noteInstance;
}  // namespace

Dialog& dialog() { return dialogInstance(); }
bool dialogLoaded() { return dialogInstance.isLoaded(); }
Note& note() { return noteInstance(); }

namespace {

class FormLifecycle : public ::testing::Test {
protected:
    void TearDown() override {
        if (dialogLoaded()) forms::Unload(dialog());
    }
};

TEST_F(FormLifecycle, FirstAccessCreatesAndInitialisesOnce) {
    EXPECT_FALSE(dialogLoaded());
    Dialog& d = dialog();
    EXPECT_TRUE(dialogLoaded());
    EXPECT_EQ(&dialog(), &d);
    EXPECT_EQ(d.initializeCount, 1);
    EXPECT_TRUE(d.Loaded());
    EXPECT_FALSE(d.Visible());
}

TEST_F(FormLifecycle, UnloadStartsTheNextAccessFromDesignTimeState) {
    dialog().lblCaption.setCaption(u"changed");
    dialog().chkOption.setValue(true);
    forms::Unload(dialog());
    EXPECT_FALSE(dialogLoaded());
    EXPECT_EQ(dialog().lblCaption.Caption(), u"design time");
    EXPECT_FALSE(dialog().chkOption.Value());
    EXPECT_EQ(dialog().initializeCount, 1);
}

TEST_F(FormLifecycle, UnloadTwiceAndUnloadFromOwnHandlerAreSafe) {
    dialog().cmdClose.userClick();  // unloads itself, then touches its own label
    EXPECT_FALSE(dialogLoaded());
    auto kept = dialog().keepAlive();
    dialog().cmdClose.userClick();
    EXPECT_EQ(static_cast<Dialog&>(*kept).closedThenTouched, u"design time");
    EXPECT_FALSE(kept->Loaded());
    forms::Unload(*kept);
    EXPECT_FALSE(dialogLoaded());
}

TEST_F(FormLifecycle, LayoutOnShowAndOnMoveOrResizeWhileShownOnly) {
    Dialog& d = dialog();
    d.setHeightTwips(5340);  // set-up before showing: no layout yet
    d.setLeft(10);
    EXPECT_EQ(d.layoutCount, 0);
    forms::ScriptedDriver user;
    user.inspect([](forms::Form& f) { EXPECT_EQ(static_cast<Dialog&>(f).layoutCount, 1); })
        .moveForm(40, 50)
        .resizeForm(300, 200)
        .inspect([](forms::Form& f) {
            auto& d = static_cast<Dialog&>(f);
            EXPECT_EQ(d.layoutCount, 3);  // shown, moved, resized
            EXPECT_DOUBLE_EQ(d.Left(), 40);
            EXPECT_DOUBLE_EQ(d.Height(), 200);
        });
    forms::DriverScope scope(user);
    d.Show();
    EXPECT_EQ(user.remaining(), 0u);
    EXPECT_FALSE(dialogLoaded()) << "closed by the user once the script ran out";
}

TEST_F(FormLifecycle, AFormOnTheStackWorksWithoutADefaultInstance) {
    Note n;
    n.lblText.setCaption(u"x");
    forms::Unload(n);
    EXPECT_FALSE(n.Loaded());
    n.Show();  // an unloaded form shows nothing
    EXPECT_FALSE(n.Visible());
}

}  // namespace
}  // namespace formstest
