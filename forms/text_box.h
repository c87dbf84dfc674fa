#pragma once
// TextBox: a line or box of text the user can type into.
#include "forms/control.h"

namespace forms {

class TextBox : public Control {
public:
    using Control::Control;
    ControlType type() const override { return ControlType::TextBox; }

    const std::u16string& Text() const { return text_; }
    // A change of text raises Change, from code as from the user.
    void setText(std::u16string value);
    const std::u16string& Value() const { return text_; }
    void setValue(std::u16string value) { setText(std::move(value)); }

    bool MultiLine() const { return multiLine_; }
    void setMultiLine(bool value) { multiLine_ = value; }
    bool Locked() const { return locked_; }  // read-only for the user
    void setLocked(bool value) { locked_ = value; }

    std::function<void()> onChange;

private:
    std::u16string text_;
    bool multiLine_ = false;
    bool locked_ = false;
};

}  // namespace forms
