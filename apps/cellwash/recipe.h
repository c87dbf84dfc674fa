#pragma once
// A recipe: the steps of a cleaning, one JSON object per step, replayed by `cellwash apply`.
//
//   {"steps": [
//     {"tool": "remove-extra-spaces", "select": "A2:C10"},
//     {"tool": "remove-duplicates-keep-first", "column": "Email", "mode": "entire-row"},
//     {"tool": "color-nth-row", "select": "A1:D10", "nth": "2", "colour": "light-yellow"}]}
//
// A step holds the tool, the selection (select, column, sheet, active), its plain options by
// name without the dashes (a flag as true) and, for everything else, set, click, no, answer.
#include <string>
#include <vector>

#include "apps/cellwash/run_command.h"

namespace cli {

// Reads the recipe file; a file that is no recipe is Failure(kUsage) naming what is wrong.
std::vector<ToolStep> readRecipe(const std::string& path);

// Appends the step to the recipe file, creating it when absent.
void appendToRecipe(const std::string& path, const ToolStep& step);

}  // namespace cli
