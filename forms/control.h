#pragma once
// Control and Container: the base of every control on a form.
//
// A control is a member of its form class, constructed with the container it sits in
// (the form itself or a Frame) and its design-time name. Properties are plain state that
// the add-in reads and writes and a renderer draws; events are slots the form wires to
// its handler member functions (cmdYes.onClick = [this] { cmdYes_Click(); }).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"

namespace forms {

enum class ControlType { Label, CommandButton, CheckBox, OptionButton, TextBox, ComboBox, Frame, Image, WebBrowser };

class Control {
public:
    Control(Container& parent, std::u16string name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlType type() const = 0;
    const std::u16string& Name() const { return name_; }
    Container& Parent() const { return parent_; }
    Form& form() const { return parent_.form(); }

    bool Visible() const { return visible_; }
    void setVisible(bool value) { visible_ = value; }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool value) { enabled_ = value; }
    const std::u16string& Tag() const { return tag_; }
    void setTag(std::u16string value) { tag_ = std::move(value); }
    const std::u16string& ControlTipText() const { return tip_; }
    void setControlTipText(std::u16string value) { tip_ = std::move(value); }
    std::uint32_t BackColor() const { return backColor_; }
    void setBackColor(std::uint32_t value) { backColor_ = value; }
    std::uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(std::uint32_t value) { foreColor_ = value; }
    const std::u16string& FontName() const { return fontName_; }
    void setFontName(std::u16string value) { fontName_ = std::move(value); }
    double FontSize() const { return fontSize_; }
    void setFontSize(double value) { fontSize_ = value; }
    bool FontBold() const { return fontBold_; }
    void setFontBold(bool value) { fontBold_ = value; }

    // Position and size in points, relative to the container.
    double Top() const { return top_; }
    void setTop(double value) { top_ = value; }
    double Left() const { return left_; }
    void setLeft(double value) { left_ = value; }
    double Width() const { return width_; }
    void setWidth(double value) { width_ = value; }
    double Height() const { return height_; }
    void setHeight(double value) { height_ = value; }

    // Visible here and in every enclosing container.
    bool isShown() const { return visible_ && parent_.isShown(); }
    // Enabled and shown here and in every enclosing container: the user can reach it.
    bool isUsable() const { return enabled_ && visible_ && parent_.isUsable(); }

    // What the user's click does; the default raises Click.
    virtual void userClick() { raiseClick(); }

    std::function<void()> onClick;
    // Button (1 left, 2 right, 4 middle), shift state, position in points.
    std::function<void(int button, int shift, double x, double y)> onMouseDown;
    std::function<void(int button, int shift, double x, double y)> onMouseMove;

    void raiseClick() { raise(onClick); }
    void raiseMouseDown(int button, int shift, double x, double y) { raise(onMouseDown, button, shift, x, y); }
    void raiseMouseMove(int button, int shift, double x, double y) { raise(onMouseMove, button, shift, x, y); }

protected:
    // Runs a handler while keeping the form alive, so a handler may unload its own form.
    template <class Slot, class... Args>
    void raise(const Slot& slot, Args... args);

private:
    Container& parent_;
    std::u16string name_;
    bool visible_ = true;
    bool enabled_ = true;
    std::u16string tag_;
    std::u16string tip_;
    std::uint32_t backColor_ = 0x8000000F;  // the system's button face
    std::uint32_t foreColor_ = 0x80000012;  // the system's button text
    std::u16string fontName_ = u"Tahoma";
    double fontSize_ = 8;
    bool fontBold_ = false;
    double top_ = 0, left_ = 0, width_ = 72, height_ = 18;
};

// Controls that show a caption: labels, buttons, option buttons, check boxes, frames.
class CaptionedControl : public Control {
public:
    using Control::Control;
    const std::u16string& Caption() const { return caption_; }
    void setCaption(std::u16string value);

private:
    std::u16string caption_;
};

template <class Slot, class... Args>
void Control::raise(const Slot& slot, Args... args) {
    if (!slot) return;
    auto keep = form().keepAlive();
    Slot copy = slot;  // the handler may reassign the slot while it runs
    copy(args...);
}

}  // namespace forms
