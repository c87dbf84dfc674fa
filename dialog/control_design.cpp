#include "dialog/control_design.h"

#include <stdexcept>
#include <string>

#include "forms/control.h"
#include "forms/text_box.h"
#include "forms/toggle_controls.h"
#include "host/text.h"

namespace dialog {

namespace {

void applyText(forms::Control& c, std::u16string_view text) {
    if (auto* box = dynamic_cast<forms::TextBox*>(&c))
        box->setText(std::u16string(text));
    else if (auto* captioned = dynamic_cast<forms::CaptionedControl*>(&c))
        captioned->setCaption(std::u16string(text));
}

void applyValue(forms::Control& c, bool on) {
    if (auto* check = dynamic_cast<forms::CheckBox*>(&c))
        check->setValue(on);
    else if (auto* option = dynamic_cast<forms::OptionButton*>(&c))
        option->setValue(on);
}

}  // namespace

void applyDesign(forms::Form& form, std::span<const ControlDesign> table) {
    for (const ControlDesign& row : table) {
        forms::Control* c = form.control(row.name);
        if (!c) throw std::logic_error("no control " + host::utf8(row.name) + " on " + host::utf8(form.Name()));
        applyText(*c, row.caption);
        c->setLeft(row.left);
        c->setTop(row.top);
        c->setWidth(row.width);
        c->setHeight(row.height);
        c->setVisible(!(row.flags & Hidden));
        c->setEnabled(!(row.flags & Disabled));
        applyValue(*c, (row.flags & On) != 0);
    }
}

}  // namespace dialog
