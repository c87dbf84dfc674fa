#pragma once
// HostSession: the embedded host with the add-in registered, as tests and programs drive it —
// start the host at a version, connect the add-in, open workbooks, select cells, click ribbon
// controls or legacy menu buttons, and answer forms and message boxes through a UiDriver.
//
//   session::HostSession session({.version = u"11.0"});
//   session.user().answer(forms::vbNo);
//   session.clickMenu({u"E&xit Cellwash"});
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "forms/runtime.h"
#include "forms/scripted_driver.h"
#include "host/embedded/embedded_application.h"
#include "shell/connect.h"

namespace session {

struct HostSessionOptions {
    std::u16string version = u"16.0";
    // The host starts with an empty workbook "Book1", as a user's host does; false: none open.
    bool startWithBlankWorkbook = true;
    // Register the add-in and start the host's add-ins at once; false: call startUp() later.
    bool startUp = true;
    // The add-in folder. Empty: a fresh folder holding copies of the shipped add-in files
    // (those chosen below), removed with the session.
    std::filesystem::path addinFolder{};
    bool withCompanion = true;  // "Cellwash Kit 5.0.xla" in the fresh folder
    bool withSample = true;     // "sample.xls" in the fresh folder
    // Where the add-in lists are recorded; in memory when null.
    std::shared_ptr<registry::RegistryStore> registryStore{};
    // The user; null: the session's own scripted user (user()).
    forms::UiDriver* driver = nullptr;
};

// The folder of the shipped add-in files (the companion workbook and "sample.xls").
std::filesystem::path shippedAddinFiles();

class HostSession {
public:
    explicit HostSession(HostSessionOptions options = {});
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    host::embedded::EmbeddedApplication& app() const { return *app_; }
    const std::shared_ptr<host::embedded::EmbeddedApplication>& application() const { return app_; }
    host::embedded::RibbonHost& ribbon() const { return app_->ribbon(); }
    // The session's scripted user (also when another driver answers).
    forms::ScriptedDriver& user() { return user_; }
    const std::filesystem::path& addinFolder() const { return folder_; }

    // Registers the add-in (once) and connects the host's start-up add-ins.
    void startUp();
    // The add-in's entry in the host's COM add-in list: connected or not, and its object.
    bool connected() const;
    std::shared_ptr<shell::Connect> connection() const;
    // Sets the entry's Connect, as the host's COM add-ins dialog does.
    void setConnected(bool connect);
    // Quits and starts the host again within the same object.
    void restart();

    // Workbooks: a new empty one, or a file (xlsx, csv; xls and ods through LibreOffice).
    host::embedded::EmbeddedWorkbookPtr newWorkbook();
    host::embedded::EmbeddedWorkbookPtr openWorkbook(const std::filesystem::path& file);
    // Selects `address` on the active sheet.
    void select(const std::u16string& address);

    // Clicks a ribbon control; a tool menu item is reached by opening its menu first.
    // Throws std::invalid_argument for an id the ribbon does not show.
    void clickRibbon(const std::u16string& controlId);
    // Opens the dynamic menus of the tab until one holds `controlId`; false when none does.
    bool openMenuHolding(const std::u16string& controlId);
    // Chooses a language as its toggle in the add-in's language menu would: the toggle's
    // onAction, pressed. The delivered tab shows no control that opens that menu, so the
    // session calls the add-in's callbacks the way the host would. False when the menu has no
    // toggle for `code` (two letters, "En", "Hi", ...) or the add-in is not connected.
    bool chooseLanguage(const std::u16string& code);
    // Clicks the legacy menu control at the caption path below "&Cellwash" (for example
    // {u"&Text Cleaner", u"1. Remove all Numbers (0-9) in Selected Cells"}).
    // Throws std::invalid_argument when the menu has no such control.
    void clickMenu(const std::vector<std::u16string>& captionsBelowPopup);
    // The legacy menu control at a caption path from the menu bar, or nullptr.
    host::CommandBarControlPtr menuControl(const std::vector<std::u16string>& captionsFromBar) const;

private:
    void prepareAddinFolder(const HostSessionOptions& options);

    forms::ScriptedDriver user_;
    std::unique_ptr<forms::DriverScope> scope_;
    std::filesystem::path folder_;
    bool ownsFolder_ = false;
    bool registered_ = false;
    std::shared_ptr<host::embedded::EmbeddedApplication> app_;
};

}  // namespace session
