#include "host/com/com_application.h"

#include "host/com/com_command_bars.h"
#include "host/com/com_sheets.h"
#include "host/error.h"

namespace host::com {

namespace {

int integer(const Variant& value) {
    if (!value.isNumber() && !value.isBoolean()) throw host::Error(13, "Type mismatch");
    return static_cast<int>(value.number());
}

class ComWorkbook : public host::Workbook {
public:
    explicit ComWorkbook(Dispatch book) : book_(std::move(book)) {}
    std::u16string Name() const override { return book_.get(u"Name").toText(); }
    std::u16string FullName() const override { return book_.get(u"FullName").toText(); }
    WorksheetPtr ActiveSheet() const override { return worksheetOf(book_.object(u"ActiveSheet")); }
    SheetsPtr Sheets() const override { return sheetsOf(book_.object(u"Sheets")); }
    SheetsPtr Worksheets() const override { return sheetsOf(book_.object(u"Worksheets")); }
    void Activate() override { book_.call(u"Activate"); }
    void Close(bool saveChanges) override { book_.call(u"Close", {Variant(saveChanges)}); }

private:
    Dispatch book_;
};

WorkbookPtr bookOf(Dispatch book) {
    if (!book) return nullptr;
    return std::make_shared<ComWorkbook>(std::move(book));
}

class ComWorkbooks : public host::Workbooks {
public:
    explicit ComWorkbooks(Dispatch books) : books_(std::move(books)) {}
    long Count() const override { return static_cast<long>(books_.get(u"Count").number()); }
    WorkbookPtr Item(long index) const override { return bookOf(books_.object(u"Item", {Variant(index)})); }
    WorkbookPtr Item(const std::u16string& name) const override {
        return bookOf(books_.object(u"Item", {Variant(name)}));
    }
    WorkbookPtr Open(const std::u16string& fileName) override {
        return bookOf(books_.object(u"Open", {Variant(fileName)}));
    }
    WorkbookPtr Add() override { return bookOf(books_.object(u"Add")); }

private:
    Dispatch books_;
};

class ComCOMAddIn : public host::COMAddIn {
public:
    explicit ComCOMAddIn(Dispatch addin) : addin_(std::move(addin)) {}
    std::u16string ProgId() const override { return addin_.get(u"ProgId").toText(); }
    std::u16string Description() const override { return addin_.get(u"Description").toText(); }
    bool Connect() const override { return addin_.get(u"Connect").boolean(); }
    void setConnect(bool connect) override { addin_.put(u"Connect", Variant(connect)); }

private:
    Dispatch addin_;
};

class ComCOMAddIns : public host::COMAddIns {
public:
    explicit ComCOMAddIns(Dispatch list) : list_(std::move(list)) {}
    long Count() const override { return static_cast<long>(list_.get(u"Count").number()); }
    COMAddInPtr Item(const std::u16string& progId) const override {
        Dispatch addin = list_.object(u"Item", {Variant(progId)});
        if (!addin) throw host::Error(9, "Subscript out of range");
        return std::make_shared<ComCOMAddIn>(std::move(addin));
    }

private:
    Dispatch list_;
};

class ComAddIn : public host::AddIn {
public:
    explicit ComAddIn(Dispatch addin) : addin_(std::move(addin)) {}
    std::u16string Name() const override { return addin_.get(u"Name").toText(); }
    std::u16string FullName() const override { return addin_.get(u"FullName").toText(); }
    std::u16string Title() const override { return addin_.get(u"Title").toText(); }
    bool Installed() const override { return addin_.get(u"Installed").boolean(); }
    void setInstalled(bool installed) override { addin_.put(u"Installed", Variant(installed)); }

private:
    Dispatch addin_;
};

AddInPtr addInOf(Dispatch addin) {
    if (!addin) throw host::Error(9, "Subscript out of range");
    return std::make_shared<ComAddIn>(std::move(addin));
}

class ComAddIns : public host::AddIns {
public:
    explicit ComAddIns(Dispatch list) : list_(std::move(list)) {}
    long Count() const override { return static_cast<long>(list_.get(u"Count").number()); }
    AddInPtr Item(long index) const override { return addInOf(list_.object(u"Item", {Variant(index)})); }
    AddInPtr Item(const std::u16string& title) const override {
        return addInOf(list_.object(u"Item", {Variant(title)}));
    }
    AddInPtr Add(const std::u16string& fileName, bool copyFile) override {
        return addInOf(list_.object(u"Add", {Variant(fileName), Variant(copyFile)}));
    }

private:
    Dispatch list_;
};

Dispatch required(Dispatch object) {
    if (!object) throw host::Error(91, "Object variable or With block variable not set");
    return object;
}

}  // namespace

std::u16string ComApplication::Version() const { return app_.get(u"Version").toText(); }

RangePtr ComApplication::ActiveCell() const { return rangeOf(app_.object(u"ActiveCell")); }
WorksheetPtr ComApplication::ActiveSheet() const { return worksheetOf(app_.object(u"ActiveSheet")); }
WorkbookPtr ComApplication::ActiveWorkbook() const { return bookOf(app_.object(u"ActiveWorkbook")); }
RangePtr ComApplication::Selection() const { return rangeOf(app_.object(u"Selection")); }
RangePtr ComApplication::Cells() const { return rangeOf(app_.object(u"Cells")); }
RangePtr ComApplication::Range(const std::u16string& address) const {
    return rangeOf(app_.object(u"Range", {Variant(address)}));
}
RangePtr ComApplication::Intersect(const RangePtr& a, const RangePtr& b) const {
    return rangeOf(app_.object(u"Intersect", {Argument(dispatchOf(a)), Argument(dispatchOf(b))}));
}
SheetsPtr ComApplication::Sheets() const { return sheetsOf(app_.object(u"Sheets")); }
SheetsPtr ComApplication::Worksheets() const { return sheetsOf(app_.object(u"Worksheets")); }
WorkbooksPtr ComApplication::Workbooks() const {
    Dispatch books = app_.object(u"Workbooks");
    if (!books) throw host::Error(91, "Object variable or With block variable not set");
    return std::make_shared<ComWorkbooks>(std::move(books));
}
WorksheetFunctionPtr ComApplication::WorksheetFunction() const {
    return worksheetFunctionOf(app_.object(u"WorksheetFunction"));
}
namespace {

class ComAutoCorrect : public host::AutoCorrect {
public:
    explicit ComAutoCorrect(Dispatch autoCorrect) : autoCorrect_(std::move(autoCorrect)) {}
    bool ReplaceText() const override { return autoCorrect_.get(u"ReplaceText").boolean(); }
    void setReplaceText(bool value) override { autoCorrect_.put(u"ReplaceText", Variant(value)); }

private:
    Dispatch autoCorrect_;
};

}  // namespace

AutoCorrectPtr ComApplication::AutoCorrect() const {
    return std::make_shared<ComAutoCorrect>(required(app_.object(u"AutoCorrect")));
}
AddInsPtr ComApplication::AddIns() const { return std::make_shared<ComAddIns>(required(app_.object(u"AddIns"))); }
COMAddInsPtr ComApplication::COMAddIns() const {
    return std::make_shared<ComCOMAddIns>(required(app_.object(u"COMAddIns")));
}
CommandBarsPtr ComApplication::CommandBars() const { return commandBarsOf(app_.object(u"CommandBars")); }

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
