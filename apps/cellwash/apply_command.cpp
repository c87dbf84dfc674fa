#include "apps/cellwash/apply_command.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/recipe.h"
#include "apps/cellwash/workbook_batch.h"
#include "host/text.h"

namespace cli {

namespace {

std::string messagesOf(const CommandLineUser& user) {
    std::string text;
    for (const auto& [heading, message] : alertsOf(user)) text += (text.empty() ? "" : " / ") + host::utf8(message);
    for (const auto& box : user.messageBoxes()) text += (text.empty() ? "" : " / ") + host::utf8(box.prompt);
    for (auto& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

nlohmann::json stepJson(const ToolStep& step, const StepResult& result) {
    const RunReport& r = result.report;
    nlohmann::json entry{{"tool", step.tool},
                         {"command", r.command},
                         {"message", messagesOf(*result.user)},
                         {"changed", {{"cells", r.changes.cells}, {"sheets", r.changes.sheets}}},
                         {"seconds", result.seconds},
                         {"refused", r.refused}};
    entry["unfinished"] = r.unfinished ? nlohmann::json(*r.unfinished) : nlohmann::json(nullptr);
    return entry;
}

void printStep(size_t number, const ToolStep& step, const StepResult& result, std::ostream& out) {
    const RunReport& r = result.report;
    out << "step " << number << " " << step.tool << ": " << messagesOf(*result.user) << "\n    changed "
        << r.changes.cells << " cell(s)";
    for (const auto& sheet : r.changes.sheets) out << "; " << sheet;
    out << " in " << static_cast<long>(result.seconds * 1000 + 0.5) << " ms" << (r.refused ? " (refused)" : "") << "\n";
}

// One workbook: load, every step, save. Returns its exit status.
int applyTo(const ApplyOptions& options, const std::vector<ToolStep>& steps, const std::string& workbook,
            const OutputChoice& output, nlohmann::json& report, std::ostream& out, std::ostream& data,
            std::ostream& err) {
    const std::string name = workbookName(workbook);
    report["steps"] = nlohmann::json::array();
    report["written"] = nullptr;
    StepSession session(options, err);
    auto& book = session.open(workbook);
    bool refused = false;
    std::vector<StepResult> results;  // the reports point at their users: kept to the end
    for (size_t i = 0; i < steps.size(); ++i) {
        results.push_back(session.run(steps[i]));
        const StepResult& result = results.back();
        report["steps"].push_back(stepJson(steps[i], result));
        if (!options.json) printStep(i + 1, steps[i], result, out);
        if (result.report.unfinished)
            err << "cellwash: " << name << ": step " << i + 1 << ": " << *result.report.unfinished << "\n";
        if (!result.report.refused) continue;
        refused = true;
        if (!options.keepGoing) {
            err << "cellwash: " << name << ": step " << i + 1 << " (" << steps[i].tool
                << ") was refused; the recipe stopped and nothing was written\n";
            report["stopped_at"] = i + 1;
            return kRefused;
        }
    }
    std::vector<std::string> notes;
    const auto written = writeBook(book, workbook, output, notes, data);
    report["notes"] = notes;
    report["written"] = written ? nlohmann::json(*written) : nlohmann::json(nullptr);
    if (!options.json) {
        for (const auto& note : notes) out << "note: " << note << "\n";
        out << (written ? "written to " + writtenTo(*written)
                        : "dry run: nothing written (use -o FILE, --out-dir DIR or --in-place)")
            << "\n";
    }
    return refused ? kRefused : kDone;
}

}  // namespace

int runApply(const ApplyOptions& options, std::ostream& out, std::ostream& err) {
    const auto steps = readRecipe(options.recipe);
    std::ostream& reports = writesToStandardOutput(options.output) ? err : out;
    const WorkbookBatch batch{options.workbooks, options.output, options.outDir, options.fileLines, options.json};
    return forEachWorkbook(batch, reports, err,
                           [&](const std::string& workbook, const OutputChoice& output, nlohmann::json& report) {
                               return applyTo(options, steps, workbook, output, report, reports, out, err);
                           });
}

}  // namespace cli
