// frmMain's option and check-box handlers, and changeCommands: the text cleaner's switches
// choose the positional tool while the dialog is open.
#include <string_view>

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"

namespace dialog {

namespace {

// What changeCommands writes for one state of the switches.
struct PositionalChoice {
    std::u16string_view question;
    std::u16string_view toolKey;
};

// [X characters around the search text, all text around it, leading/trailing][before, after]
constexpr PositionalChoice kPositionalChoices[3][2] = {
    {{u"Do you want to Remove/Replace X nos. of Character(s) BEFORE nth Character(s)", u"TC9to14_RXLC"},
     {u"Do you want to Remove/Replace X nos. of Character(s) AFTER nth Character(s)", u"TC9to14_RXTC"}},
    {{u"Do you want to Remove/Replace All Text BEFORE nth Character(s)", u"TC9to14_RALC"},
     {u"Do you want to Remove/Replace All Text AFTER nth Character(s)", u"TC9to14_RATC"}},
    {{u"Do you want to Remove/Replace X nos. of Leading Character(s)", u"TC9to14_RLXC"},
     {u"Do you want to Remove/Replace X nos. of Trailing Character(s)", u"TC9to14_RTXC"}},
};

}  // namespace

void FrmMain::changeCommands() {
    int kind = 2;  // chkAllChars disabled: the leading/trailing tools
    if (chkAllChars.Enabled()) {
        kind = chkAllChars.Value() ? 1 : 0;
        Label53.setEnabled(kind == 0);
        txtNoOfChars.setEnabled(kind == 0);
    }
    const PositionalChoice& choice = kPositionalChoices[kind][optLeading.Value() ? 0 : 1];
    lblTextCleanerHD.setCaption(std::u16string(choice.question));
    activeTCKey = choice.toolKey;
}

void FrmMain::chkAllChars_Click() { changeCommands(); }
void FrmMain::optLeading_Click() { changeCommands(); }
void FrmMain::optTrailing_Click() { changeCommands(); }

void FrmMain::CheckBox5_Click() { txtUserDefinedChars.setEnabled(!CheckBox5.Value()); }

void FrmMain::chkReplaceChars_Click() {
    const bool replace = chkReplaceChars.Value();
    frmReplaceChars.setVisible(replace);
    frmRemoveChars.setCaption(replace ? u"Replace" : u"Remove");
}

void FrmMain::optDelEntireIfBlank_Click() {
    if (optDelEntireIfBlank.Value()) chkRemoveAS.setCaption(u" Remove From Active Sheet");
}

void FrmMain::optDelEmptyCells_Click() {
    if (optDelEmptyCells.Value()) chkRemoveAS.setVisible(false);
}

// The tool of this option (rows with an empty cell) does not read chkRemoveAS, so the check
// box goes out of sight, as it does for the empty-cells option whose tool ignores it too.
void FrmMain::optDelEntire_Click() {
    if (optDelEntire.Value()) chkRemoveAS.setVisible(false);
}

}  // namespace dialog
