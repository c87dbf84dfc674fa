#pragma once
// The count page's events of frmMain: what starts a count once the dialog exists. frmMain
// raises its layout event through the countToolsLayout routine the family registers; the set-ups wire
// the page's option, check-box and mouse-move handlers when they prepare the dialog.
//
//   event                               condition                                 count
//   layout, key "CountTool1to3"         (see AutoCountOnLayout)                   scope
//   layout, key "CountTool5" / "4"      not dragged                               tally
//   scope option click                  auto count on, clicks not suppressed      scope
//   chkIncludeShapes click              always                                    scope
//   optCountUnique / Duplicate click    clicks not suppressed                     tally
//   mouse move over a count control     always                                    hint
#include <string_view>

namespace dialog {
class FrmMain;
}

namespace tools::count {

// The layout event's count-tool part (before frmMain lets option clicks count again).
void countToolsLayout(dialog::FrmMain& form);

// Attaches the count page's handlers to the controls of `form`.
void wireCountPage(dialog::FrmMain& form);

void optActiveSheet_Click(dialog::FrmMain& form);
void optActiveWorkbook_Click(dialog::FrmMain& form);
void optSelectedCells_Click(dialog::FrmMain& form);
void chkIncludeShapes_Click(dialog::FrmMain& form);
void optCountUnique_Click();
void optCountDuplicate_Click();

// The hint of a control of the statistics page in lblTips, with its font size.
void showHint(dialog::FrmMain& form, std::u16string_view control);

}  // namespace tools::count
