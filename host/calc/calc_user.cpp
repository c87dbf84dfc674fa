#include "host/calc/calc_user.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "base/text.h"
#include "host/calc/dialog_user.h"
#include "host/calc/scripted_user.h"

namespace host::calc {

namespace {

// soffice was started without a screen (--headless, or the headless plugin).
bool headless() {
    if (const char* plugin = std::getenv("SAL_USE_VCLPLUGIN"); plugin && std::string(plugin) == "svp") return true;
    std::ifstream commandLine("/proc/self/cmdline", std::ios::binary);
    std::string argument;
    while (std::getline(commandLine, argument, '\0'))
        if (argument == "--headless" || argument == "-headless") return true;
    return false;
}

}  // namespace

bool personAnswers() {
    const char* scriptFile = std::getenv("CELLWASH_UI_SCRIPT");
    return (!scriptFile || !*scriptFile) && !headless();
}

std::unique_ptr<forms::UiDriver> makeCalcUser(const Reference<css::uno::XComponentContext>& context,
                                              const Reference<css::frame::XFrame>& frame) {
    try {
        if (auto setting = scriptFromEnvironment())
            return std::make_unique<ScriptedUser>(std::move(setting->script), std::move(setting->log));
    } catch (const UiScriptError& e) {
        const char* logFile = std::getenv("CELLWASH_UI_LOG");
        UiLog(logFile ? logFile : "").write(base::utf16(e.what()));
        return nullptr;
    }
    // Nobody scripted and no screen (soffice --headless): nobody can answer, so every form is
    // closed at once and every message box dismissed, as the forms runtime does without a user.
    if (headless()) {
        struct NoUser : forms::UiDriver {
            std::optional<forms::UserAction> nextAction(forms::Form&) override { return std::nullopt; }
            std::vector<forms::UserAction> doEvents(forms::Form*) override { return {}; }
            int msgBox(const forms::MsgBoxRequest& request) override { return request.dismissAnswer(); }
        };
        return std::make_unique<NoUser>();
    }
    return std::make_unique<DialogUser>(context, frame);
}

}  // namespace host::calc
