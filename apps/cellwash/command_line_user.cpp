#include "apps/cellwash/command_line_user.h"

#include "forms/form.h"
#include "forms/msg_box.h"
#include "forms/simple_controls.h"
#include "host/text.h"

namespace cli {

namespace {

// The add-in's own tool dialogs take the command line's options; every other window (the
// message window, the tool tour, the feedback page) is read and closed.
bool isToolDialog(const forms::Form& form) { return form.Name() == u"frmMain" || form.Name() == u"frmDupPrev"; }

// The buttons that answer a tool dialog: frmMain's Yes and No, the duplicate preventer's
// apply and close.
forms::UserAction answerOf(const forms::Form& form, bool yes) {
    forms::UserAction click;
    if (form.Name() == u"frmDupPrev")
        click.control = yes ? u"Command1" : u"Command2";
    else
        click.control = yes ? u"cmdYes" : u"cmdNo";
    return click;
}

bool isAnswerClick(const forms::Form& form, const forms::UserAction& action) {
    return action.kind == forms::ActionKind::Click &&
           (action.control == answerOf(form, true).control || action.control == answerOf(form, false).control);
}

// Why the dialog cannot take `action` as the command line gave it, in the command line's
// terms; nothing when it can.
std::optional<std::string> unfitFor(const forms::Form& dialog, const forms::UserAction& action) {
    const std::string name = host::utf8(action.control);
    const forms::Control* control = dialog.control(action.control);
    if (!control) return "the dialog has no control " + name;
    const auto type = control->type();
    const bool onOff = type == forms::ControlType::CheckBox || type == forms::ControlType::OptionButton;
    const bool text = type == forms::ControlType::TextBox || type == forms::ControlType::ComboBox;
    switch (action.kind) {
    case forms::ActionKind::SetValue:
        if (type == forms::ControlType::OptionButton && !action.flag)
            return name + " is an option button: it is cleared by setting another of its group to true";
        if (!onOff)
            return name + (text ? " takes a text: --set " + name + "=TEXT" : " takes no value: --click " + name);
        return std::nullopt;
    case forms::ActionKind::SetText:
        if (onOff)
            return name + " is " + (type == forms::ControlType::CheckBox ? "a check box" : "an option button") +
                   ": --set " + name + "=true or =false, not \"" + host::utf8(action.text) + "\"";
        if (!text) return name + " takes no value: --click " + name;
        return std::nullopt;
    default: return std::nullopt;
    }
}

}  // namespace

bool isProgressCaption(const std::u16string& caption) {
    if (caption.size() < 3 || caption.compare(caption.size() - 2, 2, u" %") != 0) return false;
    const char16_t digit = caption[caption.size() - 3];
    return digit >= u'0' && digit <= u'9';
}

std::optional<forms::UserAction> CommandLineUser::nextAction(forms::Form& top) {
    if (!isToolDialog(top)) return std::nullopt;  // closes the window
    if (dialogDone_) {
        // Answered, yet still up: the tool refused what the dialog held and waits for the user.
        leftOpen_ = leftOpen_ || !answeredWith_.empty();
        return std::nullopt;
    }
    if (nextDialogAction_ < script_.dialogActions.size()) {
        const forms::UserAction& action = script_.dialogActions[nextDialogAction_++];
        if (auto problem = unfitFor(top, action)) {
            unfit_ = std::move(problem);
            dialogDone_ = true;
            return std::nullopt;  // closes the dialog: the tool does not run
        }
        if (isAnswerClick(top, action)) {  // the script pressed Yes or No itself
            dialogDone_ = true;
            answeredWith_ = action.control;
            dialogAtClose_ = forms::snapshot(top);
        }
        return action;
    }
    dialogDone_ = true;
    dialogAtClose_ = forms::snapshot(top);
    if (!script_.confirm) return std::nullopt;
    auto answer = answerOf(top, *script_.confirm);
    answeredWith_ = answer.control;
    return answer;
}

bool CommandLineUser::answeredYes() const { return answeredWith_ == u"cmdYes" || answeredWith_ == u"Command1"; }

std::vector<forms::UserAction> CommandLineUser::doEvents(forms::Form* top) {
    ++yields_;
    if (top) recordProgress(*top);
    if (!top || !script_.stopAtYield || *script_.stopAtYield != yields_) return {};
    for (const auto* control : top->controls())
        if (control->Visible() && control->Name().find(u"Stop") != std::u16string::npos) {
            forms::UserAction stop;
            stop.control = control->Name();
            pressedStop_ = true;
            return {stop};
        }
    return {};
}

void CommandLineUser::recordProgress(forms::Form& top) {
    const bool known = labelsOf_.lock().get() == &top && labelsOfControls_ == top.controls().size();
    if (known && labelsSeenAt_ == top.captionChanges()) return;  // no caption changed since
    labelsSeenAt_ = top.captionChanges();
    if (!known) {
        labels_.clear();
        for (const auto* control : top.controls())
            if (control->type() == forms::ControlType::Label)
                labels_.push_back(static_cast<const forms::Label*>(control));
        labelsOf_ = top.keepAlive();
        labelsOfControls_ = top.controls().size();
    }
    for (const auto* label : labels_) {
        const std::u16string& caption = label->Caption();
        if (!isProgressCaption(caption) || (!progress_.empty() && progress_.back() == caption)) continue;
        progress_.push_back(caption);
        if (onProgress) onProgress(caption);
    }
}

int CommandLineUser::msgBox(const forms::MsgBoxRequest& request) {
    boxes_.push_back(request);
    const int answer = script_.answer && request.allows(*script_.answer) ? *script_.answer : request.dismissAnswer();
    answers_.push_back(answer);
    return answer;
}

void CommandLineUser::formShown(forms::Form& form) { shown_.push_back(forms::snapshot(form)); }

void CommandLineUser::actionIgnored(const forms::UserAction& action) { ignored_.push_back(forms::describe(action)); }

}  // namespace cli
