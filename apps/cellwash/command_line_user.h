#pragma once
// The user the command line plays: it gives the tool's dialog the options from the command
// line through the dialog's own controls, presses Yes (or No), presses Stop at the N-th
// yield when asked, answers message boxes, closes the message window — and records what it
// saw: forms shown, message boxes, progress captions in order.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/snapshot.h"
#include "forms/ui_driver.h"

namespace forms {
class Label;
}

namespace cli {

struct UserScript {
    std::vector<forms::UserAction> dialogActions;  // the settings and clicks, in order
    std::optional<bool> confirm;                   // then Yes (true) or No (false), if given
    std::optional<int> answer;                     // forms::vbYes / vbNo for message boxes
    std::optional<int> stopAtYield;
};

class CommandLineUser : public forms::UiDriver {
public:
    explicit CommandLineUser(UserScript script) : script_(std::move(script)) {}

    std::optional<forms::UserAction> nextAction(forms::Form& top) override;
    std::vector<forms::UserAction> doEvents(forms::Form* top) override;
    int msgBox(const forms::MsgBoxRequest& request) override;
    void formShown(forms::Form& form) override;
    void actionIgnored(const forms::UserAction& action) override;

    const std::vector<forms::FormSnapshot>& shownForms() const { return shown_; }
    const std::vector<forms::MsgBoxRequest>& messageBoxes() const { return boxes_; }
    const std::vector<int>& answers() const { return answers_; }
    const std::vector<std::u16string>& progress() const { return progress_; }
    const std::vector<std::u16string>& ignored() const { return ignored_; }
    bool pressedStop() const { return pressedStop_; }
    // Why a setting or click of the script did not fit the dialog (which was then closed).
    const std::optional<std::string>& unfit() const { return unfit_; }
    // How the dialog was answered (Yes, No, or not at all: the count tools are only read),
    // and whether it was still open afterwards.
    bool answeredYes() const;
    bool answeredNo() const { return !answeredWith_.empty() && !answeredYes(); }
    bool leftOpen() const { return leftOpen_; }
    // The dialog as it stood when the user pressed its last button.
    const std::optional<forms::FormSnapshot>& dialogAtClose() const { return dialogAtClose_; }
    // Called with each new progress caption (the terminal's progress bar listens).
    std::function<void(const std::u16string&)> onProgress;

private:
    void recordProgress(forms::Form& top);

    UserScript script_;
    bool dialogDone_ = false;
    size_t nextDialogAction_ = 0;
    int yields_ = 0;
    bool pressedStop_ = false;
    std::u16string answeredWith_;  // the button that answered the dialog
    bool leftOpen_ = false;
    std::optional<std::string> unfit_;
    std::vector<forms::FormSnapshot> shown_;
    std::vector<forms::MsgBoxRequest> boxes_;
    std::vector<int> answers_;
    std::vector<std::u16string> progress_;
    // The labels of the form last seen on a yield: a run yields once per cell.
    std::weak_ptr<const forms::Form> labelsOf_;
    size_t labelsOfControls_ = 0;
    std::uint64_t labelsSeenAt_ = 0;  // the form's caption changes when its labels were read
    std::vector<const forms::Label*> labels_;
    std::vector<std::u16string> ignored_;
    std::optional<forms::FormSnapshot> dialogAtClose_;
};

// A caption that reports progress: text ending in a number and " %".
bool isProgressCaption(const std::u16string& caption);

}  // namespace cli
