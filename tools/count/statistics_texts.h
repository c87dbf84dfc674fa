#pragma once
// The texts the statistics dialog shows: its header, the status line at each step (their
// spelling as the dialog has always shown it) and the final status of each scope.
#include <cstdint>
#include <string>
#include <string_view>

namespace tools::count {

enum class Scope { ActiveSheet, AllSheets, Selection };

inline constexpr std::u16string_view kCountToolHeader = u"Cellwash - Count Tool";
inline constexpr std::u16string_view kPleaseWait = u"Analayzing...Please Wait";
inline const std::u16string kAnalayzing = u"Analayzing...";
inline constexpr std::u16string_view kCountingSheets = u"Counting...Sheets";
inline constexpr std::u16string_view kCountingHidden = u"Counting Hidden Sheets...";
inline constexpr std::u16string_view kCountingVisible = u"Counting Visible Sheets...";

// "Statistics: Active Sheet and TextFrames..." and its five siblings.
std::u16string_view finalStatus(Scope scope, bool withShapes);

// prefix + the count so far, e.g. "Counting Visible Sheets...2".
std::u16string sheetCountStatus(std::u16string_view prefix, std::int64_t countSoFar);

// The dialog's height for the count tools, in twips.
inline constexpr double kCountDialogHeightTwips = 4725;

}  // namespace tools::count
