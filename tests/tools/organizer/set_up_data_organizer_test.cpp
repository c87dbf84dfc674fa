// setUpDataOrganizerDialog: the layout of each of the twelve commands, as the user sees the
// dialog open, and the tool key it stores.
#include <gtest/gtest.h>

#include "tests/dialog/dialog_fixture.h"
#include "tools/organizer/set_up_data_organizer_dialog.h"

namespace organizertest {
namespace {

using dialog::FrmMain;
using dialogtest::DialogFixture;
using dialogtest::mainOf;

class OrganizerSetUp : public DialogFixture {
protected:
    testsupport::Rows initialRows() const override {
        return {{u"a", u"b", u"c"}, {u"d", u"", u"f"}, {u"g", u"h", u"i"}};
    }

    // Opens the dialog for `key`, lets `look` see it as shown, then closes it.
    void open(std::u16string key, std::function<void(FrmMain&)> look) {
        user.inspect([look](forms::Form& form) { look(mainOf(form)); }).closeForm();
        tools::organizer::setUpDataOrganizerDialog(key);
        EXPECT_EQ(user.remaining(), 0u);
        EXPECT_FALSE(dialog::frmMainLoaded());
    }
};

TEST_F(OrganizerSetUp, RemoveRowsWithSeveralRowsKeepsTheActiveSheetSwitchCleared) {
    select(u"A1:C3");
    open(u"removeRows", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer1");
        EXPECT_TRUE(f.frmDataOrganizer.isShown());
        EXPECT_TRUE(f.frmDO1to4.isShown());
        EXPECT_EQ(f.lblMainHeader.Caption(), u"Cellwash - Data Organizer");
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Remove all Empty Rows/Cells ?");
        EXPECT_EQ(f.lblDOSelCells.Caption(), u"9");
        EXPECT_EQ(f.optDelEntire.Caption(), u"Delete Entire Row (If an Empty Cell found)");
        EXPECT_FALSE(f.chkRemoveAS.Value());
        EXPECT_DOUBLE_EQ(f.HeightTwips(), 5340);
    });
}

TEST_F(OrganizerSetUp, RemoveRowsWithOneCellOrOneRowTicksRemoveFromActiveSheet) {
    for (const std::u16string address : {u"B2", u"A2:C2"}) {
        select(address);
        open(u"removeRows", [](FrmMain& f) {
            EXPECT_TRUE(f.chkRemoveAS.Value());
            EXPECT_EQ(f.chkRemoveAS.Caption(), u" Remove From Active Sheet");
        });
    }
}

TEST_F(OrganizerSetUp, RemoveColsHidesTheThirdOptionAndClearsWhiteSpaceCleaning) {
    select(u"A1:B3");
    open(u"removeCols", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer2");
        EXPECT_EQ(f.lblDOSelCells.Caption(), u"6");
        EXPECT_EQ(f.optDelEntireIfBlank.Caption(), u"Delete Entire Column (If a Column is Completely Blank)");
        EXPECT_EQ(f.optDelEmptyCells.Caption(), u"Delete Only Empty Cells (Shift Cells Left)");
        EXPECT_FALSE(f.optDelEntire.Visible());
        EXPECT_FALSE(f.chkCleanWhiteSpaces.Value());
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Remove all Empty Columns ?");
    });
}

TEST_F(OrganizerSetUp, RemoveSheetsWithOneWorkbookDisablesTheAllWorkbooksOption) {
    testsupport::addSheet(t, u"Sheet2");
    open(u"removeSheets", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer3");
        EXPECT_EQ(f.lblDO1to4Help.Caption(), u"Press Yes button to remove All Empty Sheets");
        EXPECT_EQ(f.Label44.Caption(), u"Total Sheets : ");
        EXPECT_EQ(f.lblDOSelCells.Caption(), u"2");
        EXPECT_EQ(f.optDelEntireIfBlank.Caption(), u"Delete from Active Workbook (Book1)");
        EXPECT_EQ(f.optDelEmptyCells.Caption(), u"Delete from All Open Workbook");
        EXPECT_FALSE(f.optDelEmptyCells.Enabled());
        EXPECT_FALSE(f.optDelEntire.Visible());
        EXPECT_FALSE(f.chkRemoveAS.Visible());
        EXPECT_EQ(f.chkCleanWhiteSpaces.Caption(), u" Remove Hidden Empty Sheets!");
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Remove all Empty Sheets from Workbook(s) ?");
    });
}

