#include "apps/cellwash/tool_help.h"

#include <algorithm>
#include <ostream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/command_line_user.h"
#include "apps/cellwash/plain_options.h"
#include "apps/cellwash/tool_lookup.h"
#include "host/text.h"
#include "session/host_session.h"

namespace cli {

namespace {

// How the command line sets a control, from the type prefix of its name.
std::string usageOf(const std::string& name) {
    const auto starts = [&](const char* prefix) { return name.rfind(prefix, 0) == 0; };
    if (starts("opt") || starts("chk") || starts("CheckBox") || starts("OptionButton"))
        return "--set " + name + "=true|false";
    if (starts("txt") || starts("cmb")) return "--set " + name + "=TEXT";
    if (starts("cmd")) return "--click " + name;
    return "";
}

std::string oneLine(std::u16string text) {
    for (auto& c : text)
        if (c == u'\r' || c == u'\n') c = u' ';
    return host::utf8(text);
}

std::u16string captionOf(const forms::FormSnapshot& dialog, std::u16string_view control) {
    const auto text = dialog.texts.find(std::u16string(control));
    return text == dialog.texts.end() ? u"" : text->second;
}

// The tool's plain options, each with the caption the dialog shows for it (its summary when
// the dialog did not show) and the settings it stands for.
void printPlainOptions(const shell::CatalogueEntry& tool, const forms::FormSnapshot* dialog, std::ostream& out) {
    const auto rows = rowsForTool(tool);
    if (rows.empty()) return;
    out << "\nPlain options (each gives the dialog the settings shown after \"=\"):\n";
    for (const auto* row : rows) {
        const PlainFlag* flag = findPlainFlag(row->flag);
        std::string usage = std::string(row->flag);
        if (!row->word.empty())
            usage += " " + std::string(row->word);
        else if (flag->kind != ValueKind::None)
            usage += " " + std::string(flag->valueName);
        const auto captionControl = row->captionControl.empty() ? row->steps[0].control : row->captionControl;
        std::string caption = dialog ? oneLine(captionOf(*dialog, captionControl)) : "";
        if (caption.find_first_not_of(' ') == std::string::npos) caption = std::string(flag->summary);
        usage.resize(std::max<size_t>(usage.size(), 26), ' ');
        out << "  " << usage << " " << caption.substr(caption.find_first_not_of(' ')) << "\n";
        out << std::string(29, ' ') << "= " << dialogEquivalent(*row) << "\n";
        if (flag->kind == ValueKind::Colour) out << std::string(29, ' ') << "`--colour list` names the colours\n";
    }
}

}  // namespace

int runColourList(std::ostream& out) {
    out << "The dialog's palette (--colour NAME or --colour INDEX):\n";
    for (const auto& colour : paletteColours()) {
        std::string name = colour.name;
        name.resize(std::max<size_t>(name.size(), 14), ' ');
        out << "  " << name << " " << (colour.index < 10 ? " " : "") << colour.index << "  "
            << host::utf8(std::u16string(colour.tip)) << "  (--click " << host::utf8(std::u16string(colour.swatch))
            << ")\n";
    }
    return kDone;
}

int runToolHelp(const std::string& name, std::ostream& out) {
    const auto tool = findTool(name);
    if (!tool) throw Failure(kUsage, "unknown tool \"" + name + "\" (`cellwash tools` lists them)");
    CommandLineUser user(UserScript{});  // looks at the dialog and closes it
    session::HostSession session({.version = u"16.0", .startWithBlankWorkbook = true, .driver = &user});
    session.clickRibbon(std::u16string(tool->controlId));
    const auto& dialog = user.dialogAtClose();
    out << "cellwash run " << name << " WORKBOOK [options]\n";
    if (!dialog && rowsForTool(*tool).empty()) {
        out << "This command opens no tool dialog: it takes no --set or --click options.\n";
        return kDone;
    }
    if (!dialog) {
        // The counting tools open their dialog on cells to count only.
        out << "\nOn an empty workbook this tool shows no dialog, so its controls are not listed here.\n";
        printPlainOptions(*tool, nullptr, out);
        return kDone;
    }
    out << "\n" << oneLine(dialog->caption) << "\n";
    printPlainOptions(*tool, &*dialog, out);
    out << "\nThe dialog's controls (--set/--click):\n";
    for (const auto& [control, text] : dialog->texts) {
        const auto shown = dialog->shown.find(control);
        if (shown == dialog->shown.end() || !shown->second) continue;
        const std::string usage = usageOf(host::utf8(control));
        if (usage.empty() && text.empty()) continue;
        out << "  " << (usage.empty() ? host::utf8(control) : usage) << "\n";
        if (!text.empty()) out << "      " << oneLine(text) << "\n";
    }
    out << "\nThe dialog is answered Yes after the settings and clicks (--no answers No). Also: --select, --column, "
           "--active,\n--sheet, --stop-after N, --answer yes|no, --lang, --host-version, -o FILE (- for standard "
           "output),\n--format, --out-dir DIR, --in-place, --no-undo-copy, --json; several workbooks, or - for csv "
           "on standard input.\n";
    return kDone;
}

}  // namespace cli
