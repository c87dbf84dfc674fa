#include "apps/cellwash/listing_commands.h"

#include <ostream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/language_switch.h"
#include "apps/cellwash/tool_lookup.h"
#include "host/command_bars.h"
#include "host/text.h"
#include "session/host_session.h"
#include "shell/frm_tool_tour.h"

namespace cli {

namespace {

using host::RibbonNode;
using host::embedded::RibbonHost;

session::HostSession startHost(const std::string& version) {
    return session::HostSession({.version = host::utf16(version), .startWithBlankWorkbook = true});
}

void printRibbonNode(RibbonHost& ribbon, const std::shared_ptr<RibbonNode>& node, int depth, std::ostream& out) {
    const auto id = node->id();
    const bool shown = !id.empty() && ribbon.find(id);
    if (shown) {
        if (!ribbon.visible(id)) return;
        out << std::string(depth * 2, ' ') << host::utf8(node->kind) << " " << host::utf8(id);
        const auto label = ribbon.label(id);
        if (!label.empty()) out << "  \"" << host::utf8(label) << "\"";
        if (!ribbon.enabled(id)) out << "  (disabled)";
        const auto tip = ribbon.screentip(id);
        if (!tip.empty()) out << "\n" << std::string(depth * 2 + 4, ' ') << "tip: " << host::utf8(tip);
        const auto super = ribbon.supertip(id);
        if (!super.empty()) out << "\n" << std::string(depth * 2 + 4, ' ') << "more: " << host::utf8(super);
        out << "\n";
    }
    auto children = node->children;
    if (node->kind == u"dynamicMenu" && shown) children = ribbon.openMenu(id);
    for (const auto& child : children) printRibbonNode(ribbon, child, depth + (shown ? 1 : 0), out);
}

void printMenu(const host::CommandBarControlsPtr& controls, int depth, std::ostream& out) {
    for (long i = 1; i <= controls->Count(); ++i) {
        auto control = controls->Item(i);
        if (control->BeginGroup() && i > 1) out << std::string(depth * 2, ' ') << "----\n";
        out << std::string(depth * 2, ' ') << host::utf8(control->Caption());
        if (!control->Tag().empty()) out << "  [" << host::utf8(control->Tag()) << "]";
        out << "\n";
        if (control->Type() == host::msoControlPopup) printMenu(control->Controls(), depth + 1, out);
    }
}

}  // namespace

std::vector<ToolListing> toolListings() {
    auto session = startHost("16.0");
    std::vector<ToolListing> listings;
    for (const auto& entry : shell::commandCatalogue()) {
        std::u16string label;
        if (session.ribbon().find(std::u16string(entry.controlId)) ||
            session.openMenuHolding(std::u16string(entry.controlId)))
            label = session.ribbon().label(std::u16string(entry.controlId));
        listings.push_back({entry, host::utf8(label)});
    }
    return listings;
}

int runTools(std::ostream& out) {
    for (const auto& [entry, label] : toolListings()) {
        out << host::utf8(entry.controlId) << "  " << host::utf8(entry.legacyTag);
        if (!entry.commandKey.empty())
            out << "  " << host::utf8(entry.commandKey) << " (" << kebabCase(entry.commandKey) << ")";
        out << "\n    " << label << "\n";
    }
    return kDone;
}

int runRibbon(const std::optional<std::string>& lang, const std::string& hostVersion, std::ostream& out) {
    auto session = startHost(hostVersion);
    if (!session.ribbon().loaded()) {
        auto popup = session.menuControl({u"&Cellwash"});
        if (!popup) throw Failure(kUsage, "the host shows neither a ribbon nor the legacy menu");
        out << host::utf8(popup->Caption()) << "\n";
        printMenu(popup->Controls(), 1, out);
        return kDone;
    }
    if (lang) switchLanguage(session, *lang);
    for (const auto& tab : session.ribbon().tabs()) printRibbonNode(session.ribbon(), tab, 0, out);
    return kDone;
}

namespace {

// The tour's table begins with a byte-order mark, which is no text of the entry.
std::string withoutByteOrderMark(std::u16string text) {
    std::erase(text, u'\uFEFF');
    return host::utf8(text);
}

}  // namespace

int runTour(std::ostream& out) {
    auto& tour = shell::frmToolTour();
    for (long i = 0; i < tour.cmbListOfTools.ListCount(); ++i) {
        tour.cmbListOfTools.setListIndex(static_cast<int>(i));
        out << withoutByteOrderMark(tour.cmbListOfTools.Text()) << "\n    " << withoutByteOrderMark(tour.txtDesc.Text())
            << "\n";
    }
    out << "\n" << host::utf8(tour.txtVersion.Text()) << "\n";
    forms::Unload(tour);
    return kDone;
}

// The version is the add-in's own, as the tool tour states it ("Version: 5.1 | Edition: ...").
int runVersion(std::ostream& out) {
    auto& tour = shell::frmToolTour();
    std::string text = host::utf8(tour.txtVersion.Text());
    forms::Unload(tour);
    text = text.substr(0, text.find_first_of("\r\n"));
    out << "cellwash " << text << "\n";
    return kDone;
}

}  // namespace cli
