#include "apps/cellwash/run_report.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "host/text.h"

namespace cli {

namespace {

std::u16string textOr(const forms::FormSnapshot& form, const std::u16string& control) {
    const auto it = form.texts.find(control);
    return it == form.texts.end() ? u"" : it->second;
}

std::string oneLine(std::u16string text) {
    for (auto& c : text)
        if (c == u'\r' || c == u'\n') c = u' ';
    return host::utf8(text);
}

}  // namespace

std::vector<std::pair<std::u16string, std::u16string>> alertsOf(const CommandLineUser& user) {
    std::vector<std::pair<std::u16string, std::u16string>> alerts;
    for (const auto& form : user.shownForms())
        if (form.form == u"frmAlert")
            alerts.emplace_back(textOr(form, u"lblMessageHeading"), textOr(form, u"lblMessage"));
    return alerts;
}

void printReport(const RunReport& report, std::ostream& out) {
    for (const auto& [heading, message] : alertsOf(*report.user))
        out << (heading.empty() ? "" : oneLine(heading) + ": ") << oneLine(message) << "\n";
    for (size_t i = 0; i < report.user->messageBoxes().size(); ++i) {
        const auto& box = report.user->messageBoxes()[i];
        out << "message box: " << oneLine(box.prompt) << " -> "
            << (report.user->answers()[i] == 6 ? "Yes" : report.user->answers()[i] == 7 ? "No" : "OK") << "\n";
    }
    if (!report.user->progress().empty()) out << "progress: " << host::utf8(report.user->progress().back()) << "\n";
    out << "changed: " << report.changes.cells << " cell(s)";
    for (const auto& sheet : report.changes.sheets) out << "; " << sheet;
    out << "\n";
    for (const auto& note : report.notes) out << "note: " << note << "\n";
    out << (report.written ? "written to " + *report.written : "dry run: nothing written (use -o FILE or --in-place)")
        << "\n";
}

void printJsonReport(const RunReport& report, std::ostream& out) {
    nlohmann::json doc;
    doc["command"] = report.command;
    doc["alerts"] = nlohmann::json::array();
    for (const auto& [heading, message] : alertsOf(*report.user))
        doc["alerts"].push_back({{"heading", host::utf8(heading)}, {"message", host::utf8(message)}});
    doc["msgboxes"] = nlohmann::json::array();
    for (size_t i = 0; i < report.user->messageBoxes().size(); ++i) {
        const auto& box = report.user->messageBoxes()[i];
        nlohmann::json entry{{"prompt", host::utf8(box.prompt)}, {"buttons", box.buttons},
                             {"answer", report.user->answers()[i]}};
        entry["title"] = box.title ? nlohmann::json(host::utf8(*box.title)) : nlohmann::json(nullptr);
        doc["msgboxes"].push_back(entry);
    }
    doc["progress"] = nlohmann::json::array();
    for (const auto& caption : report.user->progress()) doc["progress"].push_back(host::utf8(caption));
    doc["status_bar"] = report.statusBar;
    doc["dialog"] = nlohmann::json::object();
    if (const auto& dialog = report.user->dialogAtClose())
        for (const auto& [control, text] : dialog->texts) doc["dialog"][host::utf8(control)] = host::utf8(text);
    doc["changed"] = {{"cells", report.changes.cells}, {"sheets", report.changes.sheets}};
    doc["written"] = report.written ? nlohmann::json(*report.written) : nlohmann::json(nullptr);
    doc["refused"] = report.refused;
    doc["notes"] = report.notes;
    out << doc.dump(2) << "\n";
}

}  // namespace cli
