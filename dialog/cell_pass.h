#pragma once
// The walk of a tool over the cells of a range with the per-item step after every cell:
// each cell's work runs with host errors ignored (a failing call skips that cell's work),
// every cell counts, and the walk ends after the cell during which Stop was pressed.
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "shell/resume_next.h"

namespace dialog {

template <class Work>
void runCellPass(const host::RangePtr& range, ProgressReadout& progress, Work&& work) {
    shell::resumeNext([&] {
        forEachCell(range, [&](const host::RangePtr& cell) {
            shell::resumeNext([&] { work(cell); });
            return progress.itemDone();
        });
    });
}

}  // namespace dialog
