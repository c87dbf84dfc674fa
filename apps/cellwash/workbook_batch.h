#pragma once
// Several workbooks, each on its own: loaded, changed and saved by itself. On a terminal a
// progress line names each file; an error in one is reported with its name and the others
// go on; the exit status is the worst of them. `run` and `apply` both go through here.
#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "apps/cellwash/book_files.h"

namespace cli {

struct WorkbookBatch {
    std::vector<std::string> workbooks;  // "-" (at most once): csv from standard input
    OutputChoice output;                 // -o (one workbook only), --in-place, --format, --no-undo-copy
    std::optional<std::string> outDir;   // --out-dir DIR: each result under its own name
    bool progressLine = false;           // name each file on stderr as it starts (a terminal)
    bool json = false;                   // one JSON report (an array of them for several)
};

// The work on one workbook: `output` says where its result goes; `report` is its JSON report
// (used with --json). Returns its exit status; a Failure other than a usage error is that
// workbook's alone.
using WorkbookJob = std::function<int(const std::string& workbook, const OutputChoice& output, nlohmann::json& report)>;

// Checks the batch before anything is loaded (usage errors), then runs the job on each
// workbook: "== NAME" before each text report when there are several, the JSON reports at
// the end. Returns the worst status.
int forEachWorkbook(const WorkbookBatch& batch, std::ostream& out, std::ostream& err, const WorkbookJob& job);

// Where a workbook's result goes: -o only for one workbook, --out-dir DIR as DIR/<its name>,
// --in-place over itself.
OutputChoice outputFor(const std::string& workbook, const OutputChoice& output,
                       const std::optional<std::string>& outDir, size_t workbookCount);

// How messages name a workbook: its path, or "standard input" for "-".
std::string workbookName(const std::string& workbook);

}  // namespace cli
