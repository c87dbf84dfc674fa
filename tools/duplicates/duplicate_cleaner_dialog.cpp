// The duplicate cleaner's set-up rows of frmMain.
#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/layout_steps.h"
#include "tools/duplicates/duplicate_cleaner.h"

namespace tools::duplicates {

namespace {

using Op = dialog::LayoutOp;
using dialog::LayoutStep;
using dialog::SetUpRow;

// The page, the hidden switches and the example label every row shares.
#define CW_DUPLICATE_PAGE                                                                           \
    {Op::Show, u"frmDataOrganizer"}, {Op::Show, u"frmDO1to4"}, {Op::Hide, u"chkChartObject"},       \
        {Op::Hide, u"chkRemoveAS"}, {Op::Hide, u"chkCleanWhiteSpaces"}, {Op::Show, u"lblCaseEx"}, { \
        Op::SelectionCount, u"lblDOSelCells"                                                        \
    }

constexpr LayoutStep kKeepFirst[] = {
    CW_DUPLICATE_PAGE,
    {Op::Show, u"frmDOOptions"},
    {Op::Caption, u"optDelEntireIfBlank", u"Delete Entrie Row (If duplicate Found)"},
    {Op::Caption, u"optDelEmptyCells", u"Delete Duplicate Text Entry (Remove Empty Cell)"},
    {Op::Caption, u"optDelEntire", u"Delete Duplicate Text Entry (Leave Empty Cell)"},
    {Op::Caption, u"lblCaseEx", u"All Duplicate Entries will be deleted but leaves only first."},
    {Op::Caption, u"lblDO1to4Help", u"Press Yes Button to Delete Duplicate Entries"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove Duplicate Entries and Keep First ?"},
};
constexpr LayoutStep kRemoveAll[] = {
    CW_DUPLICATE_PAGE,
    {Op::Show, u"frmDOOptions"},
    {Op::Caption, u"optDelEntireIfBlank", u"Delete Entrie Row (If duplicate Found)"},
    {Op::Caption, u"optDelEmptyCells", u"Delete Duplicate Text Entry (Remove Empty Cell)"},
    {Op::Caption, u"optDelEntire", u"Delete Duplicate Text Entry (Leave Empty Cell)"},
    {Op::Caption, u"lblCaseEx", u"All Duplicate Entries will be deleted and leaves only Unique Distinct Entries."},
    {Op::Caption, u"lblDO1to4Help", u"Press Yes Button to Delete All Duplicate Entries"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove All Duplicate Entries ?"},
};
constexpr LayoutStep kSecondList[] = {
    CW_DUPLICATE_PAGE,
    {Op::Hide, u"frmDOOptions"},
    {Op::Caption, u"lblCaseEx", u"All Entries of 2nd Column will be deleted from 1st Column."},
    {Op::Caption, u"lblDO1to4Help", u"Press Yes Button to Delete Duplicate Entries"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove Entries of 2nd Column exist in 1st?"},
};
constexpr LayoutStep kUniques[] = {
    CW_DUPLICATE_PAGE,
    {Op::Show, u"frmDOOptions"},
    {Op::Caption, u"optDelEntireIfBlank", u"Delete Entrie Row (If Unique Found)"},
    {Op::Caption, u"optDelEmptyCells", u"Delete Unique Text Entry (Remove Empty Cell)"},
    {Op::Caption, u"optDelEntire", u"Delete Unique Text Entry (Leave Empty Cell)"},
    {Op::Caption, u"lblCaseEx", u"All Unique Entries will be deleted."},
    {Op::Caption, u"lblDO1to4Help", u"Press Yes Button to Delete Unique Entries"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove Unique/Distinct Entries ?"},
};
#undef CW_DUPLICATE_PAGE

constexpr SetUpRow kRows[] = {
    {u"removeDuplicatesKeepFirst", u"DuplicateCleaner1", kKeepFirst},
    {u"removeDuplicatesAll", u"DuplicateCleaner2", kRemoveAll},
    {u"removeFrom2ndList", u"DuplicateCleaner3", kSecondList},
    {u"removeUniquesAll", u"DuplicateCleaner5", kUniques},
};

}  // namespace

void setUpDuplicateCleanerDialog(std::u16string& commandKey) {
    const SetUpRow* row = dialog::findSetUpRow(kRows, commandKey);
    if (!row) return;
    dialog::FrmMain& form = dialog::frmMain();
    dialog::applyLayoutSteps(form, row->steps);
    dialog::activeDCKey = row->toolKey;
    form.lblMainHeader.setCaption(u"Cellwash - Duplicate Cleaner");
    form.Show();
}

}  // namespace tools::duplicates
