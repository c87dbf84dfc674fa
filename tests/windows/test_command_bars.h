#pragma once
// The test host's command bars, late-bound as the host's are: the menu bar "Worksheet Menu Bar"
// (CommandBars(1)) with its controls, popups holding controls, and buttons whose Click event an
// add-in binds through the connection point of the button events (IConnectionPointContainer).
#include <memory>
#include <string>
#include <vector>

#include "tests/windows/test_objects.h"

namespace cwtest {

struct ControlData {
    long type = 1;  // msoControlButton; 10 msoControlPopup
    std::wstring caption, tag;
    bool visible = true, beginGroup = false, temporary = false;
    long faceId = 0, style = 0;
    std::vector<std::shared_ptr<ControlData>> children;
    std::weak_ptr<ControlData> parent;
    std::vector<std::pair<DWORD, IDispatch*>> sinks;  // advised Click handlers (held)
    ~ControlData();
};

struct MenuBarData {
    bool visible = true;
    std::shared_ptr<ControlData> controls = std::make_shared<ControlData>();  // the bar's own controls
};

// Adds CommandBars to the test host's Application.
void addCommandBars(TestObject& application, const std::shared_ptr<MenuBarData>& bar);

// The first control under `root` (depth first) with this tag or caption; nullptr when none.
std::shared_ptr<ControlData> findControl(const std::shared_ptr<ControlData>& root, const std::wstring& tag,
                                         const std::wstring& caption = L"");

// The user chooses the button: Click(Ctrl, CancelDefault) to every advised handler, as the host
// raises it. Answers CancelDefault as the handlers left it; false when no handler took the call.
bool clickButton(const std::shared_ptr<ControlData>& button, bool& cancelDefault);

}  // namespace cwtest
