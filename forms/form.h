#pragma once
// Form: a window of the add-in. A form class derives from Form and declares its controls
// as members; it is made and kept by a DefaultInstance (see default_instance.h).
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/container.h"

namespace forms {

enum class ShowMode { Modeless = 0, Modal = 1 };

class Form : public Container, public std::enable_shared_from_this<Form> {
public:
    explicit Form(std::u16string name);
    ~Form() override = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::u16string& Name() const { return name_; }
    Form& form() override { return *this; }
    // A form's children count as shown and usable while the form is loaded (and enabled);
    // whether the window itself is on screen is Visible().
    bool isShown() const override { return loaded_; }
    bool isUsable() const override { return loaded_ && enabled_; }

    const std::u16string& Caption() const { return caption_; }
    void setCaption(std::u16string value) { caption_ = std::move(value); }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool value) { enabled_ = value; }
    std::uint32_t BackColor() const { return backColor_; }
    void setBackColor(std::uint32_t value) { backColor_ = value; }

    // Position and size in points. Changing them while the form is on screen raises Layout,
    // as moving or resizing the window does.
    double Top() const { return top_; }
    void setTop(double value);
    double Left() const { return left_; }
    void setLeft(double value);
    double Width() const { return width_; }
    void setWidth(double value);
    double Height() const { return height_; }
    void setHeight(double value);
    // The same height in twips (20 to the point), the unit some set-up code works in.
    // Moves (and sizes) the window in one step: one Layout while it is on screen.
    void Move(double left, double top, std::optional<double> width = {}, std::optional<double> height = {});
    double HeightTwips() const { return height_ * 20; }
    void setHeightTwips(double twips) { setHeight(twips / 20); }

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    bool isModalOpen() const { return modalDepth_ > 0; }

    // Shows the form. Modal: returns when the form has been hidden or unloaded, dispatching
    // the user's actions (from the UiDriver) in between.
    void Show(ShowMode mode = ShowMode::Modal);
    void Hide();

    // Every control of the form, nested ones included, in declaration order.
    const std::vector<Control*>& controls() const { return controls_; }
    // How often a control's caption on the form has changed: a reader of the captions may
    // pass over a form that has not changed since it last looked.
    std::uint64_t captionChanges() const { return captionChanges_; }
    Control* control(std::u16string_view name) const;  // nullptr when there is none

    // Events the host raises; a form class overrides the ones it handles.
    virtual void UserForm_Initialize() {}
    virtual void UserForm_Layout() {}

    // Keeps the form alive while one of its handlers runs (empty when the form is not
    // owned by a shared pointer, e.g. a form made on the stack in a test).
    std::shared_ptr<Form> keepAlive() { return weak_from_this().lock(); }

    // Called by DefaultInstance: raises Initialize once; unloadHook releases the instance.
    void initialize(std::function<void()> unloadHook);

private:
    friend class Control;
    friend class CaptionedControl;
    friend void Unload(Form& form);
    friend void runModal(Form& form);

    void placed();  // after a change of position or size
    void firstLayout();
    void raiseLayout();

    std::u16string name_;
    std::u16string caption_;
    bool enabled_ = true;
    std::uint32_t backColor_ = 0x8000000F;
    double top_ = 0, left_ = 0, width_ = 240, height_ = 180;
    bool loaded_ = true;
    bool visible_ = false;
    int modalDepth_ = 0;
    std::uint64_t captionChanges_ = 0;
    std::vector<Control*> controls_;
    std::function<void()> unloadHook_;
};

// Hides the form, ends its modal loop and releases its default instance: the next access
// creates a fresh one with its design-time state. Unloading an unloaded form does nothing.
void Unload(Form& form);

}  // namespace forms
