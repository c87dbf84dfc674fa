#include "forms/control.h"

namespace forms {

Control::Control(Container& parent, std::u16string name) : parent_(parent), name_(std::move(name)) {
    parent.children_.push_back(this);
    parent.form().controls_.push_back(this);
}

}  // namespace forms
