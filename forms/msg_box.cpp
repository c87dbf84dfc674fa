#include "forms/msg_box.h"

#include <vector>

#include "forms/runtime.h"

namespace forms {

namespace {

std::vector<int> answersOf(int buttonSet) {
    switch (buttonSet) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

}  // namespace

bool MsgBoxRequest::allows(int answer) const {
    for (int a : answersOf(buttonSet()))
        if (a == answer) return true;
    return false;
}

int MsgBoxRequest::dismissAnswer() const {
    if (allows(vbCancel)) return vbCancel;
    auto answers = answersOf(buttonSet());
    std::size_t index = static_cast<std::size_t>(defaultButton() / vbDefaultButton2);
    return index < answers.size() ? answers[index] : answers.front();
}

int MsgBox(const std::u16string& prompt, int buttons, std::optional<std::u16string> title) {
    MsgBoxRequest request{prompt, buttons, std::move(title)};
    return driver().msgBox(request);
}

}  // namespace forms
