#include "apps/calc/calc_addin.h"

#include "forms/runtime.h"
#include "host/calc/calc_user.h"
#include "tools/tool_families.h"

namespace apps::calc {

CalcAddin& CalcAddin::instance(const css::uno::Reference<css::uno::XComponentContext>& context) {
    // Never destroyed: at exit the UNO objects it holds may already be gone with soffice.
    static CalcAddin* addin = new CalcAddin(context);
    return *addin;
}

CalcAddin::CalcAddin(const css::uno::Reference<css::uno::XComponentContext>& context) {
    std::lock_guard lock(mutex_);
    context_ = context;
    app_ = std::make_shared<host::calc::CalcApplication>(context);
    tools::registerToolFamilies();
    connect_ = std::make_shared<shell::Connect>();
    connect_->AddinInstance_OnConnection(app_);
    ribbon_ = std::make_shared<host::calc::CalcRibbon>();
    ribbon_->onInvalidate = [this](const std::u16string& id) {
        if (listener_) listener_(id);
    };
    ribbon_->load(connect_);
}

void CalcAddin::run(const css::uno::Reference<css::frame::XFrame>& frame, const std::u16string& controlId) {
    std::lock_guard lock(mutex_);
    app_->beginCommand(frame);
    const auto user = host::calc::makeCalcUser(context_, frame);
    if (!user) return;  // the UI script could not be read: its log says why
    forms::DriverScope scope(*user);
    // vnd.cellwash:language:<code> switches the add-in's language (its language menu's toggle).
    constexpr std::u16string_view kLanguage = u"language:";
    if (controlId.starts_with(kLanguage)) {
        ribbon_->chooseLanguage(controlId.substr(kLanguage.size()));
        return;
    }
    ribbon_->click(controlId);
}

MenuState CalcAddin::state(const std::u16string& controlId) {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) return {u"", false, true};
    if (!ribbon_->find(controlId)) ribbon_->openMenuHolding(controlId);
    const auto node = ribbon_->find(controlId);
    const std::u16string kind = node ? node->kind : std::u16string();
    // A menu separator's title shows as a greyed-out entry.
    if (kind == u"menuSeparator") return {ribbon_->title(controlId), false, true};
    return {ribbon_->label(controlId), ribbon_->enabled(controlId) && ribbon_->actionable(controlId),
            ribbon_->visible(controlId)};
}

bool CalcAddin::claim() {
    bool idle = false;
    return busy_.compare_exchange_strong(idle, true);
}

void CalcAddin::release() { busy_ = false; }

void CalcAddin::setInvalidationListener(std::function<void(const std::u16string&)> listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

}  // namespace apps::calc
