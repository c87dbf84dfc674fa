#include "tests/support/recording_ribbon.h"

namespace testsupport {

namespace {
const std::u16string controlPrefix = u"InvalidateControl ";
}

void RecordingRibbonUI::Invalidate() { calls.push_back(u"Invalidate"); }

void RecordingRibbonUI::InvalidateControl(const std::u16string& controlId) {
    calls.push_back(controlPrefix + controlId);
}

std::vector<std::u16string> RecordingRibbonUI::invalidatedControls() const {
    std::vector<std::u16string> ids;
    for (const auto& call : calls)
        if (call.starts_with(controlPrefix)) ids.push_back(call.substr(controlPrefix.size()));
    return ids;
}

}  // namespace testsupport
