#pragma once
// frmToolTour: the tool tour — every tool of the add-in with a description, and the
// version and contact lines.
#include <string>
#include <vector>

#include "forms/combo_box.h"
#include "forms/default_instance.h"
#include "forms/simple_controls.h"
#include "forms/text_box.h"

namespace shell {

class FrmToolTour : public forms::Form {
public:
    FrmToolTour();

    forms::ComboBox cmbListOfTools{*this, u"cmbListOfTools"};
    forms::TextBox txtDesc{*this, u"txtDesc"};
    forms::CommandButton cmdPrev{*this, u"cmdPrev"};
    forms::CommandButton cmdNext{*this, u"cmdNext"};
    forms::CommandButton CommandButton3{*this, u"CommandButton3"};
    forms::Label Label2{*this, u"Label2"};
    forms::TextBox txtVersion{*this, u"txtVersion"};

    void UserForm_Initialize() override;
    void cmbListOfTools_Change();
    void cmdNext_Click();
    void cmdPrev_Click();
    void CommandButton3_Click();

private:
    std::vector<std::u16string> descriptions_;
};

FrmToolTour& frmToolTour();
bool frmToolTourLoaded();

}  // namespace shell
