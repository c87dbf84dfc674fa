#pragma once
// The walks of the duplicate cleaner over a target range already cut to the used range:
// what each tool counts, removes and reports per row. The dialog glue (duplicate_cleaner.h)
// supplies the reporter; tests and benchmarks may supply their own.
#include <cstdint>

#include "host/fwd.h"
#include "tools/duplicates/deletion_mode.h"

namespace tools::duplicates {

class WalkReporter {
public:
    virtual ~WalkReporter() = default;
    // The number the count read-out shows (rows, or cells of the second column).
    virtual void showCount(std::int32_t count) = 0;
    // Read before every removal.
    virtual DeletionMode deletionMode() = 0;
    // After an item's work: count it, test the stop flag, show progress against `total`,
    // yield. False when the walk is to stop.
    virtual bool itemDone(std::int32_t total) = 0;
    // After a second-pass item: yield, count it, test the stop flag, show progress.
    virtual bool secondPassItemDone(std::int32_t total) = 0;
};

// DC1 (removeAll false) and DC2 (removeAll true): bottom-up walk over the first column of
// `target`, counting each entry over `target`; DC2 ends with its second pass through Find.
void walkDuplicates(const host::Application& app, const host::RangePtr& target, bool removeAll, WalkReporter& reporter);

// DC5: bottom-up walk removing the entries that occur exactly once in `target`.
void walkUniques(const host::Application& app, const host::RangePtr& target, WalkReporter& reporter);

// DC3: top-down walk over the first column of `target`, clearing the entries that occur in its
// second column.
void walkSecondList(const host::Application& app, const host::RangePtr& target, WalkReporter& reporter);

}  // namespace tools::duplicates
