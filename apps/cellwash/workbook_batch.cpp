#include "apps/cellwash/workbook_batch.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "apps/cellwash/cli_failure.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

void checkBatch(const WorkbookBatch& batch) {
    const auto& output = batch.output;
    const int ways = (output.outputPath ? 1 : 0) + (batch.outDir ? 1 : 0) + (output.inPlace ? 1 : 0);
    if (ways > 1) throw Failure(kUsage, "give one of -o FILE, --out-dir DIR and --in-place");
    if (std::count(batch.workbooks.begin(), batch.workbooks.end(), kStandardStream) > 1)
        throw Failure(kUsage, "standard input (-) can be read once: give it as one workbook only");
    for (const auto& workbook : batch.workbooks) {
        if (workbook == kStandardStream && batch.outDir)
            throw Failure(kUsage, "standard input has no name to write under --out-dir: give -o FILE or -o -");
        outputFor(workbook, output, batch.outDir, batch.workbooks.size());
    }
}

// The failure's message, naming the workbook when it does not already.
std::string namedFailure(const std::string& workbook, const std::string& what) {
    const std::string name = workbookName(workbook);
    return what.find(name) == std::string::npos ? name + ": " + what : what;
}

}  // namespace

std::string workbookName(const std::string& workbook) {
    return workbook == kStandardStream ? "standard input" : workbook;
}

OutputChoice outputFor(const std::string& workbook, const OutputChoice& output,
                       const std::optional<std::string>& outDir, size_t workbookCount) {
    if (output.outputPath && workbookCount > 1)
        throw Failure(kUsage, "-o names one file: with several workbooks give --out-dir DIR or --in-place");
    if (!outDir) {
        checkOutputChoice(output, workbook);
        return output;
    }
    if (!fs::is_directory(*outDir)) throw Failure(kUsage, "--out-dir " + *outDir + ": no such folder");
    OutputChoice choice = output;
    choice.outputPath = (fs::path(*outDir) / fs::path(workbook).filename()).string();
    if (fs::exists(*choice.outputPath) && fs::equivalent(*choice.outputPath, workbook))
        throw Failure(kUsage,
                      "--out-dir " + *outDir + " holds " + workbook + " itself; use --in-place to save over it");
    checkOutputChoice(choice, workbook);
    return choice;
}

int forEachWorkbook(const WorkbookBatch& batch, std::ostream& out, std::ostream& err, const WorkbookJob& job) {
    checkBatch(batch);
    const size_t count = batch.workbooks.size();
    int worst = kDone;
    nlohmann::json reports = nlohmann::json::array();
    for (size_t i = 0; i < count; ++i) {
        const std::string& workbook = batch.workbooks[i];
        if (batch.progressLine && count > 1)
            err << "cellwash: [" << i + 1 << "/" << count << "] " << workbookName(workbook) << "\n" << std::flush;
        if (!batch.json && count > 1) out << "== " << workbookName(workbook) << "\n";
        nlohmann::json report = nlohmann::json::object();
        int status;
        try {
            status = job(workbook, outputFor(workbook, batch.output, batch.outDir, count), report);
        } catch (const Failure& failure) {
            // Arguments that do not fit stop the command: they would not fit the next workbook either.
            if (failure.status() == kUsage)
                throw count > 1 ? Failure(kUsage, namedFailure(workbook, failure.what())) : failure;
            err << "cellwash: " << namedFailure(workbook, failure.what()) << "\n";
            report["error"] = failure.what();
            status = failure.status();
        } catch (const std::exception& e) {
            err << "cellwash: " << namedFailure(workbook, e.what()) << "\n";
            report["error"] = e.what();
            status = kRefused;
        }
        report["workbook"] = workbook;
        report["status"] = status;
        reports.push_back(report);
        worst = std::max(worst, status);
    }
    if (batch.json) out << (count == 1 ? reports[0] : reports).dump(2) << "\n";
    return worst;
}

}  // namespace cli
