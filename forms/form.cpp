#include "forms/form.h"

#include "base/error.h"
#include "forms/control.h"
#include "forms/runtime.h"

namespace forms {

Form::Form(std::u16string name) : name_(std::move(name)), caption_(name_) {}

void Form::setTop(double value) {
    top_ = value;
    placed();
}

void Form::setLeft(double value) {
    left_ = value;
    placed();
}

void Form::setWidth(double value) {
    width_ = value;
    placed();
}

void Form::setHeight(double value) {
    height_ = value;
    placed();
}

void Form::Move(double left, double top, std::optional<double> width, std::optional<double> height) {
    left_ = left;
    top_ = top;
    if (width) width_ = *width;
    if (height) height_ = *height;
    placed();
}

void Form::placed() {
    if (visible_) raiseLayout();
}

void Form::raiseLayout() {
    auto keep = keepAlive();
    UserForm_Layout();
}

Control* Form::control(std::u16string_view name) const {
    for (Control* c : controls_)
        if (c->Name() == name) return c;
    return nullptr;
}

void Form::initialize(std::function<void()> unloadHook) {
    unloadHook_ = std::move(unloadHook);
    auto keep = keepAlive();
    UserForm_Initialize();
}

void Form::Show(ShowMode mode) {
    if (!loaded_) return;
    if (modalDepth_ > 0) throw base::Error(400, "Form already displayed; can't show modally");
    auto keep = keepAlive();
    visible_ = true;
    if (mode == ShowMode::Modal) {
        runModal(*this);  // lays the form out on top of the others, then waits
        return;
    }
    raiseLayout();
    if (visible_) driver().formShown(*this);
}

void Form::firstLayout() {
    raiseLayout();                            // the first layout of the window on screen
    if (visible_) driver().formShown(*this);  // unless the layout handler hid or unloaded it
}

void Form::Hide() { visible_ = false; }

void Unload(Form& form) {
    if (!form.loaded_) return;
    auto keep = form.keepAlive();
    bool wasVisible = form.visible_;
    form.loaded_ = false;
    form.visible_ = false;
    if (wasVisible) driver().formClosed(form);
    if (auto hook = std::move(form.unloadHook_)) hook();
}

}  // namespace forms
