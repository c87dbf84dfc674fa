#include "forms/runtime.h"

#include <vector>

#include "base/text.h"
#include "forms/combo_box.h"
#include "forms/form.h"
#include "forms/script_error.h"
#include "forms/text_box.h"
#include "forms/toggle_controls.h"

namespace forms {

namespace {

// The driver when none is installed: nobody at the screen.
class NoUserDriver : public UiDriver {
public:
    std::optional<UserAction> nextAction(Form&) override { return std::nullopt; }
    std::vector<UserAction> doEvents(Form*) override { return {}; }
    int msgBox(const MsgBoxRequest& request) override { return request.dismissAnswer(); }
};

NoUserDriver noUser;
UiDriver* installed = &noUser;
std::vector<Form*> modalStack;

class ModalEntry {
public:
    explicit ModalEntry(Form& form) { modalStack.push_back(&form); }
    ~ModalEntry() { modalStack.pop_back(); }
};

Control& controlFor(Form& form, const UserAction& action) {
    Control* c = form.control(action.control);
    if (!c) throw ScriptError("no control " + base::utf8(action.control) + " on " + base::utf8(form.Name()));
    return *c;
}

[[noreturn]] void unfit(const Control& c, const UserAction& action) {
    throw ScriptError("control " + base::utf8(c.Name()) + " cannot take " + base::utf8(describe(action)));
}

bool setValue(Control& c, const UserAction& action) {
    if (c.type() == ControlType::CheckBox) {
        static_cast<CheckBox&>(c).setValue(action.flag);
        return true;
    }
    if (c.type() == ControlType::OptionButton && action.flag) {
        static_cast<OptionButton&>(c).setValue(true);
        return true;
    }
    unfit(c, action);
}

bool setText(Control& c, const UserAction& action) {
    if (c.type() == ControlType::TextBox) {
        auto& box = static_cast<TextBox&>(c);
        if (box.Locked()) return false;
        box.setText(action.text);
        return true;
    }
    if (c.type() == ControlType::ComboBox) {
        auto& combo = static_cast<ComboBox&>(c);
        combo.setText(action.text);
        return true;
    }
    unfit(c, action);
}

bool pick(Control& c, const UserAction& action) {
    if (c.type() != ControlType::ComboBox) unfit(c, action);
    auto& combo = static_cast<ComboBox&>(c);
    if (action.number < 0 || action.number >= combo.ListCount()) unfit(c, action);
    combo.userPick(action.number);
    return true;
}

bool onControl(Form& form, const UserAction& action) {
    Control& c = controlFor(form, action);
    if (!c.isUsable()) return false;
    switch (action.kind) {
    case ActionKind::Click: c.userClick(); return true;
    case ActionKind::SetValue: return setValue(c, action);
    case ActionKind::SelectOption:
        if (c.type() != ControlType::OptionButton) unfit(c, action);
        static_cast<OptionButton&>(c).setValue(true);
        return true;
    case ActionKind::SetText: return setText(c, action);
    case ActionKind::PickListEntry: return pick(c, action);
    case ActionKind::MouseDown: c.raiseMouseDown(action.number, 0, action.x, action.y); return true;
    case ActionKind::MouseMove: c.raiseMouseMove(action.number, 0, action.x, action.y); return true;
    default: return false;
    }
}

}  // namespace

UiDriver& driver() { return *installed; }

DriverScope::DriverScope(UiDriver& driver) : previous_(installed) { installed = &driver; }
DriverScope::~DriverScope() { installed = previous_; }

Form* activeForm() { return modalStack.empty() ? nullptr : modalStack.back(); }

bool perform(Form& form, const UserAction& action) {
    if (!form.Loaded()) return false;
    auto keep = form.keepAlive();
    switch (action.kind) {
    case ActionKind::Move: form.Move(action.x, action.y); return true;
    case ActionKind::Resize: form.Move(form.Left(), form.Top(), action.x, action.y); return true;
    case ActionKind::Close: Unload(form); return true;
    case ActionKind::Inspect:
        if (action.inspect) action.inspect(form);
        return true;
    default: return onControl(form, action);
    }
}

void DoEvents() {
    for (const UserAction& action : driver().doEvents(activeForm())) {
        Form* top = activeForm();
        if (!top || !perform(*top, action)) driver().actionIgnored(action);
    }
}

void runModal(Form& form) {
    ModalEntry entry(form);
    ++form.modalDepth_;
    struct Leave {
        Form& f;
        ~Leave() { --f.modalDepth_; }
    } leave{form};
    form.firstLayout();  // on top already: a DoEvents in the layout handler reaches this form
    while (form.Loaded() && form.Visible()) {
        std::optional<UserAction> action = driver().nextAction(form);
        if (!action) {
            Unload(form);  // the user closes the window
            break;
        }
        if (!perform(form, *action)) driver().actionIgnored(*action);
    }
}

std::u16string describe(const UserAction& action) {
    switch (action.kind) {
    case ActionKind::Click: return u"click " + action.control;
    case ActionKind::SetValue: return u"set " + action.control + (action.flag ? u" on" : u" off");
    case ActionKind::SetText: return u"type \"" + action.text + u"\" into " + action.control;
    case ActionKind::SelectOption: return u"select " + action.control;
    case ActionKind::PickListEntry:
        return u"pick entry " + base::utf16(std::to_string(action.number)) + u" of " + action.control;
    case ActionKind::MouseDown: return u"mouse down on " + action.control;
    case ActionKind::MouseMove: return u"mouse move over " + action.control;
    case ActionKind::Move: return u"move the form";
    case ActionKind::Resize: return u"resize the form";
    case ActionKind::Close: return u"close the form";
    case ActionKind::Inspect: return u"inspect the form";
    }
    return u"?";
}

}  // namespace forms
