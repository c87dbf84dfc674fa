#include "session/host_session.h"

#include <unistd.h>

#include <cstdlib>
#include <random>
#include <stdexcept>

#include "base/atomic_file.h"
#include "host/range.h"
#include "host/text.h"
#include "session/addin_registration.h"
#include "session/file_handlers.h"
#include "shell/addin_folder.h"
#include "shell/exit_confirmation.h"

namespace session {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolderPrefix = "cellwash-addin-";

// A session's folder is "cellwash-addin-PID-N": one that a process no longer running left
// behind (killed, or ended by a signal before its session closed) is removed by the next.
void removeFoldersOfEndedSessions(const fs::path& temp) {
    std::error_code error;
    for (fs::directory_iterator it(temp, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kFolderPrefix, 0) != 0) continue;
        const long pid = std::atol(name.c_str() + kFolderPrefix.size());
        std::error_code ignored;
        if (base::processHasEnded(pid) && it->is_directory(ignored)) fs::remove_all(it->path(), ignored);
    }
}

fs::path freshFolder() {
    const fs::path temp = fs::temp_directory_path();
    removeFoldersOfEndedSessions(temp);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder =
            temp / (std::string(kFolderPrefix) + std::to_string(::getpid()) + "-" + std::to_string(random()));
        if (fs::create_directory(folder)) return folder;
    }
    throw std::runtime_error("cannot make a temporary add-in folder");
}

void collectMenus(const std::shared_ptr<host::RibbonNode>& node, std::vector<std::u16string>& menus) {
    if (node->kind == u"dynamicMenu") menus.push_back(node->id());
    for (const auto& child : node->children) collectMenus(child, menus);
}

// A control of the language menu, as the host hands it to a callback.
class MenuControl : public host::IRibbonControl {
public:
    explicit MenuControl(std::u16string id) : id_(std::move(id)) {}
    std::u16string Id() const override { return id_; }

private:
    std::u16string id_;
};

}  // namespace

fs::path shippedAddinFiles() { return fs::path(CW_SHIPPED_ADDIN_FILES); }

HostSession::HostSession(HostSessionOptions options) {
    scope_ = std::make_unique<forms::DriverScope>(options.driver ? *options.driver : user_);
    prepareAddinFolder(options);
    app_ = host::embedded::EmbeddedApplication::create(options.version, options.registryStore);
    registerFileHandlers(*app_);
    if (options.startWithBlankWorkbook) app_->newBook();
    if (options.startUp) startUp();
}

HostSession::~HostSession() {
    try {
        auto& list = app_->comAddInList();
        for (long i = 0; i < list.Count(); ++i) list.setConnected(static_cast<size_t>(i), false);
    } catch (const std::exception&) {
        // The host quits however its add-ins leave.
    }
    shell::setAddinFolder({});
    std::error_code ignored;
    if (ownsFolder_) fs::remove_all(folder_, ignored);
}

void HostSession::prepareAddinFolder(const HostSessionOptions& options) {
    folder_ = options.addinFolder;
    if (folder_.empty()) {
        folder_ = freshFolder();
        ownsFolder_ = true;
        const fs::path shipped = shippedAddinFiles();
        if (options.withCompanion)
            fs::copy_file(shipped / host::utf8(shell::companionFileName),
                          folder_ / host::utf8(shell::companionFileName));
        if (options.withSample)
            fs::copy_file(shipped / host::utf8(shell::sampleFileName), folder_ / host::utf8(shell::sampleFileName));
    }
    shell::setAddinFolder(folder_);
}

void HostSession::startUp() {
    if (!registered_) registerCellwashKit(*app_);
    registered_ = true;
    app_->comAddInList().startUp();
}

bool HostSession::connected() const { return connection() != nullptr; }

std::shared_ptr<shell::Connect> HostSession::connection() const {
    return std::dynamic_pointer_cast<shell::Connect>(app_->comAddInList().instance(shell::cellwashKitProgId));
}

void HostSession::setConnected(bool connect) { app_->COMAddIns()->Item(shell::cellwashKitProgId)->setConnect(connect); }

void HostSession::restart() { app_->restart(); }

host::embedded::EmbeddedWorkbookPtr HostSession::newWorkbook() { return app_->newBook(); }

host::embedded::EmbeddedWorkbookPtr HostSession::openWorkbook(const fs::path& file) {
    return app_->openBook(host::utf16(file.string()));
}

void HostSession::select(const std::u16string& address) { app_->Range(address)->Select(); }

bool HostSession::openMenuHolding(const std::u16string& controlId) {
    std::vector<std::u16string> menus;
    for (const auto& tab : ribbon().tabs()) collectMenus(tab, menus);
    for (const auto& menu : menus) {
        ribbon().openMenu(menu);
        if (ribbon().find(controlId)) return true;
    }
    return false;
}

void HostSession::clickRibbon(const std::u16string& controlId) {
    if (!ribbon().loaded() || (!ribbon().find(controlId) && !openMenuHolding(controlId)))
        throw std::invalid_argument("the ribbon shows no control " + host::utf8(controlId));
    ribbon().click(controlId);
}

bool HostSession::chooseLanguage(const std::u16string& code) {
    const auto addIn = connection();
    if (!addIn) return false;
    host::RibbonCallback content{
        u"GetLanguageContent", std::make_shared<MenuControl>(u"languageMenu"), nullptr, std::nullopt, {}};
    if (!addIn->invokeRibbonCallback(content) || !content.result.isText()) return false;
    const auto menu = host::parseRibbonXml(std::u16string(content.result.text()));
    for (const auto& item : menu->children) {
        const std::u16string id = item->id();
        if (item->kind != u"toggleButton" || id.size() < 5 || id.substr(3, 2) != code) continue;
        host::RibbonCallback click{item->attribute(u"onAction"), std::make_shared<MenuControl>(id), nullptr, true, {}};
        return addIn->invokeRibbonCallback(click);
    }
    return false;
}

host::CommandBarControlPtr HostSession::menuControl(const std::vector<std::u16string>& captionsFromBar) const {
    return app_->commandBarSet().find(captionsFromBar);
}

void HostSession::clickMenu(const std::vector<std::u16string>& captionsBelowPopup) {
    std::vector<std::u16string> path{u"&Cellwash"};
    path.insert(path.end(), captionsBelowPopup.begin(), captionsBelowPopup.end());
    const auto control = menuControl(path);
    if (!control) throw std::invalid_argument("the legacy menu has no control at that caption path");
    app_->commandBarSet().click(control);
}

}  // namespace session
