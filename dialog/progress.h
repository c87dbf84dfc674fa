#pragma once
// The per-item step every tool loop performs, in one place: count the item, test the stop
// flag, show prefix + percentage + " %" in the dialog's progress label, yield to the host's
// message loop. The percentage is done × 100 in 32-bit arithmetic (an overflow, past
// 21,474,836 items, skips that update), divided as floating point by the total fixed before
// the loop, rounded half to even, and not clamped.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "forms/simple_controls.h"

namespace dialog {

// The prefixes of the progress texts, by tool family and phase.
inline constexpr std::u16string_view kRemoving = u"Removing...";
inline constexpr std::u16string_view kAnalyzing = u"Analyzing...";
inline constexpr std::u16string_view kConverting = u"Converting...";
inline constexpr std::u16string_view kColoring = u"Coloring...";
inline constexpr std::u16string_view kTransposing = u"Transposing...";
inline constexpr std::u16string_view kProcessing = u"Processing...";

// The whole-number percentage shown for `done` of `total`; nothing when done × 100
// overflows 32 bits or the total is 0 (the update is then skipped).
std::optional<std::int64_t> progressPercent(std::int32_t done, std::int32_t total);

// How far the latest loop went: items done of its total. A report of a run the user stopped
// tells from it how much was processed.
struct LoopProgress {
    std::int32_t done = 0;
    std::int32_t total = 0;
};
LoopProgress latestLoop();
// For a loop with a read-out of its own: how far it went so far.
void noteLoopProgress(LoopProgress progress);

// Shows prefix + percent + " %" ("Removing...45 %") in `label` unless it shows it already; for
// loops that show it at every item (the text is made in a buffer kept from call to call).
void showProgressText(forms::Label& label, std::u16string_view prefix, std::int64_t percent);

class ProgressReadout {
public:
    // `label` is the progress label of frmMain; the form is kept alive for the run.
    ProgressReadout(forms::Label& label, std::u16string_view prefix, std::int32_t total);

    // The common order of steps 2 to 5, after the item's work: count, stop test, label,
    // yield. False when the stop flag is set before the label (no label, no yield) or by a
    // Stop click the yield delivered: either way the loop ends at once.
    bool itemDone();

    // The single steps, for loops whose order differs.
    void countItem();
    void showPercent();
    // For a loop whose total grows as it runs: the total from now on.
    void setTotal(std::int32_t total);
    static void yield();

    std::int32_t done() const { return done_; }
    std::int32_t total() const { return total_; }

private:
    std::shared_ptr<forms::Form> keepForm_;
    forms::Label& label_;
    std::u16string prefix_;
    std::int32_t total_;
    std::int32_t done_ = 0;
    std::u16string text_;  // the last text made: most items leave the percentage as it was
    std::optional<std::int64_t> textPercent_;
};

}  // namespace dialog
