#pragma once
// Host constants under their host names and values.

namespace host {

// Shift and direction
constexpr int xlShiftUp = -4162;
constexpr int xlShiftToLeft = -4159;
constexpr int xlUp = -4162;
constexpr int xlDown = -4121;
constexpr int xlToLeft = -4159;
constexpr int xlToRight = -4161;

// SpecialCells
constexpr int xlCellTypeBlanks = 4;
constexpr int xlCellTypeLastCell = 11;
constexpr int xlCellTypeComments = -4144;
constexpr int xlCellTypeConstants = 2;

// Calculation and cancel key
constexpr int xlCalculationManual = -4135;
constexpr int xlCalculationAutomatic = -4105;
constexpr int xlDisabled = 0;
constexpr int xlInterrupt = 1;
constexpr int xlErrorHandler = 2;

// Colours
constexpr int xlColorIndexNone = -4142;
constexpr int xlColorIndexAutomatic = -4105;

// Find
constexpr int xlValues = -4163;
constexpr int xlFormulas = -4123;
constexpr int xlWhole = 1;
constexpr int xlPart = 2;
constexpr int xlByRows = 1;
constexpr int xlByColumns = 2;
constexpr int xlNext = 1;
constexpr int xlPrevious = 2;

// PasteSpecial
constexpr int xlPasteAll = -4104;
constexpr int xlPasteValues = -4163;
constexpr int xlPasteSpecialOperationNone = -4142;

// Cut/copy mode
constexpr int xlCopy = 1;
constexpr int xlCut = 2;

// Sheet visibility and type
constexpr int xlSheetVisible = -1;
constexpr int xlSheetHidden = 0;
constexpr int xlSheetVeryHidden = 2;
constexpr int xlWorksheet = -4167;
constexpr int xlChart = -4109;

// Validation
constexpr int xlValidateInputOnly = 0;
constexpr int xlValidateWholeNumber = 1;
constexpr int xlValidateDecimal = 2;
constexpr int xlValidateList = 3;
constexpr int xlValidateDate = 4;
constexpr int xlValidateTime = 5;
constexpr int xlValidateTextLength = 6;
constexpr int xlValidateCustom = 7;
constexpr int xlValidAlertStop = 1;
constexpr int xlValidAlertWarning = 2;
constexpr int xlValidAlertInformation = 3;
constexpr int xlBetween = 1;
constexpr int xlNotBetween = 2;
constexpr int xlEqual = 3;

// Shape types (MsoShapeType)
constexpr int msoAutoShape = 1;
constexpr int msoChart = 3;
constexpr int msoGroup = 6;
constexpr int msoFormControl = 8;
constexpr int msoOLEControlObject = 12;
constexpr int msoPicture = 13;
constexpr int msoTextBox = 17;
constexpr int msoSmartArt = 24;

// Cell error values (CVErr numbers)
constexpr int xlErrNull = 2000;
constexpr int xlErrDiv0 = 2007;
constexpr int xlErrValue = 2015;
constexpr int xlErrRef = 2023;
constexpr int xlErrName = 2029;
constexpr int xlErrNum = 2036;
constexpr int xlErrNA = 2042;

// Limits of a sheet
constexpr long kMaxRows = 1048576;
constexpr long kMaxColumns = 16384;
constexpr int kMaxCellText = 32767;

}  // namespace host
