#pragma once
// The scope options of the statistics page and the count each one starts.
#include <optional>

#include "tools/count/statistics_texts.h"

namespace dialog {
class FrmMain;
}

namespace tools::count {

// The selected scope option of `form`, or nothing when none is selected.
std::optional<Scope> selectedScope(const dialog::FrmMain& form);

// CountStatsActiveSheet, CountStatsAllSheets or CountStatsSelection.
void countScope(Scope scope);

}  // namespace tools::count
