#pragma once
// ScriptedDriver: a UiDriver that plays a queue of user actions, for tests.
//
//   forms::ScriptedDriver user;
//   user.setValue(u"chkCleanWhiteSpaces", false).click(u"cmdYes")
//       .click(u"cmdDO1to4Stop").atDoEvents(3)
//       .answer(forms::vbYes);
//   forms::DriverScope scope(user);
//
// A modal form takes the first action that is not waiting for a DoEvents; an action bound
// with atDoEvents(k) is delivered by the k-th DoEvents (or the first one after it). When a
// modal form finds no action left for it, the user closes it, so a script can never hang.
// A message box takes the queued answer when that is the next action, and is otherwise
// dismissed (see MsgBoxRequest::dismissAnswer). Everything shown is recorded.
#include <deque>
#include <functional>
#include <vector>

#include "forms/snapshot.h"
#include "forms/ui_driver.h"

namespace forms {

class ScriptedDriver : public UiDriver {
public:
    ScriptedDriver& click(std::u16string control);
    ScriptedDriver& setValue(std::u16string control, bool value);
    ScriptedDriver& setText(std::u16string control, std::u16string text);
    ScriptedDriver& selectOption(std::u16string control);
    ScriptedDriver& pickListEntry(std::u16string control, int index);
    ScriptedDriver& mouseDown(std::u16string control, int button = 1, double x = 0, double y = 0);
    ScriptedDriver& mouseMove(std::u16string control, double x = 0, double y = 0);
    ScriptedDriver& moveForm(double left, double top);
    ScriptedDriver& resizeForm(double width, double height);
    ScriptedDriver& closeForm();
    ScriptedDriver& inspect(std::function<void(Form&)> look);
    ScriptedDriver& answer(int result);  // vbYes, vbNo, vbOK...

    // Modifiers of the action queued last.
    ScriptedDriver& atDoEvents(int k);            // k counts from 1 for this driver
    ScriptedDriver& on(std::u16string formName);  // meant for this form: another on top is an error

    // Called at every DoEvents with its number and the form on top (nullptr for none).
    std::function<void(int k, Form* top)> onDoEvents;

    int doEventsCount() const { return doEventsCount_; }
    std::size_t remaining() const { return queue_.size(); }
    const std::vector<MsgBoxRequest>& messageBoxes() const { return messageBoxes_; }
    const std::vector<FormSnapshot>& shownForms() const { return shownForms_; }
    const std::vector<std::u16string>& ignoredActions() const { return ignored_; }

    std::optional<UserAction> nextAction(Form& top) override;
    std::vector<UserAction> doEvents(Form* top) override;
    int msgBox(const MsgBoxRequest& request) override;
    void formShown(Form& form) override;
    void actionIgnored(const UserAction& action) override;

private:
    struct Step {
        UserAction action;
        int atDoEvents = 0;
        std::u16string form;
        bool isAnswer = false;
        int answer = 0;
    };
    ScriptedDriver& queue(UserAction action);
    Step& last();
    void checkForm(const Step& step, const Form* top) const;

    std::deque<Step> queue_;
    int doEventsCount_ = 0;
    std::vector<MsgBoxRequest> messageBoxes_;
    std::vector<FormSnapshot> shownForms_;
    std::vector<std::u16string> ignored_;
};

}  // namespace forms
