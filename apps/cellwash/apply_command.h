#pragma once
// `cellwash apply RECIPE WORKBOOK...`: the recipe's steps on each workbook, one load and one
// save per workbook. A refused step stops that workbook and nothing of it is written, unless
// --keep-going; each workbook is on its own, and the exit status is the worst of them.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "apps/cellwash/run_command.h"

namespace cli {

struct ApplyOptions : SessionSettings {
    std::string recipe;
    std::vector<std::string> workbooks;
    OutputChoice output;
    std::optional<std::string> outDir;  // --out-dir: each workbook under its own name
    bool keepGoing = false;
    bool json = false;
};

int runApply(const ApplyOptions& options, std::ostream& out, std::ostream& err);

// Where a workbook's result goes when several are written: -o only for one workbook,
// --out-dir DIR as DIR/<its name>, --in-place over itself.
OutputChoice outputFor(const std::string& workbook, const OutputChoice& output,
                       const std::optional<std::string>& outDir, size_t workbookCount);

}  // namespace cli
