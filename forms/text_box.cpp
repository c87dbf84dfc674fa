#include "forms/text_box.h"

namespace forms {

void TextBox::setText(std::u16string value) {
    if (value == text_) return;
    text_ = std::move(value);
    raise(onChange);
}

}  // namespace forms
