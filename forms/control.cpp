#include "forms/control.h"

#include "forms/frame.h"

namespace forms {

Control::Control(Container& parent, std::u16string name) : parent_(parent), name_(std::move(name)) {
    parent.children_.push_back(this);
    parent.form().controls_.push_back(this);
}

void placeOnForm(const Control& control, double& left, double& top) {
    left = control.Left();
    top = control.Top();
    for (const Container* parent = &control.Parent(); parent;) {
        const auto* frame = dynamic_cast<const Frame*>(parent);
        if (!frame) break;
        left += frame->Left();
        top += frame->Top();
        parent = &frame->Parent();
    }
}

void CaptionedControl::setCaption(std::u16string value) {
    if (value == caption_) return;
    caption_ = std::move(value);
    ++form().captionChanges_;
}

}  // namespace forms
