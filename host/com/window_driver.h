#pragma once
// WindowDriver: the add-in's forms as real Win32 windows on the host's thread. A shown form
// becomes a window of class "CellwashForm" with one child window per control (labels as static
// text, buttons, check boxes and option buttons as buttons, text boxes as edits, combo boxes,
// captioned frames as group boxes), placed and sized from the form's design in points at the
// screen's resolution, in the font and size the design gives. The windows are kept in step with
// the forms before every wait and at every DoEvents; what the user does in them (a click, typing,
// a pick, the close box) becomes the runtime's user actions. Message boxes are MessageBoxW.
//
// The windows belong to the host's main window (its Application.Hwnd, given by setOwnerWindow):
// each form's window is owned by the form shown before it that is still open, or by the host's
// window, so it stays above them. While a modal form is on screen the host's window is disabled,
// as the host's own dialogs do, and enabled again when the last modal form has closed. A message
// box is owned by the form on top, or by the host's window.
//
// A borderless form (the driver is told which by name) has no caption bar: pressing the left
// button on one of its controls that handles MouseDown (frmMain's title strip and header) raises
// MouseDown and then hands the window to the system as a caption drag — ReleaseCapture, and
// SendMessage with 161 (WM_NCLBUTTONDOWN) and 2 (HTCAPTION).
#include <windows.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "forms/ui_driver.h"

namespace forms {
class Control;
}

namespace host::com {

class WindowDriver : public forms::UiDriver {
public:
    explicit WindowDriver(std::vector<std::u16string> borderlessForms = {});
    ~WindowDriver() override;

    std::optional<forms::UserAction> nextAction(forms::Form& top) override;
    std::vector<forms::UserAction> doEvents(forms::Form* top) override;
    int msgBox(const forms::MsgBoxRequest& request) override;
    void formShown(forms::Form& form) override;
    void formClosed(forms::Form& form) override;

    // The window showing `form`, or nullptr.
    HWND windowOf(const forms::Form& form) const;
    // The host's main window (nullptr: none known; the forms' windows are then unowned).
    void setOwnerWindow(HWND host) { host_ = host; }
    HWND ownerWindow() const { return host_; }

private:
    struct Applied {
        int visible = -1, enabled = -1, checked = -1;
        std::u16string text;
        bool textKnown = false;
    };
    struct FormWindow {
        HWND window = nullptr;
        std::map<const forms::Control*, Applied> applied;
        std::map<int, forms::Control*> controls;  // by child id
        std::map<const forms::Control*, HWND> children;
    };
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void refresh(forms::Form& form);
    FormWindow* find(HWND window);
    HFONT fontFor(const std::u16string& name, double size, bool bold);

    std::map<const forms::Form*, FormWindow> windows_;
    std::deque<std::pair<const forms::Form*, forms::UserAction>> pending_;
    std::map<std::pair<std::u16string, int>, HFONT> fonts_;
    bool refreshing_ = false;  // our own updates of a window are nobody's action
    std::vector<std::u16string> borderless_;
    HWND host_ = nullptr;
    std::vector<const forms::Form*> shownOrder_;  // forms with a window, in the order they were shown
    std::vector<const forms::Form*> modal_;       // of those, the ones shown modally
    bool hostDisabled_ = false;                   // we disabled the host's window (it was enabled)
};

// The driver for the add-in's forms while the host raises an event of its own (a command bar
// button's Click): set by the connected add-in, nullptr when none.
WindowDriver* hostEventDriver();
void setHostEventDriver(WindowDriver* driver);

}  // namespace host::com
