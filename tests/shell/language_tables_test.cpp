// Row selection and lookups by control number.
#include "host/error.h"
#include "shell/ribbon_texts.h"
#include "tests/shell/language_fixture.h"

namespace shelltest {
namespace {

using shell::getScreenTip;
using shell::getSuperTip;
using shell::GetTitle;
using shell::setDefaultLanguage;

TEST_F(LanguageTest, TheEmptyCodeSelectsTheEnglishRow) {
    loadAtStart();
    EXPECT_EQ(shell::languageCode, u"");
    EXPECT_EQ(shell::languageCodes, (std::vector<std::u16string>{u"\uFEFFEn", u"Hi", u""}));
    ASSERT_EQ(shell::labelRow.size(), 85u);
    EXPECT_EQ(shell::labelRow[0], u"En");
    EXPECT_EQ(shell::msgNoWorkbook, u"Please Add a Workbook or Open a File");
    EXPECT_EQ(shell::msgListUpdated, u"List is Updated");
    EXPECT_EQ(shell::screenTips.size(), 72u);
    EXPECT_EQ(shell::superTips.size(), 72u);
}

TEST_F(LanguageTest, CodesSelectTheirRowExactlyAndUnknownOnesLeaveEnglish) {
    std::u16string hi = u"Hi";
    shell::loadLanguageRow(hi);
    EXPECT_EQ(shell::languageCode, u"Hi");
    EXPECT_EQ(shell::labelRow[0], u"Hi");
    EXPECT_EQ(shell::labelRow.size(), 84u);
    EXPECT_NE(shell::msgNoWorkbook, u"Please Add a Workbook or Open a File");
    EXPECT_FALSE(shell::msgNoWorkbook.empty());
    for (std::u16string code : {u"Fr", u"hi", u"HI", u"Hin"}) {
        shell::loadLanguageRow(code);
        EXPECT_EQ(shell::languageCode, code);
        EXPECT_EQ(shell::labelRow[0], u"En") << "code " << testing::PrintToString(code);
    }
}

TEST_F(LanguageTest, LabelsTitlesAndTipsByControlNumber) {
    loadAtStart();
    EXPECT_EQ(setDefaultLanguage(RibbonControlStub(u"btnUndo_02")), u"Undo");
    EXPECT_EQ(setDefaultLanguage(RibbonControlStub(u"mnuDataOrganizer_32")), u"Data Organizer");
    EXPECT_EQ(setDefaultLanguage(RibbonControlStub(u"btnDelAllObjects_61")), u"4. Remove all objects in ActiveSheet");
    EXPECT_EQ(GetTitle(RibbonControlStub(u"sepTC_06")), u"Regular Text Cleaner");
    EXPECT_EQ(GetTitle(RibbonControlStub(u"sepWC_48")), u"Word Count Utility");
    EXPECT_EQ(getScreenTip(RibbonControlStub(u"mnuTextCleaner_05")), u"\r\nText Cleaner");
    EXPECT_TRUE(
        getScreenTip(RibbonControlStub(u"btnDelNumbers_07")).starts_with(u"\r\nRemove all Numbers (0-9)\u00A0"));
    EXPECT_EQ(getSuperTip(RibbonControlStub(u"btnUndo_02")), u"This Command Undo all Actions taken after last command");
    EXPECT_EQ(getSuperTip(RibbonControlStub(u"mnuTextCleaner_05")),
              u"A Collection of Tools to Clean Text in Selected Cells");
}

TEST_F(LanguageTest, HindiChangesLabelsAndTitlesButNotTips) {
    loadAtStart();
    RibbonControlStub undo(u"btnUndo_02"), group(u"grpDataCleaning_04"), title(u"sepDC_24"), tool(u"btnDelNumbers_07");
    std::u16string englishUndo = setDefaultLanguage(undo), englishGroup = setDefaultLanguage(group);
    std::u16string englishTitle = GetTitle(title), tip = getScreenTip(tool), super = getSuperTip(tool);
    std::u16string hi = u"Hi";
    shell::loadLanguageRow(hi);
    EXPECT_NE(setDefaultLanguage(undo), englishUndo);
    EXPECT_NE(setDefaultLanguage(group), englishGroup);
    EXPECT_NE(GetTitle(title), englishTitle);
    EXPECT_EQ(setDefaultLanguage(undo), shell::labelRow[2]);
    EXPECT_EQ(getScreenTip(tool), tip);
    EXPECT_EQ(getSuperTip(tool), super);
}

TEST_F(LanguageTest, AMissingOrBlankRowFallsBackToThirtyFourEnglishLabels) {
    RibbonControlStub undo(u"btnUndo_02");
    EXPECT_EQ(setDefaultLanguage(undo), u"Undo");
    EXPECT_EQ(shell::labelRow.size(), 34u);
    EXPECT_EQ(shell::labelRow[0], u"En");
    EXPECT_EQ(setDefaultLanguage(RibbonControlStub(u"sepDO_33")), u"Compact Data");
    try {
        setDefaultLanguage(RibbonControlStub(u"btnAbout_55"));
        FAIL() << "a number beyond the fallback row gives no text";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), host::errSubscript);
    }
    shell::labelRow = {u"", u"x", u"y"};
    EXPECT_EQ(setDefaultLanguage(RibbonControlStub(u"btnRedo_03")), u"Redo");
}

TEST_F(LanguageTest, ControlNumbersAndWhatHasNone) {
    EXPECT_EQ(shell::controlNumber(u"btnUndo_02"), 2);
    EXPECT_EQ(shell::controlNumber(u"mnuDataOrganizer_32"), 32);
    EXPECT_EQ(shell::controlNumber(u"sepDO_100"), 0);
    EXPECT_EQ(shell::controlNumber(u"menusep_68"), 68);
    for (const char16_t* id : {u"btnEn", u"grpRT1", u"7", u""}) {
        try {
            shell::controlNumber(id);
            ADD_FAILURE() << "no error for " << testing::PrintToString(std::u16string(id));
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), host::errTypeMismatch);
        }
    }
    loadAtStart();
    EXPECT_THROW(GetTitle(RibbonControlStub(u"beyond_99")), host::Error);
    EXPECT_THROW(getScreenTip(RibbonControlStub(u"beyond_72")), host::Error);
    EXPECT_NO_THROW(getSuperTip(RibbonControlStub(u"last_71")));
}

TEST_F(LanguageTest, TitlesWithoutALoadedRowFail) {
    EXPECT_THROW(GetTitle(RibbonControlStub(u"sepTC_06")), host::Error);
    EXPECT_THROW(getScreenTip(RibbonControlStub(u"btnAbout_55")), host::Error);
}

}  // namespace
}  // namespace shelltest
