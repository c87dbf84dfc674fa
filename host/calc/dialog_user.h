#pragma once
// DialogUser: the person at the screen, with the add-in's forms drawn as LibreOffice dialogs
// (awt dialog models made from each form's own design: labels, buttons, check boxes, option
// buttons, text boxes, combo boxes, captioned frames, pictures; a web browser control shows
// its address as a link). A form's window opens when the form is shown and goes with it; the
// window follows the form's state (captions, values, visibility, enabled) whenever the
// runtime asks for the next action and at every DoEvents, so progress captions advance while
// a tool runs. The user's clicks, ticks, picks and typing become the runtime's user actions;
// the window's close box closes the form. While a form is up, the Calc window is disabled,
// as under a modal dialog. Message boxes are Calc's own.
#include <com/sun/star/awt/XToolkit2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <map>
#include <memory>

#include "forms/ui_driver.h"
#include "host/calc/uno_support.h"

namespace host::calc {

class FormWindow;
struct DialogInbox;

class DialogUser : public forms::UiDriver {
public:
    DialogUser(Reference<css::uno::XComponentContext> context, Reference<css::frame::XFrame> frame);
    ~DialogUser() override;

    std::optional<forms::UserAction> nextAction(forms::Form& top) override;
    std::vector<forms::UserAction> doEvents(forms::Form* top) override;
    int msgBox(const forms::MsgBoxRequest& request) override;
    void formShown(forms::Form& form) override;
    void formClosed(forms::Form& form) override;

private:
    FormWindow* windowOf(forms::Form& form);
    void refreshAll();
    void processEvents();
    void setCalcEnabled(bool enabled);

    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XFrame> frame_;
    Reference<css::awt::XToolkit2> toolkit_;
    std::shared_ptr<DialogInbox> inbox_;
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    bool calcDisabled_ = false;
};

}  // namespace host::calc
