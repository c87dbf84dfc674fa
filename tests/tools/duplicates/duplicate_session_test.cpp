// The duplicate cleaner and the duplicate preventer from the host's ribbon and legacy menu,
// with the add-in connected: button, dialog, options, Yes, message, and the ribbon's Undo.
#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/stop_flag.h"
#include "host/application.h"
#include "host/range.h"
#include "shell/frm_alert.h"
#include "tests/shell/session_fixture.h"
#include "tests/support/alerts.h"
#include "tests/support/sheet_builder.h"

namespace duplicatestest {
namespace {

using Column = std::vector<std::u16string>;

class DuplicateSession : public shelltest::SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        dialog::clearFamilyKeys();
        dialog::stopRequested = false;
    }
    session::HostSession& startWith(const testsupport::Rows& rows, const std::u16string& selection) {
        auto& s = start();
        testsupport::fill(*s.app().activeWorksheet(), rows);
        s.select(selection);
        return s;
    }
    std::u16string lastAlert() { return testsupport::lastAlert(user()); }
    Column columnA(long rows) {
        std::u16string address = u"A1:A" + std::u16string(1, static_cast<char16_t>(u'0' + rows));
        return testsupport::column(*session->app().activeWorksheet(), address);
    }
};

const testsupport::Rows kMixedCase = {{u"a"}, {u"b"}, {u"A"}, {u"a"}, {u"c"}};
const Column kMixedColumn = {u"a", u"b", u"A", u"a", u"c"};

struct RibbonCase {
    std::u16string button;
    Column after;
    std::u16string message;
};

TEST_F(DuplicateSession, EachRibbonButtonRunsItsToolAndTheRibbonUndoesIt) {
    const RibbonCase cases[] = {
        {u"btnDelDupsKF_25", {u"a", u"b", u"", u"", u"c"}, u"Duplicate Entries are removed in Your Selection"},
        {u"btnDelAllDups_26", {u"", u"b", u"", u"", u"c"}, u"Duplicate Entries are removed in Your Selection"},
        {u"btnDelAllUnq_31", {u"a", u"", u"A", u"a", u""}, u"Unique Entries are removed in Your Selection"},
    };
    for (const RibbonCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.button));
        auto& s = startWith(kMixedCase, u"A1:A5");
        user().selectOption(u"optDelEntire").on(u"frmMain").click(u"cmdYes").on(u"frmMain");
        s.clickRibbon(c.button);
        EXPECT_EQ(columnA(5), c.after);
        EXPECT_EQ(lastAlert(), c.message);
        EXPECT_TRUE(s.ribbon().enabled(u"btnUndo_02"));
        s.clickRibbon(u"btnUndo_02");
        EXPECT_EQ(columnA(5), kMixedColumn);
        session.reset();
        shelltest::resetAddinState();
    }
}

TEST_F(DuplicateSession, TheSecondListButtonClearsTheFirstColumn) {
    auto& s = startWith({{u"x", u"y"}, {u"y", u"y"}, {u"z", u"q"}}, u"A1:B3");
    user().click(u"cmdYes").on(u"frmMain");
    s.clickRibbon(u"btnDelDupsList_28");
    EXPECT_EQ(columnA(3), (Column{u"x", u"", u"z"}));
    EXPECT_EQ(lastAlert(), u"All Entries are deleted from 1st Column exist in 2nd");
    s.clickRibbon(u"btnUndo_02");
    EXPECT_EQ(columnA(3), (Column{u"x", u"y", u"z"}));
}

TEST_F(DuplicateSession, TheLegacyMenuReachesTheSameTools) {
    auto& s = start({.version = u"11.0"});
    testsupport::fill(*s.app().activeWorksheet(), kMixedCase);
    s.select(u"A1:A5");
    user().selectOption(u"optDelEmptyCells").on(u"frmMain").click(u"cmdYes").on(u"frmMain");
    s.clickMenu({u"&Duplicate Cleaner", u"1. Remove Duplicate Entries (Keep First)"});
    EXPECT_EQ(columnA(5), (Column{u"a", u"b", u"c", u"", u""}));
    user().click(u"Command1").on(u"frmDupPrev");
    s.clickMenu({u"&Duplicate Cleaner", u"4. Duplicate Preventer"});
    EXPECT_EQ(lastAlert(), u"Duplicate Preventer is Activated for Selected Column");
    EXPECT_EQ(s.app().Range(u"A7")->Validation()->Formula1(), u"=CountIf($A:$A,A7)=1");
}

TEST_F(DuplicateSession, ThePreventerButtonShowsItsWindowAndTheHostEnforcesTheRule) {
    auto& s = startWith({{u"head"}, {u"apple"}, {u"pear"}}, u"A2:A40");
    user().setValue(u"chkSelCol", false).on(u"frmDupPrev").click(u"Command1").on(u"frmDupPrev");
    s.clickRibbon(u"btnDupPreventer_30");
    EXPECT_EQ(lastAlert(), u"Duplicate Preventer is Activated for Selected Column");
    EXPECT_FALSE(s.app().enterValue(s.app().Range(u"A9"), u"Pear").accepted);
    EXPECT_TRUE(s.app().enterValue(s.app().Range(u"A9"), u"head").accepted);
    EXPECT_FALSE(s.ribbon().enabled(u"btnUndo_02"));  // the preventer takes no undo snapshot

    user().selectOption(u"optDeAct").on(u"frmDupPrev").click(u"Command1").on(u"frmDupPrev");
    s.clickRibbon(u"btnDupPreventer_30");
    EXPECT_EQ(lastAlert(), u"Duplicate Preventer is Deactivated for Selected Column");
    EXPECT_TRUE(s.app().enterValue(s.app().Range(u"A10"), u"pear").accepted);
}

}  // namespace
}  // namespace duplicatestest
