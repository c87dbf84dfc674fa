#include "apps/cellwash/apply_command.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/recipe.h"
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
            nlohmann::json& report, std::ostream& out, std::ostream& err) {
    report = {{"workbook", workbook}, {"steps", nlohmann::json::array()}, {"written", nullptr}};
    const OutputChoice output = outputFor(workbook, options.output, options.outDir, options.workbooks.size());
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
            err << "cellwash: " << workbook << ": step " << i + 1 << ": " << *result.report.unfinished << "\n";
        if (!result.report.refused) continue;
        refused = true;
        if (!options.keepGoing) {
            err << "cellwash: " << workbook << ": step " << i + 1 << " (" << steps[i].tool
                << ") was refused; the recipe stopped and nothing was written\n";
            report["stopped_at"] = i + 1;
            return kRefused;
        }
    }
    std::vector<std::string> notes;
    const auto written = writeBook(book, workbook, output, notes);
    report["notes"] = notes;
    report["written"] = written ? nlohmann::json(*written) : nlohmann::json(nullptr);
    if (!options.json) {
        for (const auto& note : notes) out << "note: " << note << "\n";
        out << (written ? "written to " + *written
                        : "dry run: nothing written (use -o FILE, --out-dir DIR or --in-place)")
            << "\n";
    }
    return refused ? kRefused : kDone;
}

}  // namespace

OutputChoice outputFor(const std::string& workbook, const OutputChoice& output,
                       const std::optional<std::string>& outDir, size_t workbookCount) {
    const int ways = (output.outputPath ? 1 : 0) + (outDir ? 1 : 0) + (output.inPlace ? 1 : 0);
    if (ways > 1) throw Failure(kUsage, "give one of -o FILE, --out-dir DIR and --in-place");
    if (output.outputPath && workbookCount > 1)
        throw Failure(kUsage, "-o names one file: with several workbooks give --out-dir DIR or --in-place");
    if (!outDir) return output;
    if (!std::filesystem::is_directory(*outDir)) throw Failure(kUsage, "--out-dir " + *outDir + ": no such folder");
    OutputChoice choice;
    choice.outputPath = (std::filesystem::path(*outDir) / std::filesystem::path(workbook).filename()).string();
    if (std::filesystem::exists(*choice.outputPath) && std::filesystem::equivalent(*choice.outputPath, workbook))
        throw Failure(kUsage,
                      "--out-dir " + *outDir + " holds " + workbook + " itself; use --in-place to save over it");
    return choice;
}

int runApply(const ApplyOptions& options, std::ostream& out, std::ostream& err) {
    const auto steps = readRecipe(options.recipe);
    outputFor(options.workbooks.front(), options.output, options.outDir, options.workbooks.size());  // usage first
    int worst = kDone;
    nlohmann::json reports = nlohmann::json::array();
    for (const auto& workbook : options.workbooks) {
        if (options.progressBar) err << "cellwash: " << workbook << "\n";
        if (!options.json && options.workbooks.size() > 1) out << "== " << workbook << "\n";
        nlohmann::json report;
        int status;
        try {
            status = applyTo(options, steps, workbook, report, out, err);
        } catch (const Failure& failure) {
            if (failure.status() == kUsage) throw;  // the recipe does not fit: the same for every workbook
            const std::string what = failure.what();
            err << "cellwash: " << (what.find(workbook) == std::string::npos ? workbook + ": " : "") << what << "\n";
            report["error"] = failure.what();
            status = failure.status();
        }
        report["status"] = status;
        reports.push_back(report);
        worst = std::max(worst, status);
    }
    if (options.json) out << (options.workbooks.size() == 1 ? reports[0] : reports).dump(2) << "\n";
    return worst;
}

}  // namespace cli
