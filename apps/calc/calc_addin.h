#pragma once
// CalcAddin: the composition root inside Calc. One per soffice process: the Calc host
// (CalcApplication), the add-in's Connect created and connected to it, and the host's ribbon
// service loaded from the add-in's ribbon definition. Calc's "Cellwash" menu and every
// vnd.cellwash:<control id> command reach the add-in through it.
//
// Calc has no COM add-in list: the add-in is connected when the first Cellwash command or
// menu state is asked for, and stays connected while soffice runs (its disconnection steps
// remove the legacy menu and the companion workbook, neither of which exists in Calc).
#include <atomic>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "host/calc/calc_application.h"
#include "host/calc/calc_ribbon.h"
#include "shell/connect.h"

namespace apps::calc {

namespace css = ::com::sun::star;

// What the menu shows for one control.
struct MenuState {
    std::u16string label;
    bool enabled = true;
    bool visible = true;
};

class CalcAddin {
public:
    // The process's add-in, created and connected on first use.
    static CalcAddin& instance(const css::uno::Reference<css::uno::XComponentContext>& context);

    // The user chose the control `controlId` in the frame `frame`: the ribbon's click, with
    // the dialogs taking their user from CELLWASH_UI_SCRIPT when it is set.
    void run(const css::uno::Reference<css::frame::XFrame>& frame, const std::u16string& controlId);
    // The menu's view of a control. While a command holds the add-in on its own thread, every
    // control shows disabled (and keeps its label): the main thread never waits for a command.
    MenuState state(const std::u16string& controlId);

    // One command at a time: true when no other command runs; release() when it has ended.
    bool claim();
    void release();

    // Called after the add-in invalidated one control (or all: an empty id), on the thread
    // that ran the add-in; the menu asks for the states again.
    void setInvalidationListener(std::function<void(const std::u16string&)> listener);

private:
    explicit CalcAddin(const css::uno::Reference<css::uno::XComponentContext>& context);

    std::recursive_mutex mutex_;
    std::atomic<bool> busy_{false};
    css::uno::Reference<css::uno::XComponentContext> context_;
    std::shared_ptr<host::calc::CalcApplication> app_;
    std::shared_ptr<shell::Connect> connect_;
    std::shared_ptr<host::calc::CalcRibbon> ribbon_;
    std::function<void(const std::u16string&)> listener_;
};

}  // namespace apps::calc
