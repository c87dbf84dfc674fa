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
//
// A person's command runs on a thread of its own (MainThread::startWorker, see main_thread.h):
// while a dialog waits, this thread sleeps on the window events and Calc's main loop runs
// freely; windows are made, updated and closed, and message boxes run, on the main thread.
// Called on Calc's main thread instead, the dialog waits by giving the loop a turn
// (the toolkit's reschedule) between short rests, which starves other callers of Calc.
#include <chrono>
#include <com/sun/star/awt/MessageBoxType.hpp>
#include <com/sun/star/awt/XToolkit2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <map>
#include <memory>

#include "forms/ui_driver.h"
#include "host/calc/main_thread.h"
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
    int showMessageBox(const forms::MsgBoxRequest& request, css::awt::MessageBoxType type, sal_Int32 buttons);

    static constexpr std::chrono::milliseconds kRefreshInterval{40};

    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XFrame> frame_;
    MainThread main_;
    bool ownThread_;  // the command runs on a thread of its own
    Reference<css::awt::XToolkit2> toolkit_;
    std::shared_ptr<DialogInbox> inbox_;
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    bool calcDisabled_ = false;
    std::chrono::steady_clock::time_point lastRefresh_;
};

}  // namespace host::calc
