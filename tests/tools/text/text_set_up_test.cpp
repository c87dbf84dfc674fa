// setUpTextCleanerDialog: the dialog as it opens for each of the fourteen commands.
#include <gtest/gtest.h>

#include "tests/tools/text/text_fixture.h"

namespace texttest {
namespace {

using dialog::FrmMain;

class TextSetUp : public TextFixture {
protected:
    testsupport::Rows initialRows() const override { return {{u"a", u"b"}, {u"c", u"d"}}; }

    void look(const std::u16string& command, std::function<void(FrmMain&)> check) {
        user.inspect([check](forms::Form& form) { check(dialogtest::mainOf(form)); }).closeForm();
        open(command);
        EXPECT_EQ(user.remaining(), 0u);
    }
};

struct CharacterRow {
    std::u16string command, key, example, help, question;
};

TEST_F(TextSetUp, CharacterToolsUseTheOrganizerPageWithExampleHelpAndQuestion) {
    const std::vector<CharacterRow> rows = {
        {u"removeNumbers", u"TC1to8_RNUM", u"Example : \r\n'CWKver5@39' >>>> 'CWKver@'",
         u"Press Yes Button to Remove Numeric from Selected Cells",
         u"Do you want to Remove Numbers from Selected Cells ?"},
        {u"removeAlphabets", u"TC1to8_RALP", u"Example : \r\n'CWKver5@39' >>>> '5@39'",
         u"Press Yes Button to Remove Alphabet from Selected Cells",
         u"Do you want to Remove Alphabet from Selected Cells ?"},
        {u"removeUD", u"TC1to8_RUSD", u"Enter Characters Below to Remove from Selected Cells:",
         u"Press Yes Button to Remove User Defined Chars from Selected Cells",
         u"Do you want to Remove User Defined Characters ?"},
        {u"removeAllCaps", u"TC1to8_RCAP", u"Example : 'CWKver5@39' >>> 'ver5@39'",
         u"Press Yes Button to Remove All Caps Characters from Selected Cells",
         u"Do you want to Remove All Caps Characters ?"},
        {u"removeLowerCase", u"TC1to8_RLOC", u"Example : 'CWKver5@39' >>> 'CWK5@39'",
         u"Press Yes Button to Remove Lower Case Characters", u"Do you want to Remove Lower Case Characters ?"},
        {u"removeAllSpaces", u"TC1to8_RALS", u"Example : '(  CWK ver  5  @ 39   )' >>> '(CWKver5@39)'",
         u"Press Yes Button to Remove All Spaces from Selected Cells",
         u"Do you want to Remove All Spaces from Selected Cells ?"},
        {u"removeLTSpaces", u"TC1to8_RLTS", u"Example : '(  CWK ver  5  @  39   )' >>> '(CWK ver  5  @  39)'",
         u"Press Yes Button to Remove Leading Trailing Spaces", u"Do you want to Remove Leading and Trailing Spaces ?"},
        {u"removeExtraSpaces", u"TC1to8_RAES", u"Example : '(  CWK ver  5  @  39   )' >>> '(CWK ver 5 @ 39)'",
         u"Press Yes Button to Remove All Extra Spaces", u"Do you want to Remove All Extra Spaces ?"},
    };
    select(u"A1:B2");
    for (const CharacterRow& row : rows) {
        look(row.command, [&row](FrmMain& f) {
            EXPECT_EQ(dialog::activeTCKey, row.key);
            EXPECT_EQ(f.lblMainHeader.Caption(), u"Cellwash - Text Cleaner");
            EXPECT_TRUE(f.lblDOHeader1to4.isShown());
            EXPECT_FALSE(f.frmTextCleaner.isShown());
            EXPECT_FALSE(f.frmDOOptions.isShown());
            EXPECT_FALSE(f.chkChartObject.isShown());
            EXPECT_FALSE(f.chkRemoveAS.isShown());
            EXPECT_FALSE(f.chkCleanWhiteSpaces.isShown());
            EXPECT_TRUE(f.lblCaseEx.isShown());
            EXPECT_EQ(f.lblCaseEx.Caption(), row.example);
            EXPECT_EQ(f.lblDO1to4Help.Caption(), row.help);
            EXPECT_EQ(f.lblDOHeader1to4.Caption(), row.question);
            EXPECT_EQ(f.lblDOSelCells.Caption(), u"4");
            const bool userDefined = row.command == u"removeUD";
            EXPECT_EQ(f.txtUserDefinedChars.isShown(), userDefined);
            EXPECT_EQ(f.CheckBox5.isShown(), userDefined);
        });
    }
}

struct PositionalRow {
    std::u16string command, key, question;
    bool leading, allTicked, allEnabled;
};

TEST_F(TextSetUp, PositionalToolsUseTheTextCleanerPageWithTheirSwitches) {
    const std::vector<PositionalRow> rows = {
        {u"remAllCharsBeforeXChars", u"TC9to14_RALC", u"Do you want to Remove/Replace all text before nth Character(s)",
         true, true, true},
        {u"remAllCharsAfterXChars", u"TC9to14_RATC", u"Do you want to Remove/Replace all text after nth Character(s)",
         false, true, true},
        {u"remXCharsBeforeXChars", u"TC9to14_RXLC",
         u"Do you want to Remove/Replace X nos. of Character(s) before nth Character(s)", true, false, true},
        {u"remXCharsAfterXChars", u"TC9to14_RXTC",
         u"Do you want to Remove/Replace X nos. of Character(s) after nth Character(s)", false, false, true},
        {u"remBeforeXChars", u"TC9to14_RLXC", u"Do you want to Remove/Replace X nos. of Leading Character(s)", true,
         true, false},
        {u"remAfterXChars", u"TC9to14_RTXC", u"Do you want to Remove/Replace X nos. of Trailing Character(s)", false,
         true, false},
    };
    for (const PositionalRow& row : rows) {
        look(row.command, [&row](FrmMain& f) {
            EXPECT_EQ(dialog::activeTCKey, row.key);
            EXPECT_EQ(f.lblMainHeader.Caption(), u"Cellwash - Text Cleaner");
            EXPECT_TRUE(f.frmTextCleaner.isShown());
            EXPECT_FALSE(f.frmDataOrganizer.isShown());
            EXPECT_EQ(f.lblTextCleanerHD.Caption(), row.question);
            EXPECT_EQ(f.optLeading.Value(), row.leading);
            EXPECT_EQ(f.optTrailing.Value(), !row.leading);
            EXPECT_EQ(f.chkAllChars.Value(), row.allTicked);
            EXPECT_EQ(f.chkAllChars.Enabled(), row.allEnabled);
            EXPECT_EQ(f.txtStartPos.Enabled(), row.allEnabled);
            EXPECT_EQ(f.txtNthChars.Enabled(), row.allEnabled);
            EXPECT_EQ(f.txtNoOfChars.Enabled(), !(row.allEnabled && row.allTicked));
        });
    }
}

TEST_F(TextSetUp, AnUnknownKeyOpensNothing) {
    open(u"removeEverything");
    EXPECT_TRUE(user.shownForms().empty());
    EXPECT_TRUE(dialog::activeTCKey.empty());
}

}  // namespace
}  // namespace texttest
