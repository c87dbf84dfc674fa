#pragma once
// Test doubles of the host's ribbon: a ribbon object that records the refreshes asked of it,
// and a control with a fixed id.
#include <string>
#include <vector>

#include "host/ribbon.h"

namespace testsupport {

class RecordingRibbonUI : public host::IRibbonUI {
public:
    void Invalidate() override;
    void InvalidateControl(const std::u16string& controlId) override;
    // "Invalidate" or "InvalidateControl <id>", in call order.
    std::vector<std::u16string> calls;
    // The ids passed to InvalidateControl, in call order.
    std::vector<std::u16string> invalidatedControls() const;
};

class RibbonControlStub : public host::IRibbonControl {
public:
    explicit RibbonControlStub(std::u16string id) : id_(std::move(id)) {}
    std::u16string Id() const override { return id_; }

private:
    std::u16string id_;
};

}  // namespace testsupport
