#pragma once
// Command bars: the menu bars of hosts before the ribbon, and the click event of a button.
#include <memory>
#include <optional>
#include <string>

namespace host {

constexpr int msoControlButton = 1;
constexpr int msoControlPopup = 10;
constexpr int msoButtonIconAndCaption = 3;

class CommandBarControl;
class CommandBarControls;
using CommandBarControlPtr = std::shared_ptr<CommandBarControl>;
using CommandBarControlsPtr = std::shared_ptr<CommandBarControls>;

// The receiver of a button's Click event (what a WithEvents variable is bound to).
class CommandBarButtonEvents {
public:
    virtual ~CommandBarButtonEvents() = default;
    virtual void Click(const CommandBarControlPtr& ctrl, bool& cancelDefault) = 0;
};

class CommandBarControl {
public:
    virtual ~CommandBarControl() = default;
    virtual int Type() const = 0;  // msoControlButton or msoControlPopup
    virtual std::u16string Caption() const = 0;
    virtual void setCaption(const std::u16string& caption) = 0;
    virtual std::u16string Tag() const = 0;
    virtual void setTag(const std::u16string& tag) = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool BeginGroup() const = 0;
    virtual void setBeginGroup(bool begin) = 0;
    virtual bool Temporary() const = 0;
    virtual void Delete() = 0;
    // Buttons only (error 438 on a popup).
    virtual int FaceId() const = 0;
    virtual void setFaceId(int faceId) = 0;
    virtual int Style() const = 0;
    virtual void setStyle(int style) = 0;
    // Binds a receiver to this button's Click event; it holds only a weak reference.
    virtual void bindClick(const std::weak_ptr<CommandBarButtonEvents>& sink) = 0;
    // Popups only (error 438 on a button).
    virtual CommandBarControlsPtr Controls() const = 0;
};

class CommandBarControls {
public:
    virtual ~CommandBarControls() = default;
    virtual long Count() const = 0;
    virtual CommandBarControlPtr Item(long index) const = 0;                     // error 5 when absent
    virtual CommandBarControlPtr Item(const std::u16string& caption) const = 0;  // error 5 when absent
    // Appends (or inserts before the 1-based position `before`) a control of `type`.
    virtual CommandBarControlPtr Add(int type = msoControlButton, std::optional<long> before = std::nullopt,
                                     bool temporary = false) = 0;
};

class CommandBar {
public:
    virtual ~CommandBar() = default;
    virtual std::u16string Name() const = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual CommandBarControlsPtr Controls() const = 0;
};
using CommandBarPtr = std::shared_ptr<CommandBar>;

class CommandBars {
public:
    virtual ~CommandBars() = default;
    virtual long Count() const = 0;
    virtual CommandBarPtr Item(long index) const = 0;                  // error 5 when absent
    virtual CommandBarPtr Item(const std::u16string& name) const = 0;  // error 5 when absent
};
using CommandBarsPtr = std::shared_ptr<CommandBars>;

}  // namespace host
