#pragma once
// frmMain: the one dialog through which every tool is confirmed and run. Four families share
// it, each on a page (frame) of its own; the set-up routines lay it out for one tool, Yes
// runs that tool. The controls are declared here, container before content; their
// design-time state is in the frm_main_*_design.cpp tables, the handlers in frm_main_*.cpp.
#include <string>

#include "dialog/colour_swatches.h"
#include "forms/default_instance.h"
#include "forms/frame.h"
#include "forms/simple_controls.h"
#include "forms/text_box.h"
#include "forms/toggle_controls.h"

namespace dialog {

class FrmMain : public forms::Form {
public:
    FrmMain();

    // --- dialog-wide ---
    forms::Frame Frame4{*this, u"Frame4"};
    forms::Image Image1{Frame4, u"Image1"};
    forms::Label lblMainHeader{Frame4, u"lblMainHeader"};
    forms::CommandButton cmdYes{*this, u"cmdYes"};
    forms::CommandButton cmdNo{*this, u"cmdNo"};
    forms::CommandButton cmdExit{*this, u"cmdExit"};
    // The Stop button of the data organizer and text cleaner pages: on the dialog itself, so
    // that the running tool can show it whichever of the two pages is up.
    forms::CommandButton cmdDO1to4Stop{*this, u"cmdDO1to4Stop"};

    // --- data organizer page (also used by the duplicate and character-class tools) ---
    forms::Frame frmDataOrganizer{*this, u"frmDataOrganizer"};
    forms::Frame frmDO1to4{frmDataOrganizer, u"frmDO1to4"};
    forms::Label lblDOHeader1to4{frmDO1to4, u"lblDOHeader1to4"};
    forms::Label Label44{frmDO1to4, u"Label44"};
    forms::Label lblDOSelCells{frmDO1to4, u"lblDOSelCells"};
    forms::Frame frmDOOptions{frmDO1to4, u"frmDOOptions"};
    forms::OptionButton optDelEntireIfBlank{frmDOOptions, u"optDelEntireIfBlank"};
    forms::OptionButton optDelEmptyCells{frmDOOptions, u"optDelEmptyCells"};
    forms::OptionButton optDelEntire{frmDOOptions, u"optDelEntire"};
    forms::CheckBox chkCleanWhiteSpaces{frmDO1to4, u"chkCleanWhiteSpaces"};
    forms::CheckBox chkRemoveAS{frmDO1to4, u"chkRemoveAS"};
    forms::CheckBox chkChartObject{frmDO1to4, u"chkChartObject"};
    forms::Label lblCaseEx{frmDO1to4, u"lblCaseEx"};
    // The user-defined characters tool runs on this page, so its two inputs live here.
    forms::TextBox txtUserDefinedChars{frmDO1to4, u"txtUserDefinedChars"};
    forms::CheckBox CheckBox5{frmDO1to4, u"CheckBox5"};
    forms::Frame frmHelp{frmDO1to4, u"frmHelp"};
    forms::Image Image3{frmHelp, u"Image3"};
    forms::Label Label35{frmHelp, u"Label35"};
    forms::Label lblDO1to4Help{frmHelp, u"lblDO1to4Help"};
    forms::Frame frmDOCENR{frmDO1to4, u"frmDOCENR"};
    forms::Label lblColor{frmDOCENR, u"lblColor"};
    forms::TextBox txtNthRow{frmDOCENR, u"txtNthRow"};
    forms::Label lblCEN{frmDOCENR, u"lblCEN"};
    forms::Frame Frame35{frmDOCENR, u"Frame35"};
    forms::Label lblMainColor{Frame35, u"lblMainColor"};
#define CW_DECLARE_SWATCH(control, tip, tag, row, column) forms::Label control{Frame35, u"" #control};
    CW_COLOUR_SWATCHES(CW_DECLARE_SWATCH)
#undef CW_DECLARE_SWATCH
    forms::Frame frmTransposeSample{frmDO1to4, u"frmTransposeSample"};
    forms::Image Image4{frmTransposeSample, u"Image4"};

    // --- text cleaner page (positional tools) ---
    forms::Frame frmTextCleaner{*this, u"frmTextCleaner"};
    forms::Label lblTextCleanerHD{frmTextCleaner, u"lblTextCleanerHD"};
    forms::Label Label51{frmTextCleaner, u"Label51"};
    forms::Label lblTCSel{frmTextCleaner, u"lblTCSel"};
    forms::Image Image2{frmTextCleaner, u"Image2"};
    forms::Frame Frame36{frmTextCleaner, u"Frame36"};
    forms::Frame Frame38{Frame36, u"Frame38"};
    forms::OptionButton optLeading{Frame38, u"optLeading"};
    forms::OptionButton optTrailing{Frame38, u"optTrailing"};
    forms::Frame frmSearchChars{Frame36, u"frmSearchChars"};
    forms::Label Label52{frmSearchChars, u"Label52"};
    forms::TextBox txtStartPos{frmSearchChars, u"txtStartPos"};
    forms::TextBox txtNthChars{frmSearchChars, u"txtNthChars"};
    forms::Frame Frame40{frmTextCleaner, u"Frame40"};
    forms::Frame frmRemoveChars{Frame40, u"frmRemoveChars"};
    forms::CheckBox chkAllChars{frmRemoveChars, u"chkAllChars"};
    forms::Label Label53{frmRemoveChars, u"Label53"};
    forms::TextBox txtNoOfChars{frmRemoveChars, u"txtNoOfChars"};
    forms::CheckBox chkReplaceChars{frmRemoveChars, u"chkReplaceChars"};
    forms::Frame frmReplaceChars{Frame40, u"frmReplaceChars"};
    forms::Label Label54{frmReplaceChars, u"Label54"};
    forms::TextBox txtReplaceChars{frmReplaceChars, u"txtReplaceChars"};

