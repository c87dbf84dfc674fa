#pragma once
// FormSnapshot: what a form shows at one moment, kept after the form is gone.
#include <map>
#include <string>

namespace forms {

class Form;

struct FormSnapshot {
    std::u16string form;     // the form's name
    std::u16string caption;  // its title
    // Per control: the caption, the text of a text or combo box, the address of a browser.
    std::map<std::u16string, std::u16string> texts;
    // The controls the user can see (hidden frames hide their children).
    std::map<std::u16string, bool> shown;

    // The text of `control`; throws std::out_of_range for a name the form does not have.
    const std::u16string& text(const std::u16string& control) const { return texts.at(control); }
};

FormSnapshot snapshot(const Form& form);

}  // namespace forms
