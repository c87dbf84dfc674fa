#include "dialog/layout_steps.h"

#include <stdexcept>

#include "dialog/frm_main.h"
#include "forms/text_box.h"
#include "forms/toggle_controls.h"
#include "host/application.h"
#include "host/range.h"
#include "host/text.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"

namespace dialog {

namespace {

forms::Control& controlNamed(FrmMain& form, std::u16string_view name) {
    forms::Control* c = form.control(name);
    if (!c) throw std::logic_error("frmMain has no control " + host::utf8(name));
    return *c;
}

template <class T>
T& as(forms::Control& c) {
    if (auto* typed = dynamic_cast<T*>(&c)) return *typed;
    throw std::logic_error("control " + host::utf8(c.Name()) + " cannot take this set-up step");
}

void setChecked(forms::Control& c, bool on) {
    if (auto* option = dynamic_cast<forms::OptionButton*>(&c))
        option->setValue(on);
    else
        as<forms::CheckBox>(c).setValue(on);
}

void apply(FrmMain& form, const LayoutStep& step) {
    if (step.op == LayoutOp::Special) {
        step.special(form);
        return;
    }
    forms::Control& c = controlNamed(form, step.control);
    switch (step.op) {
    case LayoutOp::Caption: as<forms::CaptionedControl>(c).setCaption(std::u16string(step.text)); break;
    case LayoutOp::Text: as<forms::TextBox>(c).setText(std::u16string(step.text)); break;
    case LayoutOp::Show: c.setVisible(true); break;
    case LayoutOp::Hide: c.setVisible(false); break;
    case LayoutOp::Enable: c.setEnabled(true); break;
    case LayoutOp::Disable: c.setEnabled(false); break;
    case LayoutOp::Tick: setChecked(c, true); break;
    case LayoutOp::Clear: setChecked(c, false); break;
    case LayoutOp::Height: c.setHeight(step.number); break;
    case LayoutOp::Top: c.setTop(step.number); break;
    case LayoutOp::SelectionCount: as<forms::CaptionedControl>(c).setCaption(selectionCountText()); break;
    case LayoutOp::Special: break;
    }
}

}  // namespace

const SetUpRow* findSetUpRow(std::span<const SetUpRow> table, std::u16string_view commandKey) {
    for (const SetUpRow& row : table)
        if (row.commandKey == commandKey) return &row;
    return nullptr;
}

void applyLayoutSteps(FrmMain& form, std::span<const LayoutStep> steps) {
    for (const LayoutStep& step : steps) shell::resumeNext([&] { apply(form, step); });
}

std::u16string decimalText(long long value) { return host::utf16(std::to_string(value)); }

std::u16string selectionCountText() {
    const host::RangePtr selection = shell::hostApplication->Selection();
    if (!selection) throw host::Error(host::errObjectRequired, "Object required");
    return decimalText(selection->Count());
}

}  // namespace dialog
