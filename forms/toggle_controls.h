#pragma once
// CheckBox and OptionButton: controls with an on/off Value.
#include "forms/control.h"

namespace forms {

class CheckBox : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    ControlType type() const override { return ControlType::CheckBox; }

    bool Value() const { return value_; }
    // A change of value raises Change and then Click, from code as from the user.
    void setValue(bool value);
    void userClick() override { setValue(!value_); }

    std::function<void()> onChange;

private:
    bool value_ = false;
};

// Option buttons form one group per container: selecting one clears the others.
class OptionButton : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    ControlType type() const override { return ControlType::OptionButton; }

    bool Value() const { return value_; }
    // Selecting clears the other options of the container (each raises Change), then raises
    // Change and Click on this one. Clearing raises Change only. No change, no event.
    void setValue(bool value);
    void userClick() override { setValue(true); }

    std::function<void()> onChange;

private:
    void change(bool value);
    bool value_ = false;
};

}  // namespace forms
