#pragma once
// A WalkReporter for tests of the walks themselves: a fixed deletion mode, every progress
// step recorded, and a stop after a chosen number of items of either pass.
#include <vector>

#include "tools/duplicates/duplicate_walks.h"

namespace duplicatestest {

class WalkRecorder : public tools::duplicates::WalkReporter {
public:
    explicit WalkRecorder(tools::duplicates::DeletionMode mode = tools::duplicates::DeletionMode::ClearContents)
        : mode_(mode) {}

    int stopAfter = -1;  // items done (both passes) after which the walk is told to stop
    std::vector<std::int32_t> counts;
    std::vector<std::int32_t> firstPassTotals, secondPassTotals;
    int visited = 0;

    void showCount(std::int32_t count) override { counts.push_back(count); }
    tools::duplicates::DeletionMode deletionMode() override { return mode_; }
    bool itemDone(std::int32_t total) override {
        firstPassTotals.push_back(total);
        return ++visited != stopAfter;
    }
    bool secondPassItemDone(std::int32_t total) override {
        secondPassTotals.push_back(total);
        return ++visited < stopAfter || stopAfter < 0;
    }

private:
    tools::duplicates::DeletionMode mode_;
};

}  // namespace duplicatestest
