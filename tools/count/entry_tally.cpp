// TallyEntries: two passes over the selection's values with a progress text after every
// item. The first pass counts each value's occurrences in a map kept in first-seen order;
// the second walks the map's values. The total of the percentage is the cell count plus the
// values seen so far, so it grows while the first pass finds new values.
#include <algorithm>
#include <limits>
#include <memory>
#include <string_view>

#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/range.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"
#include "tools/count/count_tool_module.h"
#include "tools/count/text_figures.h"
#include "tools/count/value_map.h"

namespace tools::count {

namespace {

constexpr std::u16string_view kCountingPrefix = u"Counting...";

// The progress text of the tally in lblCT4to5Header, rewritten after every item.
class TallyProgress {
public:
    TallyProgress(dialog::FrmMain& form, std::int32_t cellCount)
        : form_(form), keep_(form.keepAlive()), cellCount_(cellCount) {}

    // One more item done: yield, then prefix + round(done × 100 ÷ (cellCount + k)) + " %".
    void itemDone(std::u16string_view prefix, std::int64_t valuesSoFar) {
        if (done_ < std::numeric_limits<std::int32_t>::max()) ++done_;
        const auto total = static_cast<std::int32_t>(
            std::min<std::int64_t>(cellCount_ + valuesSoFar, std::numeric_limits<std::int32_t>::max()));
        dialog::noteLoopProgress({done_, total});
        dialog::ProgressReadout::yield();
        const auto percent = dialog::progressPercent(done_, total);
        if (percent) dialog::showProgressText(form_.lblCT4to5Header, prefix, *percent);
    }

private:
    dialog::FrmMain& form_;
    std::shared_ptr<forms::Form> keep_;
    std::int64_t cellCount_;
    std::int32_t done_ = 0;
};

// The entry's value: the cell's text through TRIM; a cell that cannot be read counts as "".
std::u16string entryValue(const host::WorksheetFunctionPtr& functions, const host::RangePtr& cell) {
    std::u16string value;
    shell::resumeNext([&] { value = functions->Trim(valueText(cell->Value())); });
    return value;
}

void firstPass(ValueMap& values, TallyProgress& progress) {
    host::RangePtr selection;
    host::WorksheetFunctionPtr functions;
    shell::resumeNext([&] {
        selection = shell::hostApplication->Selection();
        functions = shell::hostApplication->WorksheetFunction();
    });
    if (!functions) return;
    shell::resumeNext([&] {
        dialog::forEachCell(selection, [&](const host::RangePtr& cell) {
            values.add(entryValue(functions, cell));
            progress.itemDone(dialog::kAnalyzing, static_cast<std::int64_t>(values.size()));
            return !dialog::stopRequested;
        });
    });
}

void secondPass(const ValueMap& values, TallyProgress& progress) {
    const auto k = static_cast<std::int64_t>(values.size());
    for (std::size_t j = 0; j < values.size(); ++j) {
        const std::int64_t c = values.countAt(j);
        if (c > 1) entryTally.duplicateEntries += c;
        if (c == 1) ++entryTally.singleValues;
        progress.itemDone(kCountingPrefix, k);
        if (dialog::stopRequested) return;
    }
}

}  // namespace

void TallyEntries(std::int32_t cellCount) {
    dialog::FrmMain& form = dialog::frmMain();
    entryTally.distinctValues = 0;
    entryTally.duplicateEntries = 0;
    entryTally.singleValues = 0;
    dialog::stopRequested = false;
    form.cmdStop.setVisible(true);
    TallyProgress progress(form, cellCount);
    {
        ValueMap values;
        firstPass(values, progress);
        secondPass(values, progress);  // also after a stop in the first pass
        entryTally.distinctValues = static_cast<std::int64_t>(values.size());
    }
    form.cmdStop.setVisible(false);
}

}  // namespace tools::count
