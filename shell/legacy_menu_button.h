#pragma once
// cbToolButton: receives the Click event of one legacy menu button and hands its tag to the
// legacy dispatcher.
#include <memory>

#include "host/command_bars.h"

namespace shell {

class cbToolButton : public host::CommandBarButtonEvents, public std::enable_shared_from_this<cbToolButton> {
public:
    // The button whose clicks this instance receives (the host holds the binding weakly:
    // the instance routes clicks while something, menuButtons, keeps it).
    const host::CommandBarControlPtr& cbBtn() const { return cbBtn_; }
    void setCbBtn(const host::CommandBarControlPtr& button);

    // With a workbook open: empties the family keys and runs the tool, Undo or Redo command of
    // the button's tag; without one, nothing of that runs and nothing is shown. Then, in every
    // case, runs About, Help, Feedback or Exit. Host errors skip the failing step;
    // CancelDefault is true on return.
    void cbBtn_Click(const host::CommandBarControlPtr& Ctrl, bool& CancelDefault);

    void Click(const host::CommandBarControlPtr& ctrl, bool& cancelDefault) override {
        cbBtn_Click(ctrl, cancelDefault);
    }

private:
    host::CommandBarControlPtr cbBtn_;
};

}  // namespace shell
