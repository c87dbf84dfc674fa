#pragma once
// Application, Workbook(s), WorksheetFunction and AutoCorrect.
#include <string>

#include "host/addins.h"
#include "host/command_bars.h"
#include "host/fwd.h"
#include "host/variant.h"

namespace host {

class Workbook {
public:
    virtual ~Workbook() = default;
    virtual std::u16string Name() const = 0;
    virtual std::u16string FullName() const = 0;
    virtual WorksheetPtr ActiveSheet() const = 0;
    virtual SheetsPtr Sheets() const = 0;      // worksheets and chart sheets
    virtual SheetsPtr Worksheets() const = 0;  // worksheets only
    virtual void Activate() = 0;
    virtual void Close(bool saveChanges = false) = 0;
};

class Workbooks {
public:
    virtual ~Workbooks() = default;
    virtual long Count() const = 0;
    virtual WorkbookPtr Item(long index) const = 0;                  // error 9 when absent
    virtual WorkbookPtr Item(const std::u16string& name) const = 0;  // error 9 when absent
    virtual WorkbookPtr Open(const std::u16string& fileName) = 0;    // error 1004 when it fails
    virtual WorkbookPtr Add() = 0;
};

class WorksheetFunction {
public:
    virtual ~WorksheetFunction() = default;
    virtual double CountA(const RangePtr& range) const = 0;
    virtual double CountIf(const RangePtr& range, const Variant& criterion) const = 0;
    virtual std::u16string Trim(const std::u16string& text) const = 0;
    virtual std::u16string Clean(const std::u16string& text) const = 0;
};

class AutoCorrect {
public:
    virtual ~AutoCorrect() = default;
    virtual bool ReplaceText() const = 0;
    virtual void setReplaceText(bool value) = 0;
};

class Application {
public:
    virtual ~Application() = default;

    virtual std::u16string Version() const = 0;
    virtual RangePtr ActiveCell() const = 0;                                     // nullptr without a worksheet
    virtual WorksheetPtr ActiveSheet() const = 0;                                // nullptr without a workbook
    virtual WorkbookPtr ActiveWorkbook() const = 0;                              // nullptr without a workbook
    virtual RangePtr Selection() const = 0;                                      // nullptr without a worksheet
    virtual RangePtr Cells() const = 0;                                          // of the active sheet
    virtual RangePtr Range(const std::u16string& address) const = 0;             // on the active sheet
    virtual RangePtr Intersect(const RangePtr& a, const RangePtr& b) const = 0;  // or nullptr
    virtual SheetsPtr Sheets() const = 0;
    virtual SheetsPtr Worksheets() const = 0;
    virtual WorkbooksPtr Workbooks() const = 0;
    virtual WorksheetFunctionPtr WorksheetFunction() const = 0;
    virtual AutoCorrectPtr AutoCorrect() const = 0;
    virtual AddInsPtr AddIns() const = 0;
    virtual COMAddInsPtr COMAddIns() const = 0;
    virtual CommandBarsPtr CommandBars() const = 0;

    virtual bool ScreenUpdating() const = 0;
    virtual void setScreenUpdating(bool value) = 0;
    virtual int Calculation() const = 0;
    virtual void setCalculation(int value) = 0;
    virtual bool DisplayAlerts() const = 0;
    virtual void setDisplayAlerts(bool value) = 0;
    virtual bool EnableEvents() const = 0;
    virtual void setEnableEvents(bool value) = 0;
    virtual int EnableCancelKey() const = 0;
    virtual void setEnableCancelKey(int value) = 0;
    // False (the host's own text) or the text set by code.
    virtual Variant StatusBar() const = 0;
    virtual void setStatusBar(const Variant& value) = 0;
    virtual int CutCopyMode() const = 0;  // 0, xlCopy or xlCut
    virtual void setCutCopyMode(int value) = 0;
};

}  // namespace host
