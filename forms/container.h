#pragma once
// Container: something that holds controls — a Form or a Frame.
#include <vector>

namespace forms {

class Form;
class Control;

class Container {
public:
    virtual ~Container() = default;
    virtual Form& form() = 0;
    // Shown and usable as the user sees it: a hidden or disabled container hides or
    // disables everything inside it, whatever the children's own properties say.
    virtual bool isShown() const = 0;
    virtual bool isUsable() const = 0;
    const std::vector<Control*>& children() const { return children_; }

private:
    friend class Control;
    std::vector<Control*> children_;
};

}  // namespace forms
