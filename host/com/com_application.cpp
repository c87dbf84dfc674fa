#include "host/com/com_application.h"

#include "host/error.h"

namespace host::com {

namespace {

[[noreturn]] void notBuilt(const char* member) {
    throw host::Error(438, std::string("Object doesn't support this property or method (") + member +
                               " is not reached through this host yet)");
}

int integer(const Variant& value) {
    if (!value.isNumber() && !value.isBoolean()) throw host::Error(13, "Type mismatch");
    return static_cast<int>(value.number());
}

}  // namespace

std::u16string ComApplication::Version() const { return app_.get(u"Version").toText(); }

RangePtr ComApplication::ActiveCell() const { notBuilt("ActiveCell"); }
WorksheetPtr ComApplication::ActiveSheet() const { notBuilt("ActiveSheet"); }
WorkbookPtr ComApplication::ActiveWorkbook() const { notBuilt("ActiveWorkbook"); }
RangePtr ComApplication::Selection() const { notBuilt("Selection"); }
RangePtr ComApplication::Cells() const { notBuilt("Cells"); }
RangePtr ComApplication::Range(const std::u16string&) const { notBuilt("Range"); }
RangePtr ComApplication::Intersect(const RangePtr&, const RangePtr&) const { notBuilt("Intersect"); }
SheetsPtr ComApplication::Sheets() const { notBuilt("Sheets"); }
SheetsPtr ComApplication::Worksheets() const { notBuilt("Worksheets"); }
WorkbooksPtr ComApplication::Workbooks() const { notBuilt("Workbooks"); }
WorksheetFunctionPtr ComApplication::WorksheetFunction() const { notBuilt("WorksheetFunction"); }
AutoCorrectPtr ComApplication::AutoCorrect() const { notBuilt("AutoCorrect"); }
AddInsPtr ComApplication::AddIns() const { notBuilt("AddIns"); }
COMAddInsPtr ComApplication::COMAddIns() const { notBuilt("COMAddIns"); }
CommandBarsPtr ComApplication::CommandBars() const { notBuilt("CommandBars"); }

bool ComApplication::ScreenUpdating() const { return app_.get(u"ScreenUpdating").boolean(); }
void ComApplication::setScreenUpdating(bool value) { app_.put(u"ScreenUpdating", Variant(value)); }
int ComApplication::Calculation() const { return integer(app_.get(u"Calculation")); }
void ComApplication::setCalculation(int value) { app_.put(u"Calculation", Variant(value)); }
bool ComApplication::DisplayAlerts() const { return app_.get(u"DisplayAlerts").boolean(); }
void ComApplication::setDisplayAlerts(bool value) { app_.put(u"DisplayAlerts", Variant(value)); }
bool ComApplication::EnableEvents() const { return app_.get(u"EnableEvents").boolean(); }
void ComApplication::setEnableEvents(bool value) { app_.put(u"EnableEvents", Variant(value)); }
int ComApplication::EnableCancelKey() const { return integer(app_.get(u"EnableCancelKey")); }
void ComApplication::setEnableCancelKey(int value) { app_.put(u"EnableCancelKey", Variant(value)); }
Variant ComApplication::StatusBar() const { return app_.get(u"StatusBar"); }
void ComApplication::setStatusBar(const Variant& value) { app_.put(u"StatusBar", value); }
int ComApplication::CutCopyMode() const { return integer(app_.get(u"CutCopyMode")); }
void ComApplication::setCutCopyMode(int value) { app_.put(u"CutCopyMode", Variant(value)); }

}  // namespace host::com
