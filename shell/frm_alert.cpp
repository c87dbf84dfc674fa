#include "shell/frm_alert.h"

namespace shell {

namespace {
forms::DefaultInstance<FrmAlert> instance;
}

FrmAlert& frmAlert() { return instance(); }
bool frmAlertLoaded() { return instance.isLoaded(); }

FrmAlert::FrmAlert() : Form(u"frmAlert") {
    setCaption(u"Cellwash");
    setWidth(300);
    setHeight(150);
    Image1.setLeft(12);
    Image1.setTop(12);
    Image1.setWidth(30);
    Image1.setHeight(29);
    lblMessageHeading.setCaption(u"Cellwash");
    lblMessageHeading.setFontBold(true);
    lblMessageHeading.setFontSize(10);
    lblMessageHeading.setLeft(54);
    lblMessageHeading.setTop(12);
    lblMessageHeading.setWidth(230);
    lblMessage.setLeft(54);
    lblMessage.setTop(36);
    lblMessage.setWidth(230);
    lblMessage.setHeight(54);
    CommandButton1.setCaption(u"OK");
    CommandButton1.setLeft(114);
    CommandButton1.setTop(100);
    CommandButton1.onClick = [this] { CommandButton1_Click(); };
}

void FrmAlert::CommandButton1_Click() { forms::Unload(*this); }

}  // namespace shell