TEST_F(OrganizerSetUp, RemoveSheetsWithThreeWorkbooksCountsTheWorkbooks) {
    t.app->newBook();
    t.app->newBook();
    t.app->setActiveBook(t.book);
    open(u"removeSheets", [](FrmMain& f) {
        EXPECT_EQ(f.Label44.Caption(), u"Total Workbooks : ");
        EXPECT_EQ(f.lblDOSelCells.Caption(), u"3");
        EXPECT_EQ(f.optDelEmptyCells.Caption(), u"Delete from All Open Workbook (3 Workbooks are opened)");
        EXPECT_TRUE(f.optDelEmptyCells.Enabled());
    });
}

TEST_F(OrganizerSetUp, RemoveObjectsOnSeveralSheetsShowsTheSheetCount) {
    testsupport::addSheet(t, u"Sheet2");
    testsupport::addSheet(t, u"Sheet3");
    open(u"removeObjects", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer4");
        EXPECT_EQ(f.Label44.Caption(), u"Total Sheets : ");
        EXPECT_EQ(f.lblDOSelCells.Caption(), u"3");
        EXPECT_EQ(f.optDelEntireIfBlank.Caption(), u"Delete from Active Sheet (Sheet1)");
        EXPECT_EQ(f.optDelEmptyCells.Caption(), u"Delete from All Sheets (3)");
        EXPECT_TRUE(f.chkChartObject.Visible());
        EXPECT_FALSE(f.optDelEntire.Visible());
        EXPECT_EQ(f.chkRemoveAS.Caption(), u" Remove Only Embedded Objects (Pictures, ActiveX Controls, etc.)!");
        EXPECT_EQ(f.chkCleanWhiteSpaces.Caption(), u" Remove Only All Comments!");
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Remove all Objects from Sheet(s) ?");
    });
}

TEST_F(OrganizerSetUp, RemoveObjectsOnOneSheetCountsTheObjectsAndDisablesAllSheets) {
    open(u"removeObjects", [](FrmMain& f) {
        EXPECT_EQ(f.Label44.Caption(), u"Total Objects : ");
        EXPECT_EQ(f.lblDOSelCells.Caption(), u"0");
        EXPECT_EQ(f.optDelEmptyCells.Caption(), u"Delete from All Sheets of Active Workbook");
        EXPECT_FALSE(f.optDelEmptyCells.Enabled());
    });
}

struct CaseRow {
    std::u16string command, key, example, help, question;
};

TEST_F(OrganizerSetUp, CaseToolsUseCompactLayoutAWithTheirExample) {
    const std::vector<CaseRow> rows = {
        {u"changeToUpperCase", u"DO5to8_UC", u"'cwk ver5' and 'cwk Ver5' >>>> 'CWK VER5'",
         u"Press Yes Button to Convert Text to UPPER CASE", u"Do you want to Convert Selected Text to UPPER CASE ?"},
        {u"changeToLowerCase", u"DO5to8_LC", u"'CWK VER5' and 'CwK Ver5' >>>> 'cwk ver5'",
         u"Press Yes Button to Convert Text to lower case", u"Do you want to Convert Selected Text to lower case ?"},
        {u"changeToProperCase", u"DO5to8_PC", u"'CWK VER5' and 'cwK veR5' >>>> 'Cwk Ver5'",
         u"Press Yes Button to Convert Text to Proper Case", u"Do you want to Convert Selected Text to Proper Case ?"},
        {u"changeToSentenceCase", u"DO5to8_SC", u"'CWK VER5' and 'cwK veR5' >>>> 'Cwk ver5'",
         u"Press Yes Button to Convert Text to Sentence case",
         u"Do you want to Convert Selected Text to Sentence case ?"},
    };
    select(u"A1:A2");
    for (const CaseRow& row : rows) {
        open(row.command, [&row](FrmMain& f) {
            EXPECT_EQ(dialog::activeDOKey, row.key);
            EXPECT_DOUBLE_EQ(f.frmDataOrganizer.Height(), 124.5);
            EXPECT_DOUBLE_EQ(f.cmdNo.Top(), 167.5);
            EXPECT_DOUBLE_EQ(f.cmdYes.Top(), 167.5);
            EXPECT_DOUBLE_EQ(f.HeightTwips(), 3840);
            EXPECT_DOUBLE_EQ(f.Height(), 192);
            EXPECT_TRUE(f.lblCaseEx.isShown());
            EXPECT_EQ(f.lblCaseEx.Caption(), u"Example : \r\n" + row.example);
            EXPECT_EQ(f.lblDO1to4Help.Caption(), row.help);
            EXPECT_EQ(f.lblDOHeader1to4.Caption(), row.question);
            EXPECT_EQ(f.lblDOSelCells.Caption(), u"2");
            for (auto* hidden :
                 {static_cast<forms::Control*>(&f.frmDOOptions), static_cast<forms::Control*>(&f.chkChartObject),
                  static_cast<forms::Control*>(&f.chkRemoveAS), static_cast<forms::Control*>(&f.chkCleanWhiteSpaces)})
                EXPECT_FALSE(hidden->Visible());
        });
    }
}

