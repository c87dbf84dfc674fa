#pragma once
// WebBrowser: an embedded browser. Navigate2 records the address; a renderer may show it.
#include <vector>

#include "forms/control.h"

namespace forms {

class WebBrowser : public Control {
public:
    using Control::Control;
    ControlType type() const override { return ControlType::WebBrowser; }

    void Navigate2(const std::u16string& url);
    // The address of the last navigation, "" before the first.
    const std::u16string& LocationURL() const { return location_; }
    // Every navigation in order, the same address again included.
    const std::vector<std::u16string>& navigations() const { return navigations_; }

private:
    std::u16string location_;
    std::vector<std::u16string> navigations_;
};

}  // namespace forms
