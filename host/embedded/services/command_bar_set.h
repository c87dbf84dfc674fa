#pragma once
// The embedded host's command bars: a worksheet menu bar whose controls form a tree.
// Permanent controls outlive a host restart; temporary ones do not. Clicking a button
// raises its Click event to every receiver bound to it.
#include <memory>
#include <string>
#include <vector>

#include "host/command_bars.h"

namespace host::embedded {

struct ControlNode {
    int type = msoControlButton;
    std::u16string caption, tag;
    bool visible = true, beginGroup = false, temporary = false, deleted = false;
    int faceId = 0, style = 0;
    std::vector<std::shared_ptr<ControlNode>> children;  // of a popup
    std::vector<std::weak_ptr<CommandBarButtonEvents>> sinks;
};

struct BarNode {
    std::u16string name;
    bool visible = true;
    std::shared_ptr<ControlNode> root = std::make_shared<ControlNode>();  // holds the bar's controls
};

class CommandBarSet : public host::CommandBars, public std::enable_shared_from_this<CommandBarSet> {
public:
    CommandBarSet();

    long Count() const override { return static_cast<long>(bars_.size()); }
    CommandBarPtr Item(long index) const override;
    CommandBarPtr Item(const std::u16string& name) const override;

    // What a user does and sees.
    void click(const CommandBarControlPtr& button);
    // Drops temporary controls, as a host restart does.
    void restart();
    // Finds a control by its caption path from the menu bar ("&Cellwash", "&Text Cleaner", ...).
    CommandBarControlPtr find(const std::vector<std::u16string>& captions) const;

private:
    std::vector<std::shared_ptr<BarNode>> bars_;
};

CommandBarControlPtr handleOf(std::shared_ptr<ControlNode> node, std::weak_ptr<ControlNode> parent);

}  // namespace host::embedded