TEST_F(OrganizerSetUp, ColourToolsUseCompactLayoutBAndThePalette) {
    open(u"colorNthRow", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer9");
        EXPECT_DOUBLE_EQ(f.frmDataOrganizer.Height(), 125.5);
        EXPECT_DOUBLE_EQ(f.cmdYes.Top(), 172.5);
        EXPECT_DOUBLE_EQ(f.HeightTwips(), 3940);
        EXPECT_TRUE(f.frmDOCENR.isShown());
        EXPECT_TRUE(f.txtNthRow.isShown());
        EXPECT_FALSE(f.frmDOOptions.Visible());
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Color Every Nth Row or Cell ?");
        EXPECT_EQ(f.lblDO1to4Help.Caption(), u"Enter Nth Row, Select Color and Press Yes to Color Every nth Row");
    });
    open(u"colorDuplicateRows", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer10");
        EXPECT_FALSE(f.txtNthRow.isShown());
        EXPECT_FALSE(f.lblCEN.isShown());
        EXPECT_EQ(f.lblColor.Caption(), u"Select color from Color Pallete");
        EXPECT_EQ(f.lblDO1to4Help.Caption(), u"Select Color and Press Button Yes to Color Duplicate Rows");
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Color Duplicate Rows in Selection ?");
    });
    open(u"colorUniqueRows", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer11");
        EXPECT_EQ(f.lblDO1to4Help.Caption(), u"Select Color and Press Yes Button to Color Unique Rows");
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Color Unique Rows in Selection ?");
    });
}

TEST_F(OrganizerSetUp, TransposeShowsTheSampleAndThreeRows) {
    open(u"transposeRowsToColumn", [](FrmMain& f) {
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer12");
        EXPECT_DOUBLE_EQ(f.HeightTwips(), 5340);
        EXPECT_TRUE(f.frmDOCENR.isShown());
        EXPECT_EQ(f.txtNthRow.Text(), u"3");
        EXPECT_EQ(f.lblCEN.Caption(), u"Rows");
        EXPECT_EQ(f.lblColor.Caption(), u"Transpose");
        EXPECT_DOUBLE_EQ(f.frmHelp.Height(), 79.5);
        EXPECT_TRUE(f.frmTransposeSample.isShown());
        EXPECT_FALSE(f.frmDOOptions.Visible());
        EXPECT_EQ(f.lblDO1to4Help.Caption(), u"Enter Number of Rows and Press Yes to Transpose");
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Transpose One Column to Multiple Columns ?");
    });
}

TEST_F(OrganizerSetUp, AFailingSelectionCountLeavesTheCountAndTheSetUpGoesOn) {
    select(u"A:XFD");  // more cells than the host's 32-bit count: error 6
    open(u"removeRows", [](FrmMain& f) {
        EXPECT_EQ(f.lblDOSelCells.Caption(), u"0");
        EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Remove all Empty Rows/Cells ?");
        EXPECT_EQ(dialog::activeDOKey, u"DataOrganizer1");
    });
}

TEST_F(OrganizerSetUp, ReopeningAfterChangesShowsTheDesignTimeDefaultsAgain) {
    std::u16string colour = u"colorNthRow";
    user.click(u"lblGrey50").click(u"cmdNo");
    tools::organizer::setUpDataOrganizerDialog(colour);
    std::u16string rows = u"removeRows";
    user.click(u"optDelEmptyCells").setValue(u"chkCleanWhiteSpaces", false).click(u"cmdNo");
    tools::organizer::setUpDataOrganizerDialog(rows);
    EXPECT_TRUE(user.ignoredActions().empty());
    open(u"removeRows", [](FrmMain& f) {
        EXPECT_TRUE(f.optDelEntireIfBlank.Value());
        EXPECT_TRUE(f.chkCleanWhiteSpaces.Value());
        EXPECT_TRUE(f.chkRemoveAS.Visible());
        EXPECT_EQ(f.lblMainColor.Tag(), u"6");
        EXPECT_EQ(f.lblMainColor.ControlTipText(), u"Yellow");
    });
}

TEST_F(OrganizerSetUp, EveryCommandOfTheTableHasARowWithItsToolKey) {
    EXPECT_EQ(tools::organizer::dataOrganizerRows().size(), 12u);
    for (const auto& row : tools::organizer::dataOrganizerRows()) {
        std::u16string key(row.commandKey);
        dialog::clearFamilyKeys();
        open(key, [](FrmMain&) {});
        EXPECT_EQ(dialog::activeDOKey, row.toolKey);
    }
}

}  // namespace
}  // namespace organizertest
