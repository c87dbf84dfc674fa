#include "tools/duplicates/frm_dup_prev.h"

#include "tools/duplicates/duplicate_preventer.h"

namespace tools::duplicates {

namespace {
forms::DefaultInstance<FrmDupPrev> instance;

void place(forms::Control& control, double left, double top, double width, double height) {
    control.setLeft(left);
    control.setTop(top);
    control.setWidth(width);
    control.setHeight(height);
}
}  // namespace

FrmDupPrev& frmDupPrev() { return instance(); }
bool frmDupPrevLoaded() { return instance.isLoaded(); }

FrmDupPrev::FrmDupPrev() : Form(u"frmDupPrev") {
    setCaption(u"Duplicate Preventer");
    setWidth(210);
    setHeight(150);
    Label1.setCaption(u"Duplicate Preventer");
    Label1.setFontBold(true);
    place(Label1, 6, 4, 170, 16);
    Label4.setCaption(u"Duplicate Preventer");
    place(Label4, 12, 28, 180, 14);
    Label2.setCaption(u"X");
    place(Label2, 186, 4, 14, 14);
    Label3.setCaption(u"X");
    place(Label3, 186, 130, 14, 14);
    optAct.setCaption(u"Activate Preventer");
    place(optAct, 12, 48, 180, 16);
    optDeAct.setCaption(u"Deactivate Preventer");
    place(optDeAct, 12, 68, 180, 16);
    chkSelCol.setCaption(u"Select Column");
    place(chkSelCol, 12, 90, 180, 16);
    Command1.setCaption(u"&Apply");
    place(Command1, 60, 114, 72, 22);
    place(Command2, 0, 0, 0, 0);
    optAct.setValue(true);
    chkSelCol.setValue(true);

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Label2.onClick = [this] { Label2_Click(); };
    Label3.onClick = [this] { Label3_Click(); };
}

void FrmDupPrev::Command1_Click() { toggleDuplicatePreventer(); }
void FrmDupPrev::Command2_Click() { forms::Unload(*this); }
void FrmDupPrev::Label2_Click() { forms::Unload(*this); }
void FrmDupPrev::Label3_Click() { forms::Unload(*this); }

void showDuplicatePreventer(std::u16string& /*commandKey*/) { frmDupPrev().Show(forms::ShowMode::Modal); }

}  // namespace tools::duplicates
