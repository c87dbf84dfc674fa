#include "forms/toggle_controls.h"

namespace forms {

void CheckBox::setValue(bool value) {
    if (value == value_) return;
    value_ = value;
    raise(onChange);
    raiseClick();
}

void OptionButton::change(bool value) {
    value_ = value;
    raise(onChange);
}

void OptionButton::setValue(bool value) {
    if (value == value_) return;
    if (!value) {
        change(false);
        return;
    }
    for (Control* sibling : Parent().children()) {
        if (sibling == this || sibling->type() != ControlType::OptionButton) continue;
        auto* option = static_cast<OptionButton*>(sibling);
        if (option->value_) option->change(false);
    }
    change(true);
    raiseClick();
}

}  // namespace forms
