#include "host/calc/scripted_user.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/text.h"
#include "forms/form.h"
#include "forms/msg_box.h"
#include "forms/simple_controls.h"
#include "forms/snapshot.h"

namespace host::calc {

namespace {

// The add-in's tool dialogs take the script's settings; every other window is read and closed.
bool isToolDialog(const forms::Form& form) { return form.Name() == u"frmMain" || form.Name() == u"frmDupPrev"; }

std::u16string answerButton(const forms::Form& form, bool yes) {
    if (form.Name() == u"frmDupPrev") return yes ? u"Command1" : u"Command2";
    return yes ? u"cmdYes" : u"cmdNo";
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

[[noreturn]] void refuse(size_t lineNumber, std::string_view line, const std::string& why) {
    throw UiScriptError("UI script line " + std::to_string(lineNumber) + " (\"" + std::string(line) + "\"): " + why);
}

int positiveNumber(std::string_view text, size_t lineNumber, std::string_view line) {
    int value = 0;
    if (text.empty() || text.size() > 9) refuse(lineNumber, line, "stop-after takes a number from 1");
    for (char c : text) {
        if (c < '0' || c > '9') refuse(lineNumber, line, "stop-after takes a number from 1");
        value = value * 10 + (c - '0');
    }
    if (value < 1) refuse(lineNumber, line, "stop-after takes a number from 1");
    return value;
}

}  // namespace

UiScript parseUiScript(std::string_view text) {
    UiScript script;
    size_t lineNumber = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;
        const size_t space = line.find(' ');
        const std::string_view word = line.substr(0, space);
        const std::string_view rest =
            space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space));
        if (word == "yes" || word == "no") {
            if (!rest.empty()) refuse(lineNumber, line, "yes and no take nothing after them");
            script.confirm = word == "yes";
        } else if (word == "answer") {
            if (rest != "yes" && rest != "no") refuse(lineNumber, line, "answer takes yes or no");
            script.answer = rest == "yes" ? forms::vbYes : forms::vbNo;
        } else if (word == "stop-after") {
            script.stopAfter = positiveNumber(rest, lineNumber, line);
        } else if (word == "click") {
            if (rest.empty()) refuse(lineNumber, line, "click takes a control name");
            forms::UserAction click;
            click.control = base::utf16(rest);
            script.dialogActions.push_back(std::move(click));
        } else if (word == "read") {
            if (rest.empty()) refuse(lineNumber, line, "read takes a control name");
            forms::UserAction read;
            read.kind = forms::ActionKind::Inspect;
            read.control = base::utf16(rest);
            script.dialogActions.push_back(std::move(read));
        } else if (word == "set") {
            const size_t equals = rest.find('=');
            if (equals == std::string_view::npos || equals == 0) refuse(lineNumber, line, "set takes CONTROL=VALUE");
            forms::UserAction action;
            action.control = base::utf16(trimmed(rest.substr(0, equals)));
            const std::string_view value = rest.substr(equals + 1);
            if (value == "true" || value == "false") {
                action.kind = forms::ActionKind::SetValue;
                action.flag = value == "true";
            } else {
                action.kind = forms::ActionKind::SetText;
                action.text = base::utf16(value);
            }
            script.dialogActions.push_back(std::move(action));
        } else {
            refuse(lineNumber, line, "expected set, click, read, yes, no, stop-after or answer");
        }
    }
    return script;
}

void UiLog::write(const std::u16string& text) const {
    if (file_.empty()) return;
    std::string line = base::utf8(text);
    for (size_t at = line.find_first_of("\r\n"); at != std::string::npos; at = line.find_first_of("\r\n", at)) {
        const size_t length = line.compare(at, 2, "\r\n") == 0 ? 2 : 1;
        line.replace(at, length, " ");
    }
    std::ofstream out(file_, std::ios::app | std::ios::binary);
    out << line << '\n';
}

ScriptedUser::ScriptedUser(UiScript script, UiLog log) : script_(std::move(script)), log_(std::move(log)) {
    for (auto& action : script_.dialogActions)
        if (action.kind == forms::ActionKind::Inspect && !action.inspect)
            action.inspect = [log = log_, name = action.control](forms::Form& form) {
                const forms::FormSnapshot shot = forms::snapshot(form);
                const auto text = shot.texts.find(name);
                log.write(name + u": " + (text == shot.texts.end() ? u"(no such control)" : text->second));
            };
}

std::optional<forms::UserAction> ScriptedUser::nextAction(forms::Form& top) {
    if (!isToolDialog(top) || dialogDone_) return std::nullopt;  // the user closes the window
    if (nextDialogAction_ < script_.dialogActions.size()) return script_.dialogActions[nextDialogAction_++];
    dialogDone_ = true;
    if (!script_.confirm) return std::nullopt;
    forms::UserAction answer;
    answer.control = answerButton(top, *script_.confirm);
    return answer;
}

std::vector<forms::UserAction> ScriptedUser::doEvents(forms::Form* top) {
    ++yields_;
    if (!top || !script_.stopAfter || *script_.stopAfter != yields_) return {};
    for (const forms::Control* control : top->controls())
        if (control->isShown() && control->Name().find(u"Stop") != std::u16string::npos) {
            forms::UserAction stop;
            stop.control = control->Name();
            pressedStop_ = true;
            return {stop};
        }
    return {};
}

int ScriptedUser::msgBox(const forms::MsgBoxRequest& request) {
    log_.write(request.prompt);
    return script_.answer && request.allows(*script_.answer) ? *script_.answer : request.dismissAnswer();
}

void ScriptedUser::formShown(forms::Form& form) {
    if (form.Name() != u"frmAlert") return;
    for (const forms::Control* control : form.controls()) {
        const auto* label = dynamic_cast<const forms::Label*>(control);
        if (label && label->isShown() && !label->Caption().empty()) log_.write(label->Caption());
    }
}

std::optional<ScriptedSetting> scriptFromEnvironment() {
    const char* scriptFile = std::getenv("CELLWASH_UI_SCRIPT");
    if (!scriptFile || !*scriptFile) return std::nullopt;
    std::ifstream in(scriptFile, std::ios::binary);
    if (!in) throw UiScriptError(std::string("cannot read the UI script ") + scriptFile);
    std::ostringstream text;
    text << in.rdbuf();
    const char* logFile = std::getenv("CELLWASH_UI_LOG");
    return ScriptedSetting{parseUiScript(text.str()), UiLog(logFile && *logFile ? logFile : "")};
}

}  // namespace host::calc
