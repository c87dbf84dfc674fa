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

// The reports go to `out`, or to `err` when the result is written to standard output.
int runApply(const ApplyOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
