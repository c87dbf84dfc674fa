// The set-up rows of the data organizer family: layout and captions per command key.
#include "dialog/frm_main.h"
#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/resume_next.h"
#include "tools/organizer/set_up_data_organizer_dialog.h"

namespace tools::organizer {

namespace {

using Op = dialog::LayoutOp;
using dialog::decimalText;
using dialog::FrmMain;
using dialog::LayoutStep;
using dialog::SetUpRow;
using shell::resumeNext;

host::Application& app() { return *shell::hostApplication; }

void compactLayout(FrmMain& form, double pageHeight, double buttonTop, double dialogTwips) {
    form.frmDataOrganizer.setHeight(pageHeight);
    form.cmdNo.setTop(buttonTop);
    form.cmdYes.setTop(buttonTop);
    form.setHeightTwips(dialogTwips);
}
void compactLayoutA(FrmMain& form) { compactLayout(form, 124.5, 167.5, kCompactAHeightTwips); }
void compactLayoutB(FrmMain& form) { compactLayout(form, 125.5, 172.5, kCompactBHeightTwips); }

// "removeRows": a single cell or a single row selected means the whole active sheet.
void singleRowMeansActiveSheet(FrmMain& form) {
    const host::RangePtr selection = app().Selection();
    if (selection && (selection->Rows()->Count() == 1 || selection->CountLarge() == 1)) {
        form.chkRemoveAS.setCaption(u" Remove From Active Sheet");
        form.chkRemoveAS.setValue(true);
    }
}

// "removeSheets": the active workbook's sheets, or the open workbooks when there are several.
void sheetsScope(FrmMain& form) {
    form.Label44.setCaption(u"Total Sheets : ");
    resumeNext([&] { form.lblDOSelCells.setCaption(decimalText(app().ActiveWorkbook()->Worksheets()->Count())); });
    resumeNext([&] {
        form.optDelEntireIfBlank.setCaption(u"Delete from Active Workbook (" + app().ActiveWorkbook()->Name() + u")");
    });
    resumeNext([&] {
        const long books = app().Workbooks()->Count();
        if (books < 2) {
            form.optDelEmptyCells.setCaption(u"Delete from All Open Workbook");
            form.optDelEmptyCells.setEnabled(false);
            return;
        }
        form.Label44.setCaption(u"Total Workbooks : ");
        form.lblDOSelCells.setCaption(decimalText(books));
        form.optDelEmptyCells.setCaption(u"Delete from All Open Workbook (" + decimalText(books) +
                                         u" Workbooks are opened)");
    });
}

// "removeObjects": the active sheet's drawing objects, or the workbook's sheets.
void objectsScope(FrmMain& form) {
    form.Label44.setCaption(u"Total Objects : ");
    resumeNext([&] { form.lblDOSelCells.setCaption(decimalText(app().ActiveSheet()->DrawingObjects()->Count())); });
    resumeNext([&] {
        form.optDelEntireIfBlank.setCaption(u"Delete from Active Sheet (" + app().ActiveSheet()->Name() + u")");
    });
    resumeNext([&] {
        const long sheets = app().ActiveWorkbook()->Worksheets()->Count();
        if (sheets == 1) {
            form.optDelEmptyCells.setCaption(u"Delete from All Sheets of Active Workbook");
            form.optDelEmptyCells.setEnabled(false);
            return;
        }
        form.Label44.setCaption(u"Total Sheets : ");
        form.lblDOSelCells.setCaption(decimalText(sheets));
        form.optDelEmptyCells.setCaption(u"Delete from All Sheets (" + decimalText(sheets) + u")");
    });
}

constexpr LayoutStep kRemoveRows[] = {
    {Op::Caption, u"optDelEntireIfBlank", u"Delete Entire Row (If a Row is Completely Blank)"},
    {Op::Caption, u"optDelEntire", u"Delete Entire Row (If an Empty Cell found)"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove all Empty Rows/Cells ?"},
    {Op::SelectionCount, u"lblDOSelCells"},
    {Op::Special, {}, {}, 0, singleRowMeansActiveSheet},
};

constexpr LayoutStep kRemoveCols[] = {
    {Op::SelectionCount, u"lblDOSelCells"},
    {Op::Caption, u"optDelEntireIfBlank", u"Delete Entire Column (If a Column is Completely Blank)"},
    {Op::Caption, u"optDelEmptyCells", u"Delete Only Empty Cells (Shift Cells Left)"},
    {Op::Hide, u"optDelEntire"},
    {Op::Clear, u"chkCleanWhiteSpaces"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove all Empty Columns ?"},
};

constexpr LayoutStep kRemoveSheets[] = {
    {Op::Caption, u"lblDO1to4Help", u"Press Yes button to remove All Empty Sheets"},
    {Op::Special, {}, {}, 0, sheetsScope},
    {Op::Hide, u"optDelEntire"},
    {Op::Hide, u"chkRemoveAS"},
    {Op::Caption, u"chkCleanWhiteSpaces", u" Remove Hidden Empty Sheets!"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove all Empty Sheets from Workbook(s) ?"},
};

constexpr LayoutStep kRemoveObjects[] = {
    {Op::Caption, u"lblDO1to4Help", u"Press Yes button to remove All Objects"},
    {Op::Special, {}, {}, 0, objectsScope},
    {Op::Show, u"chkChartObject"},
    {Op::Hide, u"optDelEntire"},
    {Op::Caption, u"chkRemoveAS", u" Remove Only Embedded Objects (Pictures, ActiveX Controls, etc.)!"},
    {Op::Caption, u"chkCleanWhiteSpaces", u" Remove Only All Comments!"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Remove all Objects from Sheet(s) ?"},
};

// The four case tools share one layout; only the texts differ.
#define CW_CASE_ROW(name, example, help, question)              \
    constexpr LayoutStep name[] = {                             \
        {Op::Special, {}, {}, 0, compactLayoutA},               \
        {Op::Show, u"lblCaseEx"},                               \
        {Op::Caption, u"lblCaseEx", u"Example : \r\n" example}, \
        {Op::Caption, u"lblDO1to4Help", help},                  \
        {Op::Hide, u"frmDOOptions"},                            \
        {Op::Hide, u"chkChartObject"},                          \
        {Op::Hide, u"chkRemoveAS"},                             \
        {Op::Hide, u"chkCleanWhiteSpaces"},                     \
        {Op::SelectionCount, u"lblDOSelCells"},                 \
        {Op::Caption, u"lblDOHeader1to4", question},            \
    };
CW_CASE_ROW(kUpperCase, u"'cwk ver5' and 'cwk Ver5' >>>> 'CWK VER5'", u"Press Yes Button to Convert Text to UPPER CASE",
            u"Do you want to Convert Selected Text to UPPER CASE ?")
CW_CASE_ROW(kLowerCase, u"'CWK VER5' and 'CwK Ver5' >>>> 'cwk ver5'", u"Press Yes Button to Convert Text to lower case",
            u"Do you want to Convert Selected Text to lower case ?")
CW_CASE_ROW(kProperCase, u"'CWK VER5' and 'cwK veR5' >>>> 'Cwk Ver5'",
            u"Press Yes Button to Convert Text to Proper Case",
            u"Do you want to Convert Selected Text to Proper Case ?")
CW_CASE_ROW(kSentenceCase, u"'CWK VER5' and 'cwK veR5' >>>> 'Cwk ver5'",
            u"Press Yes Button to Convert Text to Sentence case",
            u"Do you want to Convert Selected Text to Sentence case ?")
#undef CW_CASE_ROW

constexpr LayoutStep kColorNthRow[] = {
    {Op::Special, {}, {}, 0, compactLayoutB},
    {Op::Show, u"frmDOCENR"},
    {Op::Caption, u"lblDO1to4Help", u"Enter Nth Row, Select Color and Press Yes to Color Every nth Row"},
    {Op::SelectionCount, u"lblDOSelCells"},
    {Op::Hide, u"frmDOOptions"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Color Every Nth Row or Cell ?"},
};

#define CW_COLOR_ROWS_ROW(name, help, question)                         \
    constexpr LayoutStep name[] = {                                     \
        {Op::Special, {}, {}, 0, compactLayoutB},                       \
        {Op::Show, u"frmDOCENR"},                                       \
        {Op::Hide, u"txtNthRow"},                                       \
        {Op::Hide, u"lblCEN"},                                          \
        {Op::Caption, u"lblColor", u"Select color from Color Pallete"}, \
        {Op::Caption, u"lblDO1to4Help", help},                          \
        {Op::SelectionCount, u"lblDOSelCells"},                         \
        {Op::Hide, u"frmDOOptions"},                                    \
        {Op::Caption, u"lblDOHeader1to4", question},                    \
    };
CW_COLOR_ROWS_ROW(kColorDuplicateRows, u"Select Color and Press Button Yes to Color Duplicate Rows",
                  u"Do you want to Color Duplicate Rows in Selection ?")
CW_COLOR_ROWS_ROW(kColorUniqueRows, u"Select Color and Press Yes Button to Color Unique Rows",
                  u"Do you want to Color Unique Rows in Selection ?")
#undef CW_COLOR_ROWS_ROW

constexpr LayoutStep kTranspose[] = {
    {Op::Show, u"frmDOCENR"},
    {Op::Show, u"txtNthRow"},
    {Op::Text, u"txtNthRow", u"3"},
    {Op::Show, u"lblCEN"},
    {Op::Caption, u"lblCEN", u"Rows"},
    {Op::Caption, u"lblColor", u"Transpose"},
    {Op::Height, u"frmHelp", {}, 79.5},
    {Op::Caption, u"lblDO1to4Help", u"Enter Number of Rows and Press Yes to Transpose"},
    {Op::SelectionCount, u"lblDOSelCells"},
    {Op::Hide, u"frmDOOptions"},
    {Op::Show, u"frmTransposeSample"},
    {Op::Caption, u"lblDOHeader1to4", u"Do you want to Transpose One Column to Multiple Columns ?"},
};

constexpr SetUpRow kRows[] = {
    {u"removeRows", u"DataOrganizer1", kRemoveRows},
    {u"removeCols", u"DataOrganizer2", kRemoveCols},
    {u"removeSheets", u"DataOrganizer3", kRemoveSheets},
    {u"removeObjects", u"DataOrganizer4", kRemoveObjects},
    {u"changeToUpperCase", u"DO5to8_UC", kUpperCase},
    {u"changeToLowerCase", u"DO5to8_LC", kLowerCase},
    {u"changeToProperCase", u"DO5to8_PC", kProperCase},
    {u"changeToSentenceCase", u"DO5to8_SC", kSentenceCase},
    {u"colorNthRow", u"DataOrganizer9", kColorNthRow},
    {u"colorDuplicateRows", u"DataOrganizer10", kColorDuplicateRows},
    {u"colorUniqueRows", u"DataOrganizer11", kColorUniqueRows},
    {u"transposeRowsToColumn", u"DataOrganizer12", kTranspose},
};

}  // namespace

std::span<const SetUpRow> dataOrganizerRows() { return kRows; }

}  // namespace tools::organizer
