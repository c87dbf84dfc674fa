#include "apps/cellwash/run_report.h"

#include <algorithm>
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

// The count tools' figures on frmMain: the caption label and the number label of each row.
constexpr std::pair<const char16_t*, const char16_t*> kCountFigures[] = {
    {u"lblWordsCap", u"ctrWords"},
    {u"lblCharsNoSpacesCap", u"ctrChars"},
    {u"lblCharsWithSpacesCap", u"ctrCharsSpaces"},
    {u"lblSheetsCap", u"ctrSheetsVisible"},
    {u"lblSheetsHiddenCap", u"ctrSheetsHidden"},
    {u"Label20", u"lblSelectedCells"},
    {u"Label21", u"lblUnique"},
    {u"lblDiplicateCaption", u"lblDuplicate"},
    {u"Label23", u"lblDistinct"},
};

// The figures the dialog showed when it closed, as (caption, number), for the rows it showed.
std::vector<std::pair<std::string, std::string>> figuresOf(const CommandLineUser& user) {
    std::vector<std::pair<std::string, std::string>> figures;
    const auto& dialog = user.dialogAtClose();
    if (!dialog || dialog->form != u"frmMain") return figures;
    for (const auto& [caption, number] : kCountFigures) {
        const auto shown = dialog->shown.find(number);
        if (shown == dialog->shown.end() || !shown->second) continue;
        figures.emplace_back(oneLine(textOr(*dialog, caption)), oneLine(textOr(*dialog, number)));
    }
    return figures;
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
            << (report.user->answers()[i] == 6   ? "Yes"
                : report.user->answers()[i] == 7 ? "No"
                                                 : "OK")
            << "\n";
    }
    if (!report.user->progress().empty()) out << "progress: " << host::utf8(report.user->progress().back()) << "\n";
    for (const auto& [caption, number] : figuresOf(*report.user)) {
        std::string label = caption;
        label.resize(std::max<size_t>(label.size(), 28), ' ');
        out << "  " << label << " " << number << "\n";
    }
    if (report.user->answeredNo()) out << "answered No: the tool did not run\n";
    if (report.stoppedAfter)
        out << "stopped: Stop was pressed after " << report.stoppedAfter->first << " of " << report.stoppedAfter->second
            << " item(s); the rest was not processed\n";
    if (report.cellsNotWritten)
        out << "not written: " << report.cellsNotWritten << " cell(s), the first " << report.firstNotWritten << "\n";
    out << "changed: " << report.changes.cells << " cell(s)";
    for (const auto& sheet : report.changes.sheets) out << "; " << sheet;
    out << "\n";
    for (const auto& note : report.notes) out << "note: " << note << "\n";
    if (report.written)
        out << "written to " << writtenTo(*report.written) << "\n";
    else if (report.refused)
        out << "nothing written: the tool refused or did not finish (its message is above)\n";
    else
        out << "dry run: nothing written (use -o FILE, --out-dir DIR or --in-place)\n";
}

std::string writtenTo(const std::string& written) { return written == "-" ? "standard output" : written; }

nlohmann::json jsonReport(const RunReport& report) {
    nlohmann::json doc;
    doc["command"] = report.command;
    doc["alerts"] = nlohmann::json::array();
    for (const auto& [heading, message] : alertsOf(*report.user))
        doc["alerts"].push_back({{"heading", host::utf8(heading)}, {"message", host::utf8(message)}});
    doc["msgboxes"] = nlohmann::json::array();
    for (size_t i = 0; i < report.user->messageBoxes().size(); ++i) {
        const auto& box = report.user->messageBoxes()[i];
        nlohmann::json entry{
            {"prompt", host::utf8(box.prompt)}, {"buttons", box.buttons}, {"answer", report.user->answers()[i]}};
        entry["title"] = box.title ? nlohmann::json(host::utf8(*box.title)) : nlohmann::json(nullptr);
        doc["msgboxes"].push_back(entry);
    }
    doc["progress"] = nlohmann::json::array();
    for (const auto& caption : report.user->progress()) doc["progress"].push_back(host::utf8(caption));
    doc["status_bar"] = report.statusBar;
    doc["stopped"] = report.stoppedAfter
                         ? nlohmann::json{{"done", report.stoppedAfter->first}, {"total", report.stoppedAfter->second}}
                         : nlohmann::json(nullptr);
    doc["not_written"] = {{"cells", report.cellsNotWritten}, {"first", report.firstNotWritten}};
    doc["dialog"] = nlohmann::json::object();
    if (const auto& dialog = report.user->dialogAtClose())
        for (const auto& [control, text] : dialog->texts) {
            const auto shown = dialog->shown.find(control);
            if (shown != dialog->shown.end() && shown->second && !text.empty())
                doc["dialog"][host::utf8(control)] = host::utf8(text);
        }
    doc["figures"] = nlohmann::json::array();
    for (const auto& [caption, number] : figuresOf(*report.user))
        doc["figures"].push_back({{"label", caption}, {"value", number}});
    doc["changed"] = {{"cells", report.changes.cells}, {"sheets", report.changes.sheets}};
    doc["written"] = report.written ? nlohmann::json(*report.written) : nlohmann::json(nullptr);
    doc["refused"] = report.refused;
    doc["unfinished"] = report.unfinished ? nlohmann::json(*report.unfinished) : nlohmann::json(nullptr);
    doc["notes"] = report.notes;
    return doc;
}

}  // namespace cli
