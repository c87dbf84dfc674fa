#pragma once
// The controls with no behaviour of their own beyond Click: Label, CommandButton, Image.
#include <cstdint>
#include <vector>

#include "forms/control.h"

namespace forms {

class Label : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    ControlType type() const override { return ControlType::Label; }
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool value) { wordWrap_ = value; }

private:
    bool wordWrap_ = true;
};

class CommandButton : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    ControlType type() const override { return ControlType::CommandButton; }
};

class Image : public Control {
public:
    using Control::Control;
    ControlType type() const override { return ControlType::Image; }
    // The picture as the bytes of a bitmap (a device-independent bitmap, as stored in
    // the add-in's resources); empty for none.
    const std::vector<std::uint8_t>& Picture() const { return picture_; }
    void setPicture(std::vector<std::uint8_t> value) { picture_ = std::move(value); }

private:
    std::vector<std::uint8_t> picture_;
};

}  // namespace forms
