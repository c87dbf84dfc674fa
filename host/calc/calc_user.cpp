#include "host/calc/calc_user.h"

#include <cstdlib>

#include "base/text.h"
#include "host/calc/scripted_user.h"

namespace host::calc {

std::unique_ptr<forms::UiDriver> makeCalcUser(const Reference<css::frame::XFrame>&) {
    try {
        if (auto setting = scriptFromEnvironment())
            return std::make_unique<ScriptedUser>(std::move(setting->script), std::move(setting->log));
    } catch (const UiScriptError& e) {
        const char* logFile = std::getenv("CELLWASH_UI_LOG");
        UiLog(logFile ? logFile : "").write(base::utf16(e.what()));
        return nullptr;
    }
    // Nobody scripted: until the dialogs are drawn as Calc windows, every form is closed at
    // once and every message box dismissed, as the forms runtime does without a user.
    struct NoUser : forms::UiDriver {
        std::optional<forms::UserAction> nextAction(forms::Form&) override { return std::nullopt; }
        std::vector<forms::UserAction> doEvents(forms::Form*) override { return {}; }
        int msgBox(const forms::MsgBoxRequest& request) override { return request.dismissAnswer(); }
    };
    return std::make_unique<NoUser>();
}

}  // namespace host::calc
