#include "forms/combo_box.h"

#include "base/error.h"

namespace forms {

void ComboBox::AddItem(std::u16string item) { list_.push_back(std::move(item)); }

void ComboBox::Clear() {
    list_.clear();
    select(-1, u"");
}

const std::u16string& ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount())
        throw base::Error(381, "Could not get the List property. Invalid property array index.");
    return list_[static_cast<std::size_t>(index)];
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= ListCount())
        throw base::Error(380, "Could not set the ListIndex property. Invalid property value.");
    select(index, index < 0 ? std::u16string() : list_[static_cast<std::size_t>(index)]);
}

void ComboBox::setText(std::u16string value) {
    int index = -1;
    for (int i = 0; i < ListCount(); ++i)
        if (list_[static_cast<std::size_t>(i)] == value) {
            index = i;
            break;
        }
    select(index, std::move(value));
}

void ComboBox::userPick(int index) {
    setListIndex(index);
    raiseClick();
}

void ComboBox::select(int index, std::u16string text) {
    if (index == listIndex_ && text == text_) return;
    listIndex_ = index;
    text_ = std::move(text);
    raise(onChange);
}

}  // namespace forms
