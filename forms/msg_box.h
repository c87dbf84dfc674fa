#pragma once
// MsgBox: the host's message box, answered through the UiDriver.
#include <optional>
#include <string>

namespace forms {

// Buttons, icon and default button, added together as the host's constants are.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;

// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

struct MsgBoxRequest {
    std::u16string prompt;
    int buttons = vbOKOnly;
    std::optional<std::u16string> title;  // none: the host shows its own name

    int buttonSet() const { return buttons & 0x0F; }
    int icon() const { return buttons & 0xF0; }  // 0 when there is none
    int defaultButton() const { return buttons & 0xF00; }
    bool allows(int answer) const;  // the box has this button
    // The answer of a user who dismisses the box: Cancel where there is one (Escape),
    // otherwise the default button (Enter).
    int dismissAnswer() const;
};

int MsgBox(const std::u16string& prompt, int buttons = vbOKOnly, std::optional<std::u16string> title = std::nullopt);

}  // namespace forms
