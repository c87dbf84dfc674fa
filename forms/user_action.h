#pragma once
// UserAction: one thing the user does to the form on top — what a driver delivers.
#include <functional>
#include <string>

namespace forms {

class Form;

enum class ActionKind {
    Click,          // click a control (a check box toggles, an option button selects)
    SetValue,       // set a check box or option button to `flag`
    SetText,        // type `text` into a text box or combo box
    SelectOption,   // select an option button
    PickListEntry,  // pick entry `number` of a combo box's list
    MouseDown,      // press mouse button `number` on a control at (x, y)
    MouseMove,      // move the mouse over a control at (x, y)
    Move,           // move the form to left x, top y
    Resize,         // resize the form to width x, height y
    Close,          // close the form with its close box
    Inspect,        // not a user action: lets a test look at (or change) the form on top
};

struct UserAction {
    ActionKind kind = ActionKind::Click;
    std::u16string control;
    bool flag = false;
    std::u16string text;
    int number = 0;
    double x = 0, y = 0;
    std::function<void(Form&)> inspect;
};

std::u16string describe(const UserAction& action);  // for messages about a script

}  // namespace forms
