#include "forms/snapshot.h"

#include "forms/combo_box.h"
#include "forms/form.h"
#include "forms/text_box.h"
#include "forms/web_browser.h"

namespace forms {

namespace {

std::u16string displayText(const Control& c) {
    switch (c.type()) {
    case ControlType::TextBox: return static_cast<const TextBox&>(c).Text();
    case ControlType::ComboBox: return static_cast<const ComboBox&>(c).Text();
    case ControlType::WebBrowser: return static_cast<const WebBrowser&>(c).LocationURL();
    case ControlType::Image: return u"";
    default: return static_cast<const CaptionedControl&>(c).Caption();
    }
}

}  // namespace

FormSnapshot snapshot(const Form& form) {
    FormSnapshot shot{form.Name(), form.Caption(), {}, {}};
    for (const Control* c : form.controls()) {
        shot.texts[c->Name()] = displayText(*c);
        shot.shown[c->Name()] = c->isShown();
    }
    return shot;
}

}  // namespace forms
