// frmMain as created: every control of every page under its name, the design-time state the
// set-ups start from, the colour palette.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/frm_main.h"
#include "dialog/host_palette.h"
#include "forms/forms.h"
#include "tests/dialog/dialog_fixture.h"

namespace dialogtest {
namespace {

using dialog::FrmMain;
using dialog::frmMain;

class Design : public DialogFixture {};

TEST_F(Design, EveryControlOfEveryPageExistsUnderItsName) {
    const std::vector<std::u16string> names = {
        u"Frame4",
        u"lblMainHeader",
        u"cmdYes",
        u"cmdNo",
        u"cmdExit",
        u"lblStatus",
        u"cmdStop",
        u"frmDataOrganizer",
        u"frmDO1to4",
        u"lblDOHeader1to4",
        u"Label44",
        u"lblDOSelCells",
        u"frmDOOptions",
        u"optDelEntireIfBlank",
        u"optDelEmptyCells",
        u"optDelEntire",
        u"chkCleanWhiteSpaces",
        u"chkRemoveAS",
        u"chkChartObject",
        u"cmdDO1to4Stop",
        u"lblCaseEx",
        u"frmHelp",
        u"Image3",
        u"Label35",
        u"lblDO1to4Help",
        u"frmDOCENR",
        u"lblColor",
        u"txtNthRow",
        u"lblCEN",
        u"Frame35",
        u"lblMainColor",
        u"frmTransposeSample",
        u"Image4",
        u"frmTextCleaner",
        u"lblTextCleanerHD",
        u"lblTCSel",
        u"Label51",
        u"txtUserDefinedChars",
        u"CheckBox5",
        u"frmRemoveChars",
        u"frmSearchChars",
        u"frmReplaceChars",
        u"optLeading",
        u"optTrailing",
        u"chkAllChars",
        u"txtNoOfChars",
        u"Label53",
        u"txtStartPos",
        u"txtNthChars",
        u"Label52",
        u"chkReplaceChars",
        u"txtReplaceChars",
        u"Label54",
        u"Frame36",
        u"Frame38",
        u"Frame40",
        u"frmCountTools",
        u"frmCountTool1to3",
        u"Frame7",
        u"optActiveSheet",
        u"optActiveWorkbook",
        u"optSelectedCells",
        u"chkIncludeShapes",
        u"chkAllowAutoCount",
        u"btnCountManual",
        u"ctrWords",
        u"ctrChars",
        u"ctrCharsSpaces",
        u"ctrSheetsVisible",
        u"ctrSheetsHidden",
        u"lblWordsCap",
        u"lblCharsNoSpacesCap",
        u"lblCharsWithSpacesCap",
        u"lblSheetsCap",
        u"lblSheetsHiddenCap",
        u"lblTips",
        u"frmCountTool4to5",
        u"optCountUnique",
        u"optCountDuplicate",
        u"lblCT4to5Header",
        u"frmOptions",
        u"lblSelectedCells",
        u"lblUnique",
        u"lblDuplicate",
        u"lblDiplicateCaption",
        u"lblDistinct",
        u"Label20",
        u"Label21",
        u"Label23",
    };
    for (const auto& name : names) EXPECT_NE(frmMain().control(name), nullptr) << testing::PrintToString(name);
}

TEST_F(Design, DataOrganizerPageStartsFromItsDesignTimeState) {
    FrmMain& f = frmMain();
    EXPECT_FALSE(f.frmDataOrganizer.Visible());
    EXPECT_FALSE(f.frmDO1to4.Visible());
    EXPECT_EQ(f.lblDOHeader1to4.Caption(), u"Do you want to Remove all Empty Rows in Selection ?");
    EXPECT_EQ(f.Label44.Caption(), u"Selected Cells :");
    EXPECT_EQ(f.lblDOSelCells.Caption(), u"0");
    EXPECT_TRUE(f.frmDOOptions.Visible());
    EXPECT_TRUE(f.optDelEntireIfBlank.Value());
    EXPECT_EQ(f.optDelEntireIfBlank.Caption(), u"Delete Entire Row (If a Row is Completely Blank)");
    EXPECT_EQ(f.optDelEmptyCells.Caption(), u"Delete Only Empty Cells (Shift Cells Up)");
    EXPECT_EQ(f.optDelEntire.Caption(), u"Delete Entire Row (If an Empty Cell found)");
    EXPECT_TRUE(f.chkCleanWhiteSpaces.Value());
    EXPECT_EQ(f.chkCleanWhiteSpaces.Caption(), u" Clean white spaces Before Deletion");
    EXPECT_FALSE(f.chkChartObject.Value());
    EXPECT_FALSE(f.chkChartObject.Visible());
    EXPECT_EQ(f.chkChartObject.Caption(), u" Remove Only Chart Objects");
    EXPECT_FALSE(f.cmdDO1to4Stop.Visible());
    EXPECT_EQ(f.cmdDO1to4Stop.Caption(), u"STOP");
    EXPECT_FALSE(f.lblCaseEx.Visible());
    EXPECT_TRUE(f.frmHelp.Visible());
    EXPECT_EQ(f.Label35.Caption(), u"Help");
    EXPECT_EQ(f.lblDO1to4Help.Caption(), u"Press 'YES' button to Remove Empty Rows, Cols or Cells in Selection");
    EXPECT_FALSE(f.frmDOCENR.Visible());
    EXPECT_TRUE(f.txtNthRow.Visible());
    EXPECT_EQ(f.lblColor.Caption(), u"Color Each");
    EXPECT_EQ(f.lblCEN.Caption(), u"Row in your selection.");
    EXPECT_FALSE(f.frmTransposeSample.Visible());
    EXPECT_DOUBLE_EQ(f.HeightTwips(), 5340);
}

TEST_F(Design, TextCleanerInputsStartFromTheirDesignTimeState) {
    FrmMain& f = frmMain();
    EXPECT_FALSE(f.frmTextCleaner.Visible());
    const std::u16string chars = f.txtUserDefinedChars.Text();
    EXPECT_EQ(chars.size(), 34u);
    EXPECT_EQ(chars, u"[{#_!@#$\u20AC\u00A3%^&*)(=+.,/?\\|`~;:'<>-}]");
    EXPECT_EQ(f.CheckBox5.Caption(), u"Remove Non-Printable Characters");
    EXPECT_FALSE(f.CheckBox5.Value());
    EXPECT_TRUE(f.txtUserDefinedChars.Enabled());
    EXPECT_EQ(f.txtNoOfChars.ControlTipText(), u"Type No. of Characters");
    EXPECT_EQ(f.chkReplaceChars.ControlTipText(), u"Check it for all chars or type no. of chars in box");
    EXPECT_FALSE(f.chkReplaceChars.Value());
    EXPECT_FALSE(f.frmReplaceChars.Visible());
    EXPECT_EQ(f.frmRemoveChars.Caption(), u"Remove");
    EXPECT_EQ(f.frmSearchChars.Caption(), u"Search Characters");
    EXPECT_EQ(f.optLeading.Caption(), u"Leading Characters");
    EXPECT_EQ(f.optTrailing.Caption(), u"Trailing Characters");
    EXPECT_EQ(f.Label54.Caption(), u"Replace With");
    EXPECT_EQ(f.Label52.Caption(), u"Start Position :");
}

TEST_F(Design, CountPageControlsExistHiddenWithEnglishCaptions) {
    FrmMain& f = frmMain();
    EXPECT_FALSE(f.frmCountTools.Visible());
    EXPECT_FALSE(f.frmCountTool1to3.Visible());
    EXPECT_FALSE(f.frmCountTool4to5.Visible());
    EXPECT_FALSE(f.cmdStop.Visible());
    EXPECT_FALSE(f.chkIncludeShapes.Value());
    EXPECT_TRUE(f.chkAllowAutoCount.Value());
    EXPECT_EQ(f.btnCountManual.Caption(), u"Count");
    EXPECT_EQ(f.lblWordsCap.Caption(), u"Words");
    EXPECT_EQ(f.lblCharsNoSpacesCap.Caption(), u"Characters (no spaces)");
}

struct SwatchRow {
    std::u16string name, tip, tag;
    std::uint32_t ole;  // 0x00BBGGRR of the host palette entry
};

TEST_F(Design, PaletteSwatchesCarryTipTagAndTheHostPaletteColourOfTheTag) {
    const std::vector<SwatchRow> rows = {
        {u"lblYellow", u"Yellow", u"6", 0x00FFFF},
        {u"lblLightGreen", u"Light Green", u"35", 0xCCFFCC},
        {u"lblBrightGreen", u"Bright Green", u"4", 0x00FF00},
        {u"lblCyan", u"Cyan", u"8", 0xFFFF00},
        {u"lblPink", u"Pink", u"7", 0xFF00FF},
        {u"lblLightOrange", u"Light Orange", u"44", 0x00CCFF},
        {u"lblRed", u"Red", u"3", 0x0000FF},
        {u"lblLavender", u"Lavender", u"39", 0xFF99CC},
        {u"lblGrey75", u"Grey 75 %", u"16", 0x808080},
        {u"lblGrey25", u"Grey 25 %", u"15", 0xC0C0C0},
        {u"lblLightYellow", u"Light Yellow", u"36", 0x99FFFF},
        {u"lblTeal", u"Teal", u"42", 0xCCCC33},
        {u"lblDarkGreen", u"Dark Green", u"43", 0x00CC99},
        {u"lblBlue", u"Blue", u"41", 0xFF6633},
        {u"lblOrange", u"Orange", u"46", 0x0066FF},
        {u"lblBrown", u"Brown", u"53", 0x003399},
        {u"lblNavy", u"Navy", u"11", 0x800000},
        {u"lblTan", u"Tan", u"40", 0x99CCFF},
        {u"lblWhite", u"White", u"2", 0xFFFFFF},
        {u"lblGrey50", u"Grey 50 %", u"48", 0x969696},
    };
    FrmMain& f = frmMain();
    for (const SwatchRow& row : rows) {
        auto* swatch = f.control(row.name);
        ASSERT_NE(swatch, nullptr);
        EXPECT_EQ(swatch->ControlTipText(), row.tip);
        EXPECT_EQ(swatch->Tag(), row.tag);
        EXPECT_EQ(swatch->BackColor(), row.ole) << testing::PrintToString(row.name);
        EXPECT_EQ(&swatch->Parent(), static_cast<forms::Container*>(&f.Frame35));
    }
    EXPECT_EQ(f.Frame35.children().size(), 21u);  // the 20 swatches and the selected colour
    EXPECT_EQ(f.lblMainColor.Tag(), u"6");
    EXPECT_EQ(f.lblMainColor.ControlTipText(), u"Yellow");
    EXPECT_EQ(f.lblMainColor.BackColor(), dialog::paletteColour(6));
}

TEST_F(Design, SwatchesLieInTwoRowsOfTenRightOfTheSelectedColour) {
    FrmMain& f = frmMain();
    EXPECT_EQ(f.lblYellow.Top(), f.lblGrey25.Top());
    EXPECT_EQ(f.lblLightYellow.Top(), f.lblGrey50.Top());
    EXPECT_LT(f.lblYellow.Top(), f.lblLightYellow.Top());
    EXPECT_EQ(f.lblYellow.Left(), f.lblLightYellow.Left());
    EXPECT_LT(f.lblMainColor.Left() + f.lblMainColor.Width(), f.lblYellow.Left() + 0.5);
    EXPECT_LT(f.lblYellow.Left(), f.lblLightGreen.Left());
}

TEST_F(Design, HostPaletteOutsideItsRangeIsWhite) {
    EXPECT_EQ(dialog::paletteColour(1), 0x000000u);
    EXPECT_EQ(dialog::paletteColour(56), 0x333333u);
    EXPECT_EQ(dialog::paletteColour(0), 0xFFFFFFu);
    EXPECT_EQ(dialog::paletteColour(57), 0xFFFFFFu);
}

}  // namespace
}  // namespace dialogtest
