// Controls on their own: option groups, check boxes, frames, combo boxes, browsers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "host/error.h"

namespace {

using namespace forms;

// A plain form with two option groups (the form's and a frame's) and one of each control.
class Panel : public Form {
public:
    Panel() : Form(u"Panel") {
        for (auto* o : {&optA, &optB, &optInner1, &optInner2})
            o->onClick = [this, o] { log.push_back(o->Name() + u".Click"); };
        for (auto* o : {&optA, &optB, &optInner1, &optInner2})
            o->onChange = [this, o] { log.push_back(o->Name() + u".Change=" + (o->Value() ? u"1" : u"0")); };
        chk.onClick = [this] { log.push_back(u"chk.Click=" + std::u16string(chk.Value() ? u"1" : u"0")); };
        cmb.onChange = [this] { log.push_back(u"cmb.Change " + cmb.Text()); };
        cmb.onClick = [this] { log.push_back(u"cmb.Click"); };
        txt.onChange = [this] { log.push_back(u"txt.Change " + txt.Text()); };
    }
    OptionButton optA{*this, u"optA"};
    OptionButton optB{*this, u"optB"};
    Frame frm{*this, u"frm"};
    OptionButton optInner1{frm, u"optInner1"};
    OptionButton optInner2{frm, u"optInner2"};
    Frame inner{frm, u"inner"};
    Label lblDeep{inner, u"lblDeep"};
    CheckBox chk{*this, u"chk"};
    ComboBox cmb{*this, u"cmb"};
    TextBox txt{*this, u"txt"};
    WebBrowser web{*this, u"web"};
    std::vector<std::u16string> log;
};

TEST(OptionButtons, SelectingOneClearsTheOthersOfItsContainerOnly) {
    Panel p;
    p.optInner1.setValue(true);
    p.optA.setValue(true);
    p.log.clear();
    p.optB.setValue(true);
    EXPECT_FALSE(p.optA.Value());
    EXPECT_TRUE(p.optB.Value());
    EXPECT_TRUE(p.optInner1.Value()) << "the frame's group is a group of its own";
    EXPECT_EQ(p.log, (std::vector<std::u16string>{u"optA.Change=0", u"optB.Change=1", u"optB.Click"}));
}

TEST(OptionButtons, NoEventWithoutChangeAndClearingRaisesNoClick) {
    Panel p;
    p.optA.setValue(true);
    p.log.clear();
    p.optA.setValue(true);
    EXPECT_TRUE(p.log.empty());
    p.optA.setValue(false);
    EXPECT_EQ(p.log, (std::vector<std::u16string>{u"optA.Change=0"}));
    p.optA.userClick();
    EXPECT_TRUE(p.optA.Value());
}

TEST(CheckBoxes, ChangeRaisesClickFromCodeAndUser) {
    Panel p;
    p.chk.setValue(true);
    p.chk.setValue(true);
    p.chk.userClick();
    EXPECT_FALSE(p.chk.Value());
    EXPECT_EQ(p.log, (std::vector<std::u16string>{u"chk.Click=1", u"chk.Click=0"}));
}

TEST(Frames, HidingOrDisablingAFrameReachesEveryControlInside) {
    Panel p;
    EXPECT_TRUE(p.lblDeep.isShown());
    p.frm.setVisible(false);
    EXPECT_FALSE(p.lblDeep.isShown());
    EXPECT_FALSE(p.optInner1.isUsable());
    EXPECT_TRUE(p.lblDeep.Visible()) << "the child's own property is left alone";
    p.frm.setVisible(true);
    p.frm.setEnabled(false);
    EXPECT_TRUE(p.optInner1.isShown());
    EXPECT_FALSE(p.optInner1.isUsable());
    EXPECT_FALSE(p.lblDeep.isUsable());
    EXPECT_TRUE(p.optA.isUsable());
    p.frm.setEnabled(true);
    p.inner.setEnabled(false);
    EXPECT_TRUE(p.optInner1.isUsable());
    EXPECT_FALSE(p.lblDeep.isUsable());
}

TEST(Frames, ControlsKnowTheirContainerAndTheFormListsAllInOrder) {
    Panel p;
    EXPECT_EQ(&p.lblDeep.Parent(), static_cast<Container*>(&p.inner));
    EXPECT_EQ(&p.lblDeep.form(), &p);
    ASSERT_EQ(p.frm.children().size(), 3u);
    EXPECT_EQ(p.frm.children()[2], &p.inner);
    ASSERT_EQ(p.controls().size(), 11u);
    EXPECT_EQ(p.controls().front()->Name(), u"optA");
    EXPECT_EQ(p.control(u"lblDeep"), &p.lblDeep);
    EXPECT_EQ(p.control(u"nothing"), nullptr);
}

// A window that draws the form flat places each control by its frames' offsets added up.
TEST(Frames, AControlsPlaceOnTheFormAddsTheFramesItSitsIn) {
    Panel p;
    p.frm.setLeft(10);
    p.frm.setTop(20);
    p.inner.setLeft(3);
    p.inner.setTop(4);
    p.lblDeep.setLeft(1);
    p.lblDeep.setTop(2);
    p.optA.setLeft(7);
    double left = 0, top = 0;
    placeOnForm(p.lblDeep, left, top);
    EXPECT_EQ(left, 14);
    EXPECT_EQ(top, 26);
    placeOnForm(p.optA, left, top);
    EXPECT_EQ(left, 7);
    EXPECT_EQ(top, 0);
}

TEST(ComboBoxes, ListIndexSelectsAndRaisesChange) {
    Panel p;
    for (auto s : {u"one", u"two", u"three"}) p.cmb.AddItem(s);
    EXPECT_EQ(p.cmb.ListCount(), 3);
    EXPECT_EQ(p.cmb.ListIndex(), -1);
    EXPECT_EQ(p.cmb.List(2), u"three");
    p.cmb.setListIndex(1);
    EXPECT_EQ(p.cmb.Text(), u"two");
    p.cmb.setListIndex(1);
    p.cmb.setText(u"three");
    EXPECT_EQ(p.cmb.ListIndex(), 2);
    p.cmb.setText(u"none of them");
    EXPECT_EQ(p.cmb.ListIndex(), -1);
    p.cmb.userPick(0);
    EXPECT_EQ(p.log, (std::vector<std::u16string>{u"cmb.Change two", u"cmb.Change three", u"cmb.Change none of them",
                                                  u"cmb.Change one", u"cmb.Click"}));
}

TEST(ComboBoxes, PositionsOutsideTheListFailAsTheHostsDo) {
    Panel p;
    p.cmb.AddItem(u"only");
    try {
        p.cmb.setListIndex(1);
        FAIL() << "no error";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_THROW(p.cmb.setListIndex(-2), host::Error);
    EXPECT_THROW(p.cmb.List(-1), host::Error);
    p.cmb.setListIndex(0);
    p.cmb.setListIndex(-1);
    EXPECT_EQ(p.cmb.Text(), u"");
    p.cmb.setListIndex(0);
    p.cmb.Clear();
    EXPECT_EQ(p.cmb.ListCount(), 0);
    EXPECT_EQ(p.cmb.ListIndex(), -1);
}

TEST(TextBoxesAndBrowsers, TextChangesAndNavigationsAreKept) {
    Panel p;
    p.txt.setText(u"abc");
    p.txt.setValue(u"abc");
    EXPECT_EQ(p.log, (std::vector<std::u16string>{u"txt.Change abc"}));
    EXPECT_EQ(p.web.LocationURL(), u"");
    p.web.Navigate2(u"https://example.org/a");
    p.web.Navigate2(u"https://example.org/a");
    EXPECT_EQ(p.web.LocationURL(), u"https://example.org/a");
    EXPECT_EQ(p.web.navigations().size(), 2u);
}

TEST(FormSize, HeightInTwipsIsTwentyToThePoint) {
    Panel p;
    p.setHeightTwips(5340);
    EXPECT_DOUBLE_EQ(p.Height(), 267);
    p.setHeight(192);
    EXPECT_DOUBLE_EQ(p.HeightTwips(), 3840);
}

TEST(Snapshots, KeepTextsAndWhatIsShown) {
    Panel p;
    p.optA.setCaption(u"First");
    p.txt.setText(u"typed");
    p.inner.setVisible(false);
    FormSnapshot shot = snapshot(p);
    EXPECT_EQ(shot.form, u"Panel");
    EXPECT_EQ(shot.text(u"optA"), u"First");
    EXPECT_EQ(shot.text(u"txt"), u"typed");
    EXPECT_FALSE(shot.shown.at(u"lblDeep"));
    EXPECT_TRUE(shot.shown.at(u"optA"));
    EXPECT_THROW(shot.text(u"nothing"), std::out_of_range);
}

}  // namespace
