#pragma once
// Form1 — plugsweep's one window. Loading it removes the add-in named on the command
// line and fills in the message; the buttons then close it.
#include <string>

#include "forms/form.h"
#include "forms/simple_controls.h"

namespace plugsweep {

// Where "Send Your Feedback" leads.
inline constexpr char16_t kFeedbackAddress[] = u"https://cellwash.example/plugsweep/feedback";

class Form1 : public forms::Form {
public:
    Form1();

    forms::Label Label1{*this, u"Label1"};
    forms::Label Label2{*this, u"Label2"};
    forms::CommandButton Command1{*this, u"Command1"};
    forms::CommandButton Command2{*this, u"Command2"};

    // The add-in name, as the command line gave it.
    const std::u16string& addinName() const { return addinName_; }

    void UserForm_Initialize() override { Form_Load(); }
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Label2_Click();

private:
    std::u16string addinName_;
};

// The one shared instance; made (and loaded) on first use.
Form1& form1();

}  // namespace plugsweep
