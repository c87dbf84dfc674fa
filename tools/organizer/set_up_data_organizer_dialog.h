#pragma once
// The data organizer family's set-up of frmMain: lays the dialog out for one of the twelve
// command keys, stores the tool key in activeDOKey and shows the dialog modally; returns
// when the dialog has been closed.
#include <span>
#include <string>

#include "dialog/layout_steps.h"

namespace tools::organizer {

void setUpDataOrganizerDialog(std::u16string& commandKey);

// The twelve rows, in catalogue order.
std::span<const dialog::SetUpRow> dataOrganizerRows();

// Dialog heights of the data organizer layouts, in twips.
inline constexpr double kOrganizerHeightTwips = 5340;
inline constexpr double kCompactAHeightTwips = 3840;
inline constexpr double kCompactBHeightTwips = 3940;

}  // namespace tools::organizer
