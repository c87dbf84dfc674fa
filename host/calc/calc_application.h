#pragma once
// CalcApplication: host::Application over a running Calc. The active workbook is the document
// of the frame the user's command came from (setCurrentFrame), else the desktop's current one.
//
// Settings the add-in brackets its runs with: ScreenUpdating locks and unlocks the document's
// controllers (and clears Calc's own undo list when it is set back, as the host clears its
// undo list when code has run), Calculation switches
// Calc's automatic calculation, StatusBar shows its text in
// the frame's status bar. DisplayAlerts, EnableEvents, EnableCancelKey, CutCopyMode and
// AutoCorrect.ReplaceText are kept and read back; Calc has nothing they would change while a
// tool runs. Calc has no add-in workbooks, COM add-in list or command bars: those lists are empty.
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/task/XStatusIndicator.hpp>
#include <map>
#include <memory>

#include "host/application.h"
#include "host/calc/calc_document.h"

namespace host::calc {

class CalcApplication : public host::Application, public std::enable_shared_from_this<CalcApplication> {
public:
    explicit CalcApplication(Reference<css::uno::XComponentContext> context);

    // A command of the user starts in `frame`: its document is the active workbook, and the
    // selections the sheets kept from earlier commands give way to what the user did since.
    void beginCommand(const Reference<css::frame::XFrame>& frame);
    // The one CalcDocument of an open document.
    CalcDocumentPtr document(const Reference<css::frame::XModel>& model);
    CalcDocumentPtr activeDocument() const;

    std::u16string Version() const override { return u"16.0"; }
    host::RangePtr ActiveCell() const override;
    host::WorksheetPtr ActiveSheet() const override;
    host::WorkbookPtr ActiveWorkbook() const override;
    host::RangePtr Selection() const override;
    host::RangePtr Cells() const override;
    host::RangePtr Range(const std::u16string& address) const override;
    host::RangePtr Intersect(const host::RangePtr& a, const host::RangePtr& b) const override;
    host::SheetsPtr Sheets() const override;
    host::SheetsPtr Worksheets() const override;
    host::WorkbooksPtr Workbooks() const override;
    host::WorksheetFunctionPtr WorksheetFunction() const override;
    host::AutoCorrectPtr AutoCorrect() const override { return autoCorrect_; }
    host::AddInsPtr AddIns() const override;
    host::COMAddInsPtr COMAddIns() const override;
    host::CommandBarsPtr CommandBars() const override;

    bool ScreenUpdating() const override { return !lockedModel_.is(); }
    void setScreenUpdating(bool value) override;
    int Calculation() const override;
    void setCalculation(int value) override;
    bool DisplayAlerts() const override { return displayAlerts_; }
    void setDisplayAlerts(bool value) override { displayAlerts_ = value; }
    bool EnableEvents() const override { return enableEvents_; }
    void setEnableEvents(bool value) override { enableEvents_ = value; }
    int EnableCancelKey() const override { return enableCancelKey_; }
    void setEnableCancelKey(int value) override { enableCancelKey_ = value; }
    host::Variant StatusBar() const override { return statusBar_; }
    void setStatusBar(const host::Variant& value) override;
    // 1 while a document holds what Range.Copy copied; 0 (or False) forgets every copy.
    int CutCopyMode() const override;
    void setCutCopyMode(int value) override;

private:
    Reference<css::uno::XComponentContext> context_;
    Reference<css::frame::XDesktop2> desktop_;
    Reference<css::frame::XFrame> frame_;
    std::map<const void*, std::weak_ptr<CalcDocument>> documents_;
    Reference<css::frame::XModel> lockedModel_;
    bool undoRecorded_ = true;  // whether the locked document recorded Undo steps before
    Reference<css::task::XStatusIndicator> statusIndicator_;
    host::AutoCorrectPtr autoCorrect_;
    int calculation_ = -4105;
    bool displayAlerts_ = true;
    bool enableEvents_ = true;
    int enableCancelKey_ = 1;
    host::Variant statusBar_{false};
};

}  // namespace host::calc
