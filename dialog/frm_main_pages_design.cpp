// Design-time state of frmMain's text cleaner page and count tools page.
#include "dialog/control_design.h"
#include "dialog/frm_main.h"

namespace dialog {

namespace {

constexpr ControlDesign kTextCleanerPage[] = {
    {u"frmTextCleaner", u"", 4, 28, 328, 204, Hidden},
    {u"lblTextCleanerHD", u"Do you want to Remove/Replace all text before nth Character(s)", 6, 4, 310, 24},
    {u"Label51", u"Selected Cells :", 6, 30, 80, 12},
    {u"lblTCSel", u"0", 88, 30, 80, 12},
    {u"Image2", u"", 290, 28, 24, 24},
    {u"Frame36", u"", 6, 46, 314, 66},
    {u"Frame38", u"", 4, 2, 130, 40},
    {u"optLeading", u"Leading Characters", 4, 4, 120, 14, On},
    {u"optTrailing", u"Trailing Characters", 4, 20, 120, 14},
    {u"frmSearchChars", u"Search Characters", 140, 2, 168, 60},
    {u"Label52", u"Start Position :", 4, 8, 70, 12},
    {u"txtStartPos", u"1", 78, 6, 40, 16},
    {u"txtNthChars", u"", 4, 28, 156, 18},
    {u"Frame40", u"", 6, 114, 314, 84},
    {u"frmRemoveChars", u"Remove", 4, 2, 304, 40},
    {u"chkAllChars", u"All Characters", 4, 4, 100, 14, On},
    {u"Label53", u"No. of Characters :", 110, 6, 90, 12, Disabled},
    {u"txtNoOfChars", u"1", 204, 4, 40, 16, Disabled},
    {u"chkReplaceChars", u"Replace", 4, 20, 100, 14},
    {u"frmReplaceChars", u"", 4, 44, 304, 36, Hidden},
    {u"Label54", u"Replace With", 4, 8, 70, 12},
    {u"txtReplaceChars", u"", 78, 6, 220, 18},
};

constexpr ControlDesign kCountToolsPage[] = {
    {u"frmCountTools", u"", 4, 28, 328, 204, Hidden},
    {u"lblStatus", u"", 6, 188, 240, 12},
    {u"cmdStop", u"STOP", 256, 184, 60, 16, Hidden},
    {u"frmCountTool1to3", u"", 2, 2, 322, 180, Hidden},
    {u"Frame7", u"", 4, 4, 312, 56},
    {u"optActiveSheet", u"Active Sheet", 4, 4, 96, 14},
    {u"optActiveWorkbook", u"Active Workbook", 104, 4, 100, 14},
    {u"optSelectedCells", u"Selected Cells", 208, 4, 100, 14},
    {u"chkIncludeShapes", u"Include Text Frames, WordArt &Shapes", 4, 22, 200, 14},
    {u"chkAllowAutoCount", u"Allow Auto Count", 4, 38, 120, 14, On},
    {u"btnCountManual", u"Count", 250, 34, 56, 18},
    {u"lblWordsCap", u"Words", 8, 66, 160, 12},
    {u"ctrWords", u"0", 176, 66, 120, 12},
    {u"lblCharsNoSpacesCap", u"Characters (no spaces)", 8, 82, 160, 12},
    {u"ctrChars", u"0", 176, 82, 120, 12},
    {u"lblCharsWithSpacesCap", u"Characters (with spaces)", 8, 98, 160, 12},
    {u"ctrCharsSpaces", u"0", 176, 98, 120, 12},
    {u"lblSheetsCap", u"Sheets (Visible)", 8, 114, 160, 12},
    {u"ctrSheetsVisible", u"0", 176, 114, 120, 12},
    {u"lblSheetsHiddenCap", u"Sheets (Hidden)", 8, 130, 160, 12},
    {u"ctrSheetsHidden", u"0", 176, 130, 120, 12},
    {u"lblTips", u"", 8, 148, 306, 28},
    {u"frmCountTool4to5", u"", 2, 2, 322, 180, Hidden},
    {u"lblCT4to5Header", u"", 6, 4, 310, 30},
    {u"frmOptions", u"", 6, 36, 310, 22},
    {u"optCountUnique", u"Count Unique Entries", 4, 4, 140, 14},
    {u"optCountDuplicate", u"Count Duplicate Entries", 150, 4, 150, 14},
    {u"Label20", u"Selected Cells :", 8, 66, 160, 12},
    {u"lblSelectedCells", u"0", 176, 66, 120, 12},
    {u"Label21", u"Unique Entries :", 8, 82, 160, 12},
    {u"lblUnique", u"0", 176, 82, 120, 12},
    {u"lblDiplicateCaption", u"Duplicate Entries :", 8, 98, 160, 12},
    {u"lblDuplicate", u"0", 176, 98, 120, 12},
    {u"Label23", u"Distinct Entries :", 8, 114, 160, 12},
    {u"lblDistinct", u"0", 176, 114, 120, 12},
};

}  // namespace

void FrmMain::designTextCleanerPage() {
    applyDesign(*this, kTextCleanerPage);
    lblTextCleanerHD.setFontBold(true);
    txtNoOfChars.setControlTipText(u"Type No. of Characters");
    chkReplaceChars.setControlTipText(u"Check it for all chars or type no. of chars in box");
}

void FrmMain::designCountToolsPage() { applyDesign(*this, kCountToolsPage); }

}  // namespace dialog
