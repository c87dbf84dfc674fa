#pragma once
// The forms runtime: the installed UiDriver, the stack of modal forms, DoEvents and the
// dispatch of user actions to controls.
#include "forms/ui_driver.h"
#include "forms/user_action.h"

namespace forms {

class Form;

// The installed driver; without one, a driver with no user: every modal form is closed at
// once and every message box dismissed.
UiDriver& driver();

// Installs a driver for the life of the scope and restores the previous one after.
class DriverScope {
public:
    explicit DriverScope(UiDriver& driver);
    ~DriverScope();
    DriverScope(const DriverScope&) = delete;
    DriverScope& operator=(const DriverScope&) = delete;

private:
    UiDriver* previous_;
};

// Dispatches the actions that are already pending, then returns; never blocks. The only
// moment a click reaches the add-in while one of its routines runs.
void DoEvents();

// The modal form on top, or nullptr.
Form* activeForm();

// Applies a user action to `form`. False when it cannot take effect (hidden or disabled
// control); throws ScriptError when the control does not exist or cannot take the action.
bool perform(Form& form, const UserAction& action);

// The modal loop behind Form::Show.
void runModal(Form& form);

}  // namespace forms
