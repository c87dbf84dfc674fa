#pragma once
// Connect: the add-in's entry object. The host creates it through the ProgID
// "CellwashKit.Connect", connects and disconnects it, fetches its ribbon definition and calls
// its ribbon callbacks by name.
#include <memory>
#include <string>

#include "host/addins.h"
#include "host/ribbon_extensibility.h"

namespace shell {

// The companion add-in workbook and the workbook opened for adding it, in the add-in folder.
inline constexpr char16_t companionFileName[] = u"Cellwash Kit 5.0.xla";
inline constexpr char16_t companionTitle[] = u"Cellwash Pro Tool";
inline constexpr char16_t sampleFileName[] = u"sample.xls";

class Connect : public host::AddinInstance,
                public host::IRibbonExtensibility,
                public std::enable_shared_from_this<Connect> {
public:
    Connect();

    // Keeps the host as hostApplication; version 11.0 and older get the legacy menu, newer
    // ones the language row and the tip tables; then the companion workbook is installed.
    // A failing step is skipped; nothing is shown.
    void AddinInstance_OnConnection(const host::ApplicationPtr& application) override;
    // Removes the legacy menu (legacy hosts), uninstalls the companion workbook and lets go
    // of the host and the menu's buttons. A failing step is skipped.
    void AddinInstance_OnDisconnection() override;

    std::u16string IRibbonExtensibility_GetCustomUI(const std::u16string& ribbonId) override;
    // A callback that fails with a host error ends there and hands back no value.
    bool invokeRibbonCallback(host::RibbonCallback& call) override;

    // True when `path` exists and is not a folder; any error gives false.
    static bool FileExists(const std::u16string& path);

    // Installs the companion listed as "Cellwash Pro Tool", or, when the host lists no such
    // add-in, installs it from the add-in folder.
    void ensureCompanionAddIn();
    // Adds the companion from the add-in folder when the file is there, else uninstalls it.
    void installCompanionFromFolder();
    // Adds and installs the companion; with no workbook open, "sample.xls" is opened for the
    // time of the adding and closed unsaved. A failure ends the chain where it happens.
    void addCompanionAddIn();
    // Marks the first listed add-in named "Cellwash Kit 5.0.xla" not installed.
    void uninstallCompanionAddIn();

private:
    host::RibbonCallbackTable callbacks_;
};

// A file of the add-in folder, as the path the host is given.
std::u16string addinFolderFile(const std::u16string& fileName);

}  // namespace shell
