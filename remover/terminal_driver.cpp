#include "remover/terminal_driver.h"

#include <cctype>
#include <istream>
#include <ostream>

#include "base/text.h"
#include "forms/form.h"
#include "forms/simple_controls.h"

namespace plugsweep {

TerminalDriver::TerminalDriver(std::istream& in, std::ostream& out, std::vector<KeyBinding> keys,
                               std::u16string cancelControl, bool interactive)
    : in_(in), out_(out), keys_(std::move(keys)), cancel_(std::move(cancelControl)), interactive_(interactive) {}

forms::UserAction TerminalDriver::click(const std::u16string& control) const {
    forms::UserAction action;
    action.kind = forms::ActionKind::Click;
    action.control = control;
    return action;
}

std::string TerminalDriver::keyLine() const {
    std::string line;
    for (const KeyBinding& binding : keys_) {
        if (binding.label.empty()) continue;
        if (!line.empty()) line += "    ";
        line += std::string("[") + static_cast<char>(std::toupper(binding.key)) + "] " + base::utf8(binding.label);
    }
    return line;
}

void TerminalDriver::formShown(forms::Form& form) {
    if (!interactive_) {
        for (forms::Control* control : form.controls())
            if (auto* label = dynamic_cast<forms::Label*>(control); label && !label->Caption().empty())
                out_ << base::utf8(label->Caption()) << '\n';
        out_.flush();
        return;
    }
    out_ << base::utf8(form.Caption()) << "\n\n";
    for (forms::Control* control : form.controls())
        if (auto* label = dynamic_cast<forms::Label*>(control); label && !label->Caption().empty())
            out_ << "  " << base::utf8(label->Caption()) << "\n";
    out_ << "\n  " << keyLine() << "\n";
    out_.flush();
}

std::optional<forms::UserAction> TerminalDriver::nextAction(forms::Form&) {
    if (!interactive_) return click(cancel_);
    for (;;) {
        out_ << "> " << std::flush;
        std::string line;
        if (!std::getline(in_, line)) return std::nullopt;  // end of input closes the window
        const size_t at = line.find_first_not_of(" \t\r");
        if (at == std::string::npos) continue;
        const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(line[at])));
        for (const KeyBinding& binding : keys_)
            if (binding.key == key) return click(binding.control);
        out_ << "  " << keyLine() << "\n";
    }
}

int TerminalDriver::msgBox(const forms::MsgBoxRequest& request) {
    const int answer = request.allows(forms::vbOK) ? forms::vbOK : request.dismissAnswer();
    if (!interactive_) return answer;
    out_ << "\n  " << base::utf8(request.title.value_or(u"")) << ": " << base::utf8(request.prompt)
         << "\n  [OK] press Enter" << std::endl;
    std::string line;
    std::getline(in_, line);
    return answer;
}

}  // namespace plugsweep
