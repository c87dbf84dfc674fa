#pragma once
// Frame: a captioned box that holds controls. Hiding or disabling it hides or disables
// everything inside, as the user sees it; the children's own properties are unchanged.
#include "forms/container.h"
#include "forms/control.h"

namespace forms {

class Frame : public CaptionedControl, public Container {
public:
    Frame(Container& parent, std::u16string name) : CaptionedControl(parent, std::move(name)) {}
    ControlType type() const override { return ControlType::Frame; }
    Form& form() override { return Control::form(); }
    bool isShown() const override { return Control::isShown(); }
    bool isUsable() const override { return Control::isUsable(); }
};

// A control's place on its form in points: its own Left and Top plus those of the frames it
// sits in, as a window that draws the whole form flat needs it.
void placeOnForm(const Control& control, double& left, double& top);

}  // namespace forms
