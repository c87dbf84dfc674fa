#pragma once
// UiDriver: where the user's actions come from — a script in tests, the command line's
// driver, or a window system. The forms runtime asks it; it never calls into the add-in.
#include <optional>
#include <vector>

#include "forms/msg_box.h"
#include "forms/user_action.h"

namespace forms {

class Form;

class UiDriver {
public:
    virtual ~UiDriver() = default;

    // The next action for the modal form `top`; may wait for the user. Nothing means the
    // user closes the form.
    virtual std::optional<UserAction> nextAction(Form& top) = 0;
    // The actions that have arrived by now, taken at a DoEvents; never waits. `top` is the
    // form on top, or nullptr when no form is on screen.
    virtual std::vector<UserAction> doEvents(Form* top) = 0;
    // The user's answer to a message box.
    virtual int msgBox(const MsgBoxRequest& request) = 0;

    // Notifications for renderers and recorders.
    virtual void formShown(Form&) {}
    virtual void formClosed(Form&) {}
    // An action that could not take effect (the control is hidden or disabled, or no form
    // is on screen), as a click on a greyed-out button has none.
    virtual void actionIgnored(const UserAction&) {}
};

}  // namespace forms
