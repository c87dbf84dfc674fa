#include "shell/feedback_window.h"

#include "shell/product_info.h"

namespace shell {

namespace {
forms::DefaultInstance<FrmRE> instance;
}

FrmRE& frmRE() { return instance(); }
bool frmRELoaded() { return instance.isLoaded(); }

FrmRE::FrmRE() : Form(u"frmRE") {
    setCaption(u"Cellwash - Send Feedback");
    setWidth(480);
    setHeight(380);
    WebBrowser1.setLeft(6);
    WebBrowser1.setTop(6);
    WebBrowser1.setWidth(462);
    WebBrowser1.setHeight(320);
    CommandButton1.setCaption(u"Close");
    CommandButton1.setLeft(396);
    CommandButton1.setTop(332);
    CommandButton1.onClick = [this] { CommandButton1_Click(); };
}

void FrmRE::UserForm_Layout() { WebBrowser1.Navigate2(std::u16string(feedbackAddress)); }

void FrmRE::CommandButton1_Click() { forms::Unload(*this); }

}  // namespace shell
