#pragma once
// The host's ribbon objects as host/ sees them: the IRibbonControl a callback is called for (its Id
// read through IDispatch) and the IRibbonUI handed to the load callback.
#include "host/com/com_support.h"
#include "host/ribbon.h"

namespace host::com {

class ComRibbonControl : public host::IRibbonControl {
public:
    explicit ComRibbonControl(IDispatch* control) : control_(control) {}
    std::u16string Id() const override { return control_.get(u"Id").toText(); }

private:
    Dispatch control_;
};

class ComRibbonUI : public host::IRibbonUI {
public:
    explicit ComRibbonUI(IDispatch* ribbon) : ribbon_(ribbon) {}
    void Invalidate() override { ribbon_.call(u"Invalidate"); }
    void InvalidateControl(const std::u16string& controlId) override {
        ribbon_.call(u"InvalidateControl", {Variant(controlId)});
    }

private:
    Dispatch ribbon_;
};

}  // namespace host::com
