#pragma once
// Design-time state of a form's controls as a table: one row per control, applied by name
// when the form is created.
#include <span>
#include <string_view>

#include "forms/form.h"

namespace dialog {

enum DesignFlag : unsigned {
    Shown = 0,
    Hidden = 1u << 0,
    Disabled = 1u << 1,
    On = 1u << 2,  // a check box ticked, an option button selected
};

struct ControlDesign {
    std::u16string_view name;
    std::u16string_view caption;      // the caption, or the text of a text box
    double left, top, width, height;  // points, relative to the container
    unsigned flags = Shown;
};

// Applies each row to the control of that name; a name the form lacks is a logic error.
void applyDesign(forms::Form& form, std::span<const ControlDesign> table);

}  // namespace dialog
