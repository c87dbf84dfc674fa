// The text cleaner from the ribbon: the host with the add-in connected, a click on the tool's
// button, the dialog, Yes, the cells, the message, Undo from the ribbon.
#include <gtest/gtest.h>

#include "host/application.h"
#include "host/range.h"
#include "session/host_session.h"
#include "shell/undo_redo.h"
#include "tests/support/session_reading.h"

namespace texttest {
namespace {

using testsupport::cellText;
using testsupport::lastAlert;

TEST(TextCleanerFromTheRibbon, RemoveNumbersThenUndo) {
    session::HostSession session;
    auto sheet = session.app().activeWorksheet();
    sheet->model().enterText(1, 1, u"CWKver5@39");
    sheet->model().enterText(2, 1, u"a1b2");
    session.select(u"A1:A2");
    session.user().click(u"cmdYes").on(u"frmMain");
    session.clickRibbon(u"btnDelNumbers_07");
    EXPECT_EQ(cellText(session, u"A1"), u"CWKver@");
    EXPECT_EQ(cellText(session, u"A2"), u"ab");
    EXPECT_EQ(lastAlert(session), u"All Numbers Removed from Selected Cells!");
    EXPECT_TRUE(shell::undoEnabled);

    session.clickRibbon(u"btnUndo_02");
    EXPECT_EQ(cellText(session, u"A1"), u"CWKver5@39");
    EXPECT_EQ(cellText(session, u"A2"), u"a1b2");
}

TEST(TextCleanerFromTheRibbon, ACancelledDialogLeavesNoKeyForTheNextCommand) {
    session::HostSession session;
    auto sheet = session.app().activeWorksheet();
    sheet->model().enterText(1, 1, u"x1");
    sheet->model().enterText(2, 1, u"y2");
    session.select(u"A1:A2");
    session.user().click(u"cmdNo").on(u"frmMain");
    session.clickRibbon(u"btnDelNumbers_07");
    // The positional tool's dialog opens next; its Yes must run that tool only.
    session.user().setText(u"txtNoOfChars", u"1").click(u"cmdYes").on(u"frmMain");
    session.clickRibbon(u"btnDelLeadingXchr_21");
    EXPECT_EQ(cellText(session, u"A1"), u"1");
    EXPECT_EQ(cellText(session, u"A2"), u"2");
    EXPECT_EQ(lastAlert(session), u"1 Leading Characters has been removed");
}

}  // namespace
}  // namespace texttest
