#include "apps/cellwash/tool_help.h"

#include <ostream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/command_line_user.h"
#include "apps/cellwash/tool_lookup.h"
#include "host/text.h"
#include "session/host_session.h"

namespace cli {

namespace {

// How the command line sets a control, from the type prefix of its name.
std::string usageOf(const std::string& name) {
    const auto starts = [&](const char* prefix) { return name.rfind(prefix, 0) == 0; };
    if (starts("opt") || starts("chk") || starts("CheckBox") || starts("OptionButton")) return "--set " + name + "=true|false";
    if (starts("txt") || starts("cmb")) return "--set " + name + "=TEXT";
    if (starts("cmd")) return "--click " + name;
    return "";
}

std::string oneLine(std::u16string text) {
    for (auto& c : text)
        if (c == u'\r' || c == u'\n') c = u' ';
    return host::utf8(text);
}

}  // namespace

int runToolHelp(const std::string& name, std::ostream& out) {
    const auto tool = findTool(name);
    if (!tool) throw Failure(kUsage, "unknown tool \"" + name + "\" (`cellwash tools` lists them)");
    CommandLineUser user(UserScript{});  // looks at the dialog and closes it
    session::HostSession session({.version = u"16.0", .startWithBlankWorkbook = true, .driver = &user});
    session.clickRibbon(std::u16string(tool->controlId));
    const auto& dialog = user.dialogAtClose();
    out << "cellwash run " << name << " WORKBOOK [options]\n";
    if (!dialog) {
        out << "This command opens no tool dialog: it takes no --set or --click options.\n";
        return kDone;
    }
    out << "\n" << oneLine(dialog->caption) << "\n";
    for (const auto& [control, text] : dialog->texts) {
        const auto shown = dialog->shown.find(control);
        if (shown == dialog->shown.end() || !shown->second) continue;
        const std::string usage = usageOf(host::utf8(control));
        if (usage.empty() && text.empty()) continue;
        out << "  " << (usage.empty() ? host::utf8(control) : usage) << "\n";
        if (!text.empty()) out << "      " << oneLine(text) << "\n";
    }
    out << "\nWithout --click the dialog is answered with Yes (--no answers No). Also: --select, --active,"
           "\n--sheet, --stop-after N, --answer yes|no, --lang, --host-version, -o FILE, --in-place, --json.\n";
    return kDone;
}

}  // namespace cli
