#include "shell/connect.h"

#include <filesystem>
#include <optional>

#include "host/application.h"
#include "host/text.h"
#include "shell/addin_folder.h"
#include "shell/host_references.h"
#include "shell/host_version.h"
#include "shell/language_state.h"
#include "shell/legacy_menu.h"
#include "shell/object_required.h"
#include "shell/resume_next.h"
#include "shell/ribbon_callback_table.h"
#include "shell/ribbon_callbacks.h"

namespace shell {

namespace {

void loadLanguageTables() {
    resumeNext([] {
        std::u16string code = languageCode;
        loadLanguageRow(code);
    });
    resumeNext([] { loadScreenTips(); });
    resumeNext([] { loadSuperTips(); });
}

host::Application& application() { return objectOf(hostApplication); }

}  // namespace

std::u16string addinFolderFile(const std::u16string& fileName) {
    return host::utf16((addinFolder() / std::filesystem::path(host::utf8(fileName))).string());
}

Connect::Connect() : callbacks_(makeRibbonCallbackTable()) {}

void Connect::AddinInstance_OnConnection(const host::ApplicationPtr& application) {
    hostApplication = application;
    std::optional<bool> legacy;
    resumeNext([&] { legacy = legacyMenuMode(); });
    if (legacy == true) resumeNext([] { txtRemoverMB_Add(); });
    if (legacy == false) loadLanguageTables();
    resumeNext([this] { ensureCompanionAddIn(); });
}

void Connect::AddinInstance_OnDisconnection() {
    resumeNext([] {
        if (legacyMenuMode()) remMenuBar();
    });
    resumeNext([this] { uninstallCompanionAddIn(); });
    hostApplication.reset();
    menuButtons.reset();
    lastToolButton.reset();
}

std::u16string Connect::IRibbonExtensibility_GetCustomUI(const std::u16string&) { return ribbonDefinition(); }

bool Connect::invokeRibbonCallback(host::RibbonCallback& call) {
    const auto keepAlive = shared_from_this();  // Exit disconnects this add-in from inside a callback
    try {
        return callbacks_.invoke(call);
    } catch (const host::Error&) {
        call.result = host::Variant();
        return true;
    }
}

bool Connect::FileExists(const std::u16string& path) {
    if (path.find(u'\0') != std::u16string::npos) return false;  // no valid path holds one
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::path(host::utf8(path)), error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

void Connect::ensureCompanionAddIn() {
    host::AddInPtr companion;
    try {
        companion = application().AddIns()->Item(companionTitle);
    } catch (const host::Error& e) {
        if (e.number() == host::errSubscript) installCompanionFromFolder();
        return;
    }
    if (!companion->Installed()) companion->setInstalled(true);
}

void Connect::installCompanionFromFolder() {
    if (FileExists(addinFolderFile(companionFileName)))
        addCompanionAddIn();
    else
        uninstallCompanionAddIn();
}

void Connect::addCompanionAddIn() {
    host::WorkbookPtr sample;
    if (application().Workbooks()->Count() == 0)
        sample = application().Workbooks()->Open(addinFolderFile(sampleFileName));
    const host::AddInPtr companion = application().AddIns()->Add(addinFolderFile(companionFileName));
    if (!companion->Installed()) companion->setInstalled(true);
    if (sample) sample->Close(false);
}

void Connect::uninstallCompanionAddIn() {
    const host::AddInsPtr addIns = application().AddIns();
    for (long i = 1; i <= addIns->Count(); ++i) {
        const host::AddInPtr addIn = addIns->Item(i);
        if (addIn->Name() == companionFileName) {
            addIn->setInstalled(false);
            return;
        }
    }
}

}  // namespace shell
