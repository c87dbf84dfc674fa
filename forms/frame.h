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

}  // namespace forms
