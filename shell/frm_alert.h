#pragma once
// frmAlert: the add-in's message window. Callers set lblMessage (and, where they choose,
// lblMessageHeading) and show it modally; closing it destroys it.
#include "forms/default_instance.h"
#include "forms/simple_controls.h"

namespace shell {

class FrmAlert : public forms::Form {
public:
    FrmAlert();

    forms::Image Image1{*this, u"Image1"};
    forms::Label lblMessageHeading{*this, u"lblMessageHeading"};
    forms::Label lblMessage{*this, u"lblMessage"};
    forms::CommandButton CommandButton1{*this, u"CommandButton1"};

    void CommandButton1_Click();
};

// The shared instance, created with its design-time texts on first use.
FrmAlert& frmAlert();
bool frmAlertLoaded();

}  // namespace shell
