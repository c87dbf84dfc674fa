#pragma once
// frmRE: the feedback window, the product's feedback page in an embedded browser.
#include "forms/default_instance.h"
#include "forms/simple_controls.h"
#include "forms/web_browser.h"

namespace shell {

class FrmRE : public forms::Form {
public:
    FrmRE();

    forms::WebBrowser WebBrowser1{*this, u"WebBrowser1"};
    forms::CommandButton CommandButton1{*this, u"CommandButton1"};

    // Every layout (first show, move, resize) navigates to the feedback page again.
    void UserForm_Layout() override;
    void CommandButton1_Click();
};

FrmRE& frmRE();
bool frmRELoaded();

}  // namespace shell
