#pragma once
// The test host's workbook in memory, late-bound as the host's object model is: one workbook of
// text cells on named sheets, with Workbook, Sheets, Worksheet, Range (one rectangular area; Value,
// Count, Item, Cells, Rows, Columns, Areas, Address, Row, Column, Select, Activate, Worksheet,
// Interior's ColorIndex, Validation, ClearComments, SpecialCells of the cells with comments),
// UsedRange, the sheet's drawing layer (Shapes with Type, Name, TextFrame.Characters.Text and
// Delete; DrawingObjects, Pictures and ChartObjects with Count and Delete) and Comments (Count,
// Item with Text, Author, Delete),
// the sheet copy the host names "Name (2)", and on the Application ActiveWorkbook, ActiveSheet,
// ActiveCell, Selection, Intersect and WorksheetFunction (CountA, Trim, Clean).
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/windows/test_objects.h"

namespace cwtest {

// A data validation rule as Validation.Add and its properties leave it.
struct ValidationRule {
    long type = 0, alertStyle = 1, op = 1;
    std::wstring formula1, formula2, inputTitle, errorTitle, inputMessage, errorMessage;
    bool ignoreBlank = true, inCellDropdown = true, showInput = true, showError = true;
};

// A shape on a sheet: its MsoShapeType (msoAutoShape 1, msoChart 3, msoPicture 13, msoTextBox 17),
// name and the text of its text frame (autoshapes and text boxes only).
struct ShapeData {
    long type = 1;
    std::wstring name, text;
};

struct SheetData {
    std::wstring name;
    long visible = -1;                                       // xlSheetVisible
    std::map<std::pair<long, long>, std::wstring> cells;     // (row, column) → text; absent: empty
    long top = 1, left = 1, bottom = 1, right = 1;           // the sheet's selection
    std::map<std::pair<long, long>, long> fills;             // (row, column) → Interior.ColorIndex; absent: none
    std::map<std::wstring, ValidationRule> rules;            // by the address of the range it was added to
    std::vector<ShapeData> shapes;                           // in z-order; comments are not among them
    std::map<std::pair<long, long>, std::wstring> comments;  // (row, column) → the comment's text
};

struct BookData {
    std::wstring name = L"Book1.xlsx";
    std::vector<std::shared_ptr<SheetData>> sheets;
    std::shared_ptr<SheetData> active;  // its selection is the application's

    std::shared_ptr<SheetData> sheet(const std::wstring& name) const;
};

// Adds the workbook's members to the test host's Application (ActiveWorkbook, ActiveSheet,
// ActiveCell, Selection, Intersect, Sheets, Worksheets, WorksheetFunction).
void addWorkbook(TestObject& application, const std::shared_ptr<BookData>& book);

// "A1" style column letters.
std::wstring columnName(long column);

}  // namespace cwtest
