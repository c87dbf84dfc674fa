#pragma once
// TerminalDriver — shows a small form in the terminal: its caption, the text of its
// labels and one key per button; the user's keystroke (a line read from the input)
// clicks the button. Without a user (no terminal) it shows the labels and clicks the
// cancel button, as a user who declines would.
#include <iosfwd>
#include <string>
#include <vector>

#include "forms/ui_driver.h"

namespace plugsweep {

struct KeyBinding {
    char key;                // lower case
    std::u16string control;  // the control the key clicks
    std::u16string label;    // what the key line shows; empty: not shown there
};

class TerminalDriver : public forms::UiDriver {
public:
    TerminalDriver(std::istream& in, std::ostream& out, std::vector<KeyBinding> keys, std::u16string cancelControl,
                   bool interactive);

    std::optional<forms::UserAction> nextAction(forms::Form& top) override;
    std::vector<forms::UserAction> doEvents(forms::Form*) override { return {}; }
    int msgBox(const forms::MsgBoxRequest& request) override;
    void formShown(forms::Form& form) override;

private:
    forms::UserAction click(const std::u16string& control) const;
    std::string keyLine() const;

    std::istream& in_;
    std::ostream& out_;
    std::vector<KeyBinding> keys_;
    std::u16string cancel_;
    bool interactive_;
};

}  // namespace plugsweep
