// frmMain: creation, the shared instance, the dialog's own events and its command buttons.
#include "dialog/frm_main.h"

#include <string>
#include <utility>

#include "dialog/family_keys.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_dispatch.h"
#include "shell/language_state.h"

namespace dialog {

namespace {

forms::DefaultInstance<FrmMain> instance;

}  // namespace

FrmMain& frmMain() { return instance(); }
bool frmMainLoaded() { return instance.isLoaded(); }

FrmMain::FrmMain() : Form(u"frmMain") {
    designDialogWide();
    designDataOrganizerPage();
    designColourPalette();
    designTextCleanerPage();
    designCountToolsPage();
    wireHandlers();
    wireSwatches();
}

void FrmMain::wireHandlers() {
    cmdYes.onClick = [this] { cmdYes_Click(); };
    cmdNo.onClick = [this] { cmdNo_Click(); };
    cmdExit.onClick = [this] { cmdExit_Click(); };
    cmdStop.onClick = [this] { cmdStop_Click(); };
    cmdDO1to4Stop.onClick = [this] { cmdDO1to4Stop_Click(); };
    Frame4.onMouseDown = [this](int b, int s, double x, double y) { Frame4_MouseDown(b, s, x, y); };
    lblMainHeader.onMouseDown = [this](int b, int s, double x, double y) { lblMainHeader_MouseDown(b, s, x, y); };
    optDelEntireIfBlank.onClick = [this] { optDelEntireIfBlank_Click(); };
    optDelEmptyCells.onClick = [this] { optDelEmptyCells_Click(); };
    optDelEntire.onClick = [this] { optDelEntire_Click(); };
    chkAllChars.onClick = [this] { chkAllChars_Click(); };
    optLeading.onClick = [this] { optLeading_Click(); };
    optTrailing.onClick = [this] { optTrailing_Click(); };
    CheckBox5.onClick = [this] { CheckBox5_Click(); };
    chkReplaceChars.onClick = [this] { chkReplaceChars_Click(); };
}

void FrmMain::UserForm_Initialize() {
    suppressOptionClicks = true;
    dialogBeingMoved = false;
    applyCountCaptionsFromLanguage();
}

// The count tools count on layout (through the routine their family registered); afterwards,
// whatever the page, the option clicks count again.
void FrmMain::UserForm_Layout() {
    callRoutine(toolRoutines().countToolsLayout, *this);
    suppressOptionClicks = false;
}

// Captions of the count page that follow the active language (field of the label row).
void FrmMain::applyCountCaptionsFromLanguage() {
    const std::pair<forms::CaptionedControl*, std::size_t> captions[] = {
        {&lblWordsCap, 73},        {&lblCharsNoSpacesCap, 74}, {&lblCharsWithSpacesCap, 75}, {&lblSheetsCap, 76},
        {&lblSheetsHiddenCap, 77}, {&optActiveSheet, 78},      {&optActiveWorkbook, 79},     {&optSelectedCells, 80},
        {&chkIncludeShapes, 81},   {&chkAllowAutoCount, 82},   {&btnCountManual, 83},
    };
    // A row without the field keeps the English design-time caption.
    for (auto [control, field] : captions)
        if (field < shell::labelRow.size() && !shell::labelRow[field].empty())
            control->setCaption(shell::labelRow[field]);
}

void FrmMain::cmdNo_Click() { forms::Unload(*this); }
void FrmMain::cmdExit_Click() { forms::Unload(*this); }
void FrmMain::cmdStop_Click() { stopRequested = true; }
void FrmMain::cmdDO1to4Stop_Click() { stopRequested = true; }

void FrmMain::setRunButtonsEnabled(bool enabled) {
    cmdExit.setEnabled(enabled);
    cmdNo.setEnabled(enabled);
    cmdYes.setEnabled(enabled);
}

void FrmMain::Frame4_MouseDown(int, int, double, double) { startDragging(); }
void FrmMain::lblMainHeader_MouseDown(int, int, double, double) { startDragging(); }

// The dialog has no title bar in use: pressing a mouse button on the title strip or the
// header hands the window to the window manager as a caption drag (release the capture,
// non-client left-button-down, caption hit-test). On the embedded host the user's driver
// moves the form itself, which raises Layout; only the flag remains to be set here.
void FrmMain::startDragging() { dialogBeingMoved = true; }

}  // namespace dialog
