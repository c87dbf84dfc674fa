#include "forms/scripted_driver.h"

#include "base/text.h"
#include "forms/form.h"
#include "forms/script_error.h"

namespace forms {

namespace {

UserAction actionOf(ActionKind kind, std::u16string control = {}) {
    UserAction action;
    action.kind = kind;
    action.control = std::move(control);
    return action;
}

}  // namespace

ScriptedDriver& ScriptedDriver::queue(UserAction action) {
    queue_.push_back(Step{std::move(action), 0, {}, false, 0});
    return *this;
}

ScriptedDriver& ScriptedDriver::click(std::u16string control) {
    return queue(actionOf(ActionKind::Click, std::move(control)));
}

ScriptedDriver& ScriptedDriver::setValue(std::u16string control, bool value) {
    UserAction a = actionOf(ActionKind::SetValue, std::move(control));
    a.flag = value;
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::setText(std::u16string control, std::u16string text) {
    UserAction a = actionOf(ActionKind::SetText, std::move(control));
    a.text = std::move(text);
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::selectOption(std::u16string control) {
    return queue(actionOf(ActionKind::SelectOption, std::move(control)));
}

ScriptedDriver& ScriptedDriver::pickListEntry(std::u16string control, int index) {
    UserAction a = actionOf(ActionKind::PickListEntry, std::move(control));
    a.number = index;
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::mouseDown(std::u16string control, int button, double x, double y) {
    UserAction a = actionOf(ActionKind::MouseDown, std::move(control));
    a.number = button;
    a.x = x;
    a.y = y;
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::mouseMove(std::u16string control, double x, double y) {
    UserAction a = actionOf(ActionKind::MouseMove, std::move(control));
    a.x = x;
    a.y = y;
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::moveForm(double left, double top) {
    UserAction a = actionOf(ActionKind::Move);
    a.x = left;
    a.y = top;
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::resizeForm(double width, double height) {
    UserAction a = actionOf(ActionKind::Resize);
    a.x = width;
    a.y = height;
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::closeForm() { return queue(actionOf(ActionKind::Close)); }

ScriptedDriver& ScriptedDriver::inspect(std::function<void(Form&)> look) {
    UserAction a = actionOf(ActionKind::Inspect);
    a.inspect = std::move(look);
    return queue(std::move(a));
}

ScriptedDriver& ScriptedDriver::answer(int result) {
    queue_.push_back(Step{UserAction{}, 0, {}, true, result});
    return *this;
}

ScriptedDriver::Step& ScriptedDriver::last() {
    if (queue_.empty()) throw ScriptError("no action queued to modify");
    return queue_.back();
}

ScriptedDriver& ScriptedDriver::atDoEvents(int k) {
    Step& step = last();
    if (step.isAnswer) throw ScriptError("a message box answer cannot wait for a DoEvents");
    if (k < 1) throw ScriptError("DoEvents are counted from 1");
    step.atDoEvents = k;
    return *this;
}

ScriptedDriver& ScriptedDriver::on(std::u16string formName) {
    last().form = std::move(formName);
    return *this;
}

void ScriptedDriver::checkForm(const Step& step, const Form* top) const {
    if (step.form.empty() || (top && top->Name() == step.form)) return;
    std::string onTop = top ? base::utf8(top->Name()) : std::string("no form");
    throw ScriptError(base::utf8(describe(step.action)) + " is meant for " + base::utf8(step.form) + " but " + onTop +
                      " is on top");
}

std::optional<UserAction> ScriptedDriver::nextAction(Form& top) {
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->atDoEvents != 0) continue;
        if (it->isAnswer)
            throw ScriptError("an answer is queued but no message box is open (" + base::utf8(top.Name()) +
                              " is on top)");
        checkForm(*it, &top);
        UserAction action = std::move(it->action);
        queue_.erase(it);
        return action;
    }
    return std::nullopt;
}

std::vector<UserAction> ScriptedDriver::doEvents(Form* top) {
    ++doEventsCount_;
    if (onDoEvents) onDoEvents(doEventsCount_, top);
    std::vector<UserAction> due;
    for (auto it = queue_.begin(); it != queue_.end();) {
        if (it->atDoEvents == 0 || it->atDoEvents > doEventsCount_) {
            ++it;
            continue;
        }
        checkForm(*it, top);
        due.push_back(std::move(it->action));
        it = queue_.erase(it);
    }
    return due;
}

int ScriptedDriver::msgBox(const MsgBoxRequest& request) {
    messageBoxes_.push_back(request);
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->atDoEvents != 0) continue;
        if (!it->isAnswer) break;  // the script did not expect this box
        int result = it->answer;
        if (!request.allows(result))
            throw ScriptError("the message box \"" + base::utf8(request.prompt) + "\" has no button for answer " +
                              std::to_string(result));
        queue_.erase(it);
        return result;
    }
    return request.dismissAnswer();
}

void ScriptedDriver::formShown(Form& form) { shownForms_.push_back(snapshot(form)); }

void ScriptedDriver::actionIgnored(const UserAction& action) { ignored_.push_back(describe(action)); }

}  // namespace forms
