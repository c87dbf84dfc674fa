#pragma once
// The language menu: one toggle per language and the language list button, their
// visibility, pressed state, pictures and the language switch.
#include <string>
#include <vector>

#include "host/ribbon.h"
#include "resources/resources.h"

namespace shell {

// The menu's content: a menu element holding the toggles, a separator and the update button.
std::u16string GetLanguageContent(const host::IRibbonControl& control);

// True when characters 4 and 5 of the id are in the code list of the label table.
bool chkLangAvailableOrNot(const host::IRibbonControl& control);
// True when characters 4 and 5 of the id are the active language code.
bool chkPressed(const host::IRibbonControl& control);
// The picture of the language whose code is characters 4 and 5 of the id.
resources::Bytes setDefImageOnButton(const host::IRibbonControl& control);
// The bitmap number of a language code ("Up" is the update button); 101 for any other code.
int languagePictureNumber(const std::u16string& code);

// The language switch: when pressed, loads the row of the handler's code, refreshes the
// whole ribbon and then each of the other toggles.
void btnEn_Click(const host::IRibbonControl& control, bool pressed);
void btnHi_Click(const host::IRibbonControl& control, bool pressed);
void btnAr_Click(const host::IRibbonControl& control, bool pressed);
void btnRu_Click(const host::IRibbonControl& control, bool pressed);
void btnIt_Click(const host::IRibbonControl& control, bool pressed);
void btnFr_Click(const host::IRibbonControl& control, bool pressed);
void btnDe_Click(const host::IRibbonControl& control, bool pressed);
void btnKo_Click(const host::IRibbonControl& control, bool pressed);
void btnJa_Click(const host::IRibbonControl& control, bool pressed);
void btnZs_Click(const host::IRibbonControl& control, bool pressed);
void btnEs_Click(const host::IRibbonControl& control, bool pressed);

// Asks the host to refresh each listed control.
void unCheckOtherToggleButtons(const std::vector<std::u16string>& controlIds);

}  // namespace shell
