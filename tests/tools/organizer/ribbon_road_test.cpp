// The data organizer from the ribbon: the host with the add-in connected, a click on the
// tool's button, the dialog, Yes, the cells, the message, Undo from the ribbon.
#include <gtest/gtest.h>

#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "session/host_session.h"
#include "shell/undo_redo.h"
#include "tests/support/session_reading.h"

namespace organizertest {
namespace {

using testsupport::cellText;
using testsupport::lastAlert;

TEST(OrganizerFromTheRibbon, RemoveEmptyRowsThenUndo) {
    session::HostSession session;
    auto sheet = session.app().activeWorksheet();
    sheet->model().enterText(1, 1, u"a");
    sheet->model().enterText(3, 1, u"c");
    session.select(u"A1:A3");
    session.user().click(u"cmdYes").on(u"frmMain");
    session.clickRibbon(u"btnDelEmptyRows_34");
    EXPECT_EQ(cellText(session, u"A2"), u"c");
    EXPECT_EQ(lastAlert(session), u"Total  1  Entirely Blank Rows Removed!");
    EXPECT_TRUE(shell::undoEnabled);

    session.clickRibbon(u"btnUndo_02");
    EXPECT_EQ(cellText(session, u"A2"), u"");
    EXPECT_EQ(cellText(session, u"A3"), u"c");
}

TEST(OrganizerFromTheRibbon, ProperCaseAndTransposeAndColouring) {
    session::HostSession session;
    auto sheet = session.app().activeWorksheet();
    const char16_t* values[] = {u"cwK veR5", u"b", u"c", u"d"};
    for (long row = 1; row <= 4; ++row) sheet->model().enterText(row, 1, values[row - 1]);
    session.select(u"A1:A4");
    session.user().click(u"cmdYes").on(u"frmMain");
    session.clickRibbon(u"btnProperCase_40");
    EXPECT_EQ(cellText(session, u"A1"), u"Cwk Ver5");
    EXPECT_EQ(lastAlert(session), u"All Selected Cells are Converted to Proper Case!");

    session.select(u"A1:A4");
    session.user().setText(u"txtNthRow", u"2").click(u"lblBlue").click(u"cmdYes").on(u"frmMain");
    session.clickRibbon(u"btnColorNthRows_42");
    EXPECT_EQ(session.app().Range(u"A3")->Interior()->ColorIndex(), 41);
    EXPECT_EQ(lastAlert(session), u"Every 2 Row is colored in Your Selection");

    session.select(u"A1:A4");
    session.user().setText(u"txtNthRow", u"2").click(u"cmdYes").on(u"frmMain");
    session.clickRibbon(u"btnColtoTab_45");
    EXPECT_EQ(cellText(session, u"A2"), u"Cwk Ver5");
    EXPECT_EQ(cellText(session, u"B2"), u"B");
    EXPECT_EQ(cellText(session, u"A3"), u"C");
    EXPECT_EQ(cellText(session, u"B3"), u"D");
    EXPECT_EQ(lastAlert(session), u"Selected Rows are Transposed into Columns!");
}

TEST(OrganizerFromTheRibbon, EmptySheetsTakeNoUndoCopy) {
    session::HostSession session;
    auto book = session.app().activeBook();
    session.app().activeWorksheet()->model().enterText(1, 1, u"data");
    book->model().addSheet(u"Empty");
    book->Sheets()->Item(1)->Activate();
    shell::undoEnabled = false;
    session.user().click(u"cmdYes").on(u"frmMain");
    session.clickRibbon(u"btnDelEmptySheets_36");
    EXPECT_EQ(lastAlert(session), u"Total  1  Empty Sheets Removed from Active Workbook!");
    EXPECT_EQ(book->model().sheets().size(), 1u);
    EXPECT_FALSE(shell::undoEnabled);
}

}  // namespace
}  // namespace organizertest
