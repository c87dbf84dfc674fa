#pragma once
// Small forms the runtime tests share.
#include <string>
#include <vector>

#include "forms/forms.h"

namespace formstest {

// A dialog that unloads itself from its handlers, as the add-in's windows do.
class Dialog : public forms::Form {
public:
    Dialog() : Form(u"Dialog") {
        lblCaption.setCaption(u"design time");
        cmdClose.onClick = [this] { cmdClose_Click(); };
        cmdWork.onClick = [this] { cmdWork_Click(); };
        cmdStop.onClick = [this] { stopped = true; };
        cmdAsk.onClick = [this] {
            answers.push_back(forms::MsgBox(u"Sure?", forms::vbYesNo + forms::vbQuestion, u"Ask"));
        };
        lblHeader.onMouseDown = [this](int button, int, double, double) { mouseDowns.push_back(button); };
    }
    void UserForm_Initialize() override { ++initializeCount; }
    void UserForm_Layout() override { ++layoutCount; }

    void cmdClose_Click() {
        forms::Unload(*this);
        closedThenTouched = lblCaption.Caption();  // still valid: the handler keeps the form alive
    }
    // A long loop that yields after every item and honours Stop.
    void cmdWork_Click() {
        stopped = false;
        for (itemsDone = 0; itemsDone < 10;) {
            ++itemsDone;
            if (stopped) break;
            forms::DoEvents();
        }
    }

    forms::Label lblCaption{*this, u"lblCaption"};
    forms::Label lblHeader{*this, u"lblHeader"};
    forms::CommandButton cmdClose{*this, u"cmdClose"};
    forms::CommandButton cmdWork{*this, u"cmdWork"};
    forms::CommandButton cmdStop{*this, u"cmdStop"};
    forms::CommandButton cmdAsk{*this, u"cmdAsk"};
    forms::CheckBox chkOption{*this, u"chkOption"};
    forms::TextBox txtInput{*this, u"txtInput"};
    forms::ComboBox cmbList{*this, u"cmbList"};
    forms::OptionButton optOne{*this, u"optOne"};
    forms::OptionButton optTwo{*this, u"optTwo"};

    int initializeCount = 0;
    int layoutCount = 0;
    bool stopped = false;
    int itemsDone = 0;
    std::vector<int> answers;
    std::vector<int> mouseDowns;
    std::u16string closedThenTouched;
};

Dialog& dialog();
bool dialogLoaded();

// A second window, opened from the first.
class Note : public forms::Form {
public:
    Note() : Form(u"Note") { lblText.setCaption(u"note"); }
    forms::Label lblText{*this, u"lblText"};
};

Note& note();

}  // namespace formstest
