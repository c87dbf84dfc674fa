#pragma once
// frmDupPrev: the duplicate preventer's own window. Apply runs toggleDuplicatePreventer;
// Command2 and the two "X" labels close the window without action.
#include "forms/default_instance.h"
#include "forms/simple_controls.h"
#include "forms/toggle_controls.h"

namespace tools::duplicates {

class FrmDupPrev : public forms::Form {
public:
    FrmDupPrev();

    forms::Label Label1{*this, u"Label1"};
    forms::Label Label4{*this, u"Label4"};
    forms::OptionButton optAct{*this, u"optAct"};
    forms::OptionButton optDeAct{*this, u"optDeAct"};
    forms::CheckBox chkSelCol{*this, u"chkSelCol"};
    forms::CommandButton Command1{*this, u"Command1"};
    forms::CommandButton Command2{*this, u"Command2"};
    forms::Label Label2{*this, u"Label2"};
    forms::Label Label3{*this, u"Label3"};

    void Command1_Click();
    void Command2_Click();
    void Label2_Click();
    void Label3_Click();
};

// The shared instance, created with its design-time state on first use.
FrmDupPrev& frmDupPrev();
bool frmDupPrevLoaded();

// What the command catalogue does for the preventer's button: load the window and show it
// modally. Takes the command key as the family set-ups do (the preventer has none).
void showDuplicatePreventer(std::u16string& commandKey);

}  // namespace tools::duplicates
