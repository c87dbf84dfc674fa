// The count tools along the whole road: the host starts, the add-in connects, the user
// clicks the ribbon button, the dialog counts; text boxes, AutoShapes and a group read from
// a real xlsx made by LibreOffice.
#include <gtest/gtest.h>

#include "dialog/family_keys.h"
#include "forms/snapshot.h"
#include "host/range.h"
#include "host/text.h"
#include "session/host_session.h"
#include "tests/tools/count/count_fixture.h"

namespace counttest {
namespace {

class CountRoad : public ::testing::Test {
protected:
    void SetUp() override {
        resetCountState();
        session = std::make_unique<session::HostSession>();  // connects: hostApplication is set
    }
    void TearDown() override {
        session.reset();
        resetCountState();
    }
    forms::ScriptedDriver& user() { return session->user(); }
    void look() {
        user().inspect([this](forms::Form& form) { looks.push_back(forms::snapshot(form)); });
    }
    static std::vector<std::u16string> figures(const forms::FormSnapshot& shot) {
        return {shot.text(u"ctrWords"), shot.text(u"ctrChars"), shot.text(u"ctrCharsSpaces"),
                shot.text(u"ctrSheetsVisible"), shot.text(u"ctrSheetsHidden")};
    }
    using Figures = std::vector<std::u16string>;

    std::unique_ptr<session::HostSession> session;
    std::vector<forms::FormSnapshot> looks;
};

const char16_t* kShapesBook = u"" CW_COUNT_TEST_DATA "/shapes_book.xlsx";

TEST_F(CountRoad, ShapesOfARealWorkbook) {
    session->openWorkbook(std::filesystem::path(std::u16string(kShapesBook)));
    look();
    user().click(u"chkIncludeShapes");
    look();
    session->clickRibbon(u"btnCountActiveSheet_49");
    ASSERT_EQ(looks.size(), 2u);
    // Cells "alpha beta" and 42; the hidden sheet is counted under Sheets (Hidden).
    EXPECT_EQ(figures(looks[0]), (Figures{u"3", u"11", u"12", u"1", u"1"}));
    // With "one  two three" (AutoShape) and "two  words" (text box); the rectangle without
    // text and the group add nothing.
    EXPECT_EQ(figures(looks[1]), (Figures{u"8", u"30", u"36", u"1", u"1"}));
    EXPECT_EQ(looks[1].text(u"lblStatus"), u"Statistics: Active Sheet and TextFrames...");
}

TEST_F(CountRoad, AllThreeStatisticsButtonsShareOneDialog) {
    engine::BookPtr book = session->app().activeBook()->book();
    book->activeSheet()->enterText(1, 1, u"a b");
    book->addSheet(u"Two")->enterText(1, 1, u"c");
    session->app().worksheetOf(book->sheets().front())->Activate();
    session->select(u"A1");
    const std::pair<const char16_t*, const char16_t*> buttons[] = {
        {u"btnCountActiveSheet_49", u"Statistics: Active Sheet..."},
        {u"btnCountActiveWorkBook_50", u"Statistics: All Sheets..."},
        {u"btnCountSelectedCells_51", u"Statistics: Selected Cells..."},
    };
    for (auto [button, status] : buttons) {
        look();
        session->clickRibbon(button);
        ASSERT_FALSE(looks.empty());
        EXPECT_EQ(looks.back().text(u"lblStatus"), status) << host::utf8(button);
    }
    EXPECT_EQ(looks[1].text(u"ctrWords"), u"3");
}

TEST_F(CountRoad, DuplicatesAndUniquesFromTheRibbon) {
    engine::BookPtr book = session->app().activeBook()->book();
    testsupport::fill(*book->activeSheet(), {{u"x"}, {u"y"}, {u"x"}});
    session->select(u"A:A");
    look();
    session->clickRibbon(u"btnCountDup_52");
    look();
    session->clickRibbon(u"btnCountUnq_53");
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(looks[0].text(u"lblCT4to5Header"), u"2 Duplicate Entries\r\nFound in Selected Cells");
    EXPECT_EQ(looks[1].text(u"lblCT4to5Header"), u"2 Unique Entries\r\nFound in Selected Cells");
    EXPECT_EQ(looks[1].text(u"lblSelectedCells"), u"3");
    EXPECT_EQ(session->app().Selection()->Address(), u"$A$1:$A$3");
}

TEST_F(CountRoad, TheEmptyBlankWorkbookOpensNoDialog) {
    session->clickRibbon(u"btnCountActiveWorkBook_50");
    session->clickRibbon(u"btnCountUnq_53");
    std::vector<std::u16string> messages;
    for (const forms::FormSnapshot& shown : user().shownForms()) {
        EXPECT_NE(shown.form, u"frmMain");
        if (shown.form == u"frmAlert") messages.push_back(shown.text(u"lblMessage"));
    }
    EXPECT_EQ(messages, (std::vector<std::u16string>{u"Active Sheet is Empty!", u"Active Sheet is Empty!"}));
}

}  // namespace
}  // namespace counttest
