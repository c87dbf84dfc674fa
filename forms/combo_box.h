#pragma once
// ComboBox: a drop-down list with a text part.
#include <vector>

#include "forms/control.h"

namespace forms {

enum ComboStyle { fmStyleDropDownCombo = 0, fmStyleDropDownList = 2 };

class ComboBox : public Control {
public:
    using Control::Control;
    ControlType type() const override { return ControlType::ComboBox; }

    void AddItem(std::u16string item);
    void Clear();
    int ListCount() const { return static_cast<int>(list_.size()); }
    const std::u16string& List(int index) const;  // error 381 outside the list

    // Position of the selected entry, -1 for none. Setting it selects that entry; a position
    // outside -1 .. ListCount - 1 fails with error 380. A change raises Change.
    int ListIndex() const { return listIndex_; }
    void setListIndex(int index);

    // The text part: the selected entry, or what was typed. Setting it selects the first
    // entry with that text, or none. A change raises Change.
    const std::u16string& Text() const { return text_; }
    void setText(std::u16string value);
    const std::u16string& Value() const { return text_; }

    int Style() const { return style_; }
    void setStyle(int value) { style_ = value; }

    // The user picks an entry: as setListIndex, then Click.
    void userPick(int index);
    void userClick() override {}  // opening the list changes nothing

    std::function<void()> onChange;

private:
    void select(int index, std::u16string text);

    std::vector<std::u16string> list_;
    int listIndex_ = -1;
    std::u16string text_;
    int style_ = fmStyleDropDownCombo;
};

}  // namespace forms