    // --- count tools page ---
    forms::Frame frmCountTools{*this, u"frmCountTools"};
    // The dialog's status line and Stop button serve the count page only, so they sit on it.
    forms::Label lblStatus{frmCountTools, u"lblStatus"};
    forms::CommandButton cmdStop{frmCountTools, u"cmdStop"};
    forms::Frame frmCountTool1to3{frmCountTools, u"frmCountTool1to3"};
    forms::Frame Frame7{frmCountTool1to3, u"Frame7"};
    forms::OptionButton optActiveSheet{Frame7, u"optActiveSheet"};
    forms::OptionButton optActiveWorkbook{Frame7, u"optActiveWorkbook"};
    forms::OptionButton optSelectedCells{Frame7, u"optSelectedCells"};
    forms::CheckBox chkIncludeShapes{Frame7, u"chkIncludeShapes"};
    forms::CheckBox chkAllowAutoCount{Frame7, u"chkAllowAutoCount"};
    forms::CommandButton btnCountManual{Frame7, u"btnCountManual"};
    forms::Label lblWordsCap{frmCountTool1to3, u"lblWordsCap"};
    forms::Label ctrWords{frmCountTool1to3, u"ctrWords"};
    forms::Label lblCharsNoSpacesCap{frmCountTool1to3, u"lblCharsNoSpacesCap"};
    forms::Label ctrChars{frmCountTool1to3, u"ctrChars"};
    forms::Label lblCharsWithSpacesCap{frmCountTool1to3, u"lblCharsWithSpacesCap"};
    forms::Label ctrCharsSpaces{frmCountTool1to3, u"ctrCharsSpaces"};
    forms::Label lblSheetsCap{frmCountTool1to3, u"lblSheetsCap"};
    forms::Label ctrSheetsVisible{frmCountTool1to3, u"ctrSheetsVisible"};
    forms::Label lblSheetsHiddenCap{frmCountTool1to3, u"lblSheetsHiddenCap"};
    forms::Label ctrSheetsHidden{frmCountTool1to3, u"ctrSheetsHidden"};
    forms::Label lblTips{frmCountTool1to3, u"lblTips"};
    forms::Frame frmCountTool4to5{frmCountTools, u"frmCountTool4to5"};
    forms::Label lblCT4to5Header{frmCountTool4to5, u"lblCT4to5Header"};
    forms::Frame frmOptions{frmCountTool4to5, u"frmOptions"};
    forms::OptionButton optCountUnique{frmOptions, u"optCountUnique"};
    forms::OptionButton optCountDuplicate{frmOptions, u"optCountDuplicate"};
    forms::Label Label20{frmCountTool4to5, u"Label20"};
    forms::Label lblSelectedCells{frmCountTool4to5, u"lblSelectedCells"};
    forms::Label Label21{frmCountTool4to5, u"Label21"};
    forms::Label lblUnique{frmCountTool4to5, u"lblUnique"};
    forms::Label lblDiplicateCaption{frmCountTool4to5, u"lblDiplicateCaption"};
    forms::Label lblDuplicate{frmCountTool4to5, u"lblDuplicate"};
    forms::Label Label23{frmCountTool4to5, u"Label23"};
    forms::Label lblDistinct{frmCountTool4to5, u"lblDistinct"};

    // Set by a mouse-down on the title strip or the header; nothing clears it until the
    // dialog is created again.
    bool dialogBeingMoved = false;

    // Public operations.
    void changeCommands();
    void defineColor(const forms::Label& swatch);

    // Handlers.
    void cmdYes_Click();
    void cmdNo_Click();
    void cmdExit_Click();
    void cmdStop_Click();
    void cmdDO1to4Stop_Click();
#define CW_DECLARE_SWATCH_CLICK(control, tip, tag, row, column) \
    void control##_Click() { defineColor(control); }
    CW_COLOUR_SWATCHES(CW_DECLARE_SWATCH_CLICK)
#undef CW_DECLARE_SWATCH_CLICK
    void Frame4_MouseDown(int button, int shift, double x, double y);
    void lblMainHeader_MouseDown(int button, int shift, double x, double y);
    void optDelEntireIfBlank_Click();
    void optDelEmptyCells_Click();
    void optDelEntire_Click();
    void chkAllChars_Click();
    void optLeading_Click();
    void optTrailing_Click();
    void CheckBox5_Click();
    void chkReplaceChars_Click();
    void UserForm_Initialize() override;
    void UserForm_Layout() override;

    // The three buttons that start or close a run, enabled or disabled together.
    void setRunButtonsEnabled(bool enabled);

private:
    void designDialogWide();
    void designDataOrganizerPage();
    void designColourPalette();
    void designTextCleanerPage();
    void designCountToolsPage();
    void wireHandlers();
    void wireSwatches();
    void startDragging();
    void applyCountCaptionsFromLanguage();
};

// The shared instance: created with its design-time state on first use, released by Unload.
FrmMain& frmMain();
bool frmMainLoaded();

}  // namespace dialog
