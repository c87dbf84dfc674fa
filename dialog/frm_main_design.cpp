// Design-time state of frmMain: the dialog-wide controls and the data organizer page.
#include <iterator>

#include "dialog/control_design.h"
#include "dialog/frm_main.h"

namespace dialog {

namespace {

// The dialog's own height at design time, in twips (the data organizer layout).
constexpr double kDesignHeightTwips = 5340;
constexpr double kDialogWidth = 336;

constexpr ControlDesign kDialogWide[] = {
    {u"Frame4", u"", 0, 0, 336, 24},
    {u"Image1", u"", 4, 3, 18, 18},
    {u"lblMainHeader", u"Cellwash", 26, 5, 280, 15},
    {u"cmdYes", u"Yes", 216, 236, 52, 20},
    {u"cmdNo", u"No", 274, 236, 52, 20},
    {u"cmdExit", u"X", 314, 3, 18, 18},
    {u"cmdDO1to4Stop", u"STOP", 266, 56, 60, 18, Hidden},
};

constexpr ControlDesign kDataOrganizerPage[] = {
    {u"frmDataOrganizer", u"", 4, 28, 328, 204, Hidden},
    {u"frmDO1to4", u"", 2, 2, 322, 198, Hidden},
    {u"lblDOHeader1to4", u"Do you want to Remove all Empty Rows in Selection ?", 6, 4, 310, 24},
    {u"Label44", u"Selected Cells :", 6, 30, 80, 12},
    {u"lblDOSelCells", u"0", 88, 30, 80, 12},
    {u"frmDOOptions", u"", 6, 44, 310, 50},
    {u"optDelEntireIfBlank", u"Delete Entire Row (If a Row is Completely Blank)", 4, 2, 300, 14, On},
    {u"optDelEmptyCells", u"Delete Only Empty Cells (Shift Cells Up)", 4, 17, 300, 14},
    {u"optDelEntire", u"Delete Entire Row (If an Empty Cell found)", 4, 32, 300, 14},
    {u"chkCleanWhiteSpaces", u" Clean white spaces Before Deletion", 10, 96, 300, 14, On},
    {u"chkRemoveAS", u" Remove From Active Sheet (Selection is discarded)", 10, 111, 300, 14},
    {u"chkChartObject", u" Remove Only Chart Objects", 10, 126, 300, 14, Hidden},
    {u"lblCaseEx", u"", 6, 44, 310, 40, Hidden},
    {u"txtUserDefinedChars", u"[{#_!@#$\u20AC\u00A3%^&*)(=+.,/?\\|`~;:'<>-}]", 6, 86, 310, 18, Hidden},
    {u"CheckBox5", u"Remove Non-Printable Characters", 6, 108, 310, 14, Hidden},
    {u"frmHelp", u"", 6, 142, 310, 50},
    {u"Image3", u"", 4, 4, 16, 16},
    {u"Label35", u"Help", 24, 4, 60, 12},
    {u"lblDO1to4Help", u"Press 'YES' button to Remove Empty Rows, Cols or Cells in Selection", 24, 18, 280, 28},
    {u"frmDOCENR", u"", 6, 44, 310, 52, Hidden},
    {u"lblColor", u"Color Each", 4, 4, 56, 12},
    {u"txtNthRow", u"2", 62, 2, 30, 16},
    {u"lblCEN", u"Row in your selection.", 96, 4, 120, 12},
    {u"frmTransposeSample", u"", 6, 98, 310, 42, Hidden},
    {u"Image4", u"", 2, 2, 304, 36},
};

}  // namespace

void FrmMain::designDialogWide() {
    setCaption(u"Cellwash");
    setWidth(kDialogWidth);
    setHeightTwips(kDesignHeightTwips);
    applyDesign(*this, kDialogWide);
    lblMainHeader.setFontBold(true);
}

void FrmMain::designDataOrganizerPage() {
    applyDesign(*this, kDataOrganizerPage);
    lblDOHeader1to4.setFontBold(true);
    Label35.setFontBold(true);
}

}  // namespace dialog
