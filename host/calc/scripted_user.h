#pragma once
// The user of a UI script: when CELLWASH_UI_SCRIPT names a file, Calc's dialogs take their
// user's actions from it instead of waiting for a person, one action a line, in the command
// line's words:
//
//   set CONTROL=VALUE   a check box or option button (true/false) or a text or combo box
//   click CONTROL       a click on a control of the tool dialog
//   read CONTROL        appends "CONTROL: its text" to the log (a count tool's figures)
//   yes | no            then answers the tool dialog (frmMain's Yes/No, frmDupPrev's buttons)
//   stop-after N        presses the running tool's Stop button at its N-th yield
//   answer yes|no       the answer to message boxes that offer it (others are dismissed)
//
// Blank lines and lines starting with "#" are skipped. Every other window (the message window,
// the tour) is read and closed. Every text the message window or a message box shows is
// appended, one line each, to the file named by CELLWASH_UI_LOG (when set).
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ui_driver.h"

namespace host::calc {

struct UiScript {
    std::vector<forms::UserAction> dialogActions;  // the set, click and read lines, in order
    std::optional<bool> confirm;                   // yes (true) or no (false)
    std::optional<int> answer;                     // forms::vbYes or forms::vbNo
    std::optional<int> stopAfter;                  // the yield at which Stop is pressed
};

// A line the script language does not know; the message names the line.
class UiScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

UiScript parseUiScript(std::string_view text);

// Appends texts to the log file, one line each (line breaks inside a text become spaces).
class UiLog {
public:
    explicit UiLog(std::filesystem::path file = {}) : file_(std::move(file)) {}
    void write(const std::u16string& text) const;
    bool enabled() const { return !file_.empty(); }

private:
    std::filesystem::path file_;
};

class ScriptedUser : public forms::UiDriver {
public:
    ScriptedUser(UiScript script, UiLog log);

    std::optional<forms::UserAction> nextAction(forms::Form& top) override;
    std::vector<forms::UserAction> doEvents(forms::Form* top) override;
    int msgBox(const forms::MsgBoxRequest& request) override;
    void formShown(forms::Form& form) override;

    bool pressedStop() const { return pressedStop_; }

private:
    UiScript script_;
    UiLog log_;
    size_t nextDialogAction_ = 0;
    bool dialogDone_ = false;
    int yields_ = 0;
    bool pressedStop_ = false;
};

// The script and log the environment names: nothing when CELLWASH_UI_SCRIPT is not set.
// Throws UiScriptError when the script cannot be read or holds an unknown line.
struct ScriptedSetting {
    UiScript script;
    UiLog log;
};
std::optional<ScriptedSetting> scriptFromEnvironment();

}  // namespace host::calc
