#pragma once
// ComApplication: the host object model of host/ over the host's own Application object, reached
// late-bound through IDispatch. The application's settings (version, screen updating, calculation,
// alerts, events, cancel key, status bar, cut/copy mode) are read and written on the host's object;
// a failed call is host::Error with the host's number.
//
// Reached: the workbooks, sheets and ranges (com_sheets.h), WorksheetFunction, AutoCorrect, the
// add-in workbook and COM add-in lists, and the command bars (com_command_bars.h).
#include "host/application.h"
#include "host/com/com_support.h"

namespace host::com {

class ComApplication : public host::Application {
public:
    explicit ComApplication(IDispatch* application) : app_(application) {}

    const Dispatch& dispatch() const { return app_; }

    std::u16string Version() const override;
    RangePtr ActiveCell() const override;
    WorksheetPtr ActiveSheet() const override;
    WorkbookPtr ActiveWorkbook() const override;
    RangePtr Selection() const override;
    RangePtr Cells() const override;
    RangePtr Range(const std::u16string& address) const override;
    RangePtr Intersect(const RangePtr& a, const RangePtr& b) const override;
    SheetsPtr Sheets() const override;
    SheetsPtr Worksheets() const override;
    WorkbooksPtr Workbooks() const override;
    WorksheetFunctionPtr WorksheetFunction() const override;
    AutoCorrectPtr AutoCorrect() const override;
    AddInsPtr AddIns() const override;
    COMAddInsPtr COMAddIns() const override;
    CommandBarsPtr CommandBars() const override;

    bool ScreenUpdating() const override;
    void setScreenUpdating(bool value) override;
    int Calculation() const override;
    void setCalculation(int value) override;
    bool DisplayAlerts() const override;
    void setDisplayAlerts(bool value) override;
    bool EnableEvents() const override;
    void setEnableEvents(bool value) override;
    int EnableCancelKey() const override;
    void setEnableCancelKey(int value) override;
    Variant StatusBar() const override;
    void setStatusBar(const Variant& value) override;
    int CutCopyMode() const override;
    void setCutCopyMode(int value) override;

private:
    Dispatch app_;
};

}  // namespace host::com
