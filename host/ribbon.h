#pragma once
// The host's ribbon: the ribbon object handed to the add-in at load, and the control a
// callback is called for.
#include <memory>
#include <string>

namespace host {

class IRibbonControl {
public:
    virtual ~IRibbonControl() = default;
    virtual std::u16string Id() const = 0;
};

class IRibbonUI {
public:
    virtual ~IRibbonUI() = default;
    // Asks the host to fetch every callback of the add-in's ribbon again.
    virtual void Invalidate() = 0;
    // Asks the host to fetch the callbacks of one control again.
    virtual void InvalidateControl(const std::u16string& controlId) = 0;
};

using IRibbonUIPtr = std::shared_ptr<IRibbonUI>;
using IRibbonControlPtr = std::shared_ptr<IRibbonControl>;

}  // namespace host
