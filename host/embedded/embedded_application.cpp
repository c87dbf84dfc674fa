#include "host/embedded/embedded_application.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "engine/area_ops.h"
#include "engine/formula.h"
#include "engine/sheet_formula_context.h"
#include "engine/text_functions.h"
#include "host/constants.h"
#include "host/embedded/cell_range.h"
#include "host/error.h"
#include "host/text.h"
#include "host/worksheet_text.h"
#include "registry/memory_store.h"

namespace host::embedded {

using engine::Area;

namespace {

class BookList : public host::Workbooks {
public:
    explicit BookList(std::shared_ptr<EmbeddedApplication> app) : app_(std::move(app)) {}
    long Count() const override { return static_cast<long>(app_->books().size()); }
    WorkbookPtr Item(long index) const override {
        if (index < 1 || index > Count()) throw Error(errSubscript, "Subscript out of range");
        return app_->books()[index - 1];
    }
    WorkbookPtr Item(const std::u16string& name) const override {
        for (const auto& b : app_->books())
            if (engine::foldCase(b->Name()) == engine::foldCase(name)) return b;
        throw Error(errSubscript, "Subscript out of range");
    }
    WorkbookPtr Open(const std::u16string& fileName) override { return app_->openBook(fileName); }
    WorkbookPtr Add() override { return app_->newBook(); }

private:
    std::shared_ptr<EmbeddedApplication> app_;
};

class Functions : public host::WorksheetFunction {
public:
    double CountA(const RangePtr& range) const override {
        auto r = asCellRange(range);
        double n = 0;
        for (const Area& a : r->areas()) n += r->sheet().countA(a);
        return n;
    }
    double CountIf(const RangePtr& range, const Variant& criterion) const override {
        auto r = asCellRange(range);
        double n = 0;
        for (const Area& a : r->areas()) n += r->sheet().countIf(a, criterion);
        return n;
    }
    std::u16string Trim(const std::u16string& text) const override { return host::trimSpaces(text); }
    std::u16string Clean(const std::u16string& text) const override { return host::cleanControls(text); }
};

class AutoCorrectSettings : public host::AutoCorrect {
public:
    explicit AutoCorrectSettings(std::shared_ptr<EmbeddedApplication> app) : app_(std::move(app)) {}
    bool ReplaceText() const override { return app_->autoCorrectReplaceText; }
    void setReplaceText(bool value) override { app_->autoCorrectReplaceText = value; }

private:
    std::shared_ptr<EmbeddedApplication> app_;
};

bool passes(const Variant& result) {
    if (result.isBoolean()) return result.boolean();
    if (result.isNumber()) return result.number() != 0;
    return false;
}

}  // namespace

std::shared_ptr<EmbeddedApplication> EmbeddedApplication::create(std::u16string version,
                                                                 std::shared_ptr<registry::RegistryStore> store) {
    auto app = std::shared_ptr<EmbeddedApplication>(new EmbeddedApplication(std::move(version)));
    app->store_ = store ? std::move(store) : std::make_shared<registry::MemoryRegistryStore>();
    app->addIns_ = std::make_shared<AddInList>(*app, app->store_);
    app->comAddIns_ = std::make_shared<ComAddInList>(*app, app->store_);
    app->commandBars_ = std::make_shared<CommandBarSet>();
    return app;
}

// ---- add-ins ----

bool EmbeddedApplication::fileExists(const std::u16string& path) const {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(utf8(path)), error);
}

std::u16string EmbeddedApplication::workbookTitle(const std::u16string& path) {
    if (opener_) {
        try {
            engine::BookPtr book = opener_(path);
            if (book && !book->title.empty()) return book->title;
        } catch (const std::exception&) {
            // An unreadable add-in workbook is listed by its file name.
        }
    }
    return utf16(std::filesystem::path(utf8(path)).stem().string());
}

void EmbeddedApplication::addInConnected(const std::shared_ptr<host::AddinInstance>& addIn) {
    auto extensible = std::dynamic_pointer_cast<host::IRibbonExtensibility>(addIn);
    const double version = std::atof(utf8(version_).c_str());
    if (!extensible || version <= 11.0) return;
    ribbonOwner_ = extensible;
    ribbon_->load(extensible);
}

void EmbeddedApplication::addInDisconnecting(const std::shared_ptr<host::AddinInstance>& addIn) {
    if (ribbonOwner_ && ribbonOwner_ == std::dynamic_pointer_cast<host::IRibbonExtensibility>(addIn)) {
        ribbon_->unload();
        ribbonOwner_.reset();
    }
}

void EmbeddedApplication::restart() {
    for (long i = 0; i < comAddIns_->Count(); ++i) comAddIns_->setConnected(static_cast<size_t>(i), false);
    while (!books_.empty()) removeBook(books_.back()->book().get());
    commandBars_->restart();
    comAddIns_->startUp();
}

// ---- workbooks ----

EmbeddedWorkbookPtr EmbeddedApplication::newBook(const std::u16string& name) {
    std::u16string bookName = name;
    if (bookName.empty()) {
        bookName = u"Book";
        for (char c : std::to_string(++newBookCounter_)) bookName.push_back(static_cast<char16_t>(c));
    }
    auto book = std::make_shared<engine::Book>(bookName);
    book->addSheet(u"Sheet1");
    return addBook(book);
}

EmbeddedWorkbookPtr EmbeddedApplication::addBook(const engine::BookPtr& book) {
    auto wrapped = workbookOf(book);
    books_.push_back(wrapped);
    active_ = wrapped;
    return wrapped;
}

void EmbeddedApplication::removeBook(const engine::Book* book) {
    std::erase_if(books_, [&](const EmbeddedWorkbookPtr& b) { return b->book().get() == book; });
    const auto active = active_.lock();
    if (!active || active->book().get() == book) active_ = books_.empty() ? EmbeddedWorkbookPtr() : books_.back();
    if (clipboard_.sheet && clipboard_.sheet->book().get() == book) clipboard_ = {};
}

EmbeddedWorkbookPtr EmbeddedApplication::activeBook() const { return active_.lock(); }

void EmbeddedApplication::setActiveBook(const EmbeddedWorkbookPtr& book) { active_ = book; }

EmbeddedWorkbookPtr EmbeddedApplication::openBook(const std::u16string& path) {
    for (const auto& b : books_)
        if (b->model().path == path) {
            active_ = b;
            return b;
        }
    if (!opener_) throw Error(errApplication, "Sorry, this host cannot open workbook files.");
    engine::BookPtr book = opener_(path);
    if (!book) throw Error(errApplication, "The file could not be opened.");
    return addBook(book);
}

void EmbeddedApplication::saveBook(const engine::Book& book, const std::u16string& path) const {
    if (!saver_) throw Error(errApplication, "Sorry, this host cannot save workbook files.");
    saver_(book, path);
}

EmbeddedWorkbookPtr EmbeddedApplication::workbookOf(const engine::BookPtr& book) const {
    return EmbeddedWorkbook::of(book, std::const_pointer_cast<EmbeddedApplication>(shared_from_this()));
}

EmbeddedWorksheetPtr EmbeddedApplication::worksheetOf(const engine::SheetPtr& sheet) const {
    return EmbeddedWorksheet::of(sheet, std::const_pointer_cast<EmbeddedApplication>(shared_from_this()));
}

// ---- active objects ----

EmbeddedWorksheetPtr EmbeddedApplication::activeWorksheet() const {
    auto book = activeBook();
    return book ? worksheetOf(book->model().activeSheet()) : nullptr;
}

WorksheetPtr EmbeddedApplication::ActiveSheet() const { return activeWorksheet(); }

RangePtr EmbeddedApplication::ActiveCell() const {
    auto sheet = activeWorksheet();
    if (!sheet || sheet->Type() != xlWorksheet) return nullptr;
    return sheet->Cells(sheet->model().activeRow(), sheet->model().activeCol());
}

RangePtr EmbeddedApplication::Selection() const {
    auto sheet = activeWorksheet();
    if (!sheet || sheet->Type() != xlWorksheet) return nullptr;
    return sheet->rangeOf(sheet->model().selection());
}

RangePtr EmbeddedApplication::Cells() const {
    auto sheet = activeWorksheet();
    if (!sheet) throw Error(errObjectRequired, "Object required");
    return sheet->Cells();
}

RangePtr EmbeddedApplication::Range(const std::u16string& address) const {
    auto sheet = activeWorksheet();
    if (!sheet) throw Error(errObjectRequired, "Object required");
    return sheet->Range(address);
}

RangePtr EmbeddedApplication::Intersect(const RangePtr& a, const RangePtr& b) const {
    auto ra = asCellRange(a), rb = asCellRange(b);
    if (&ra->sheet() != &rb->sheet()) throw Error(errApplication, "Method 'Intersect' of object '_Application' failed");
    std::vector<Area> overlap;
    for (const Area& x : ra->areas())
        for (const Area& y : rb->areas())
            if (auto o = intersect(x, y)) overlap.push_back(*o);
    if (overlap.empty()) return nullptr;
    return ra->worksheet()->rangeOf(std::move(overlap));
}

SheetsPtr EmbeddedApplication::Sheets() const {
    auto book = activeBook();
    if (!book) throw Error(errObjectRequired, "Object required");
    return book->Sheets();
}

SheetsPtr EmbeddedApplication::Worksheets() const {
    auto book = activeBook();
    if (!book) throw Error(errObjectRequired, "Object required");
    return book->Worksheets();
}

WorkbooksPtr EmbeddedApplication::Workbooks() const {
    return std::make_shared<BookList>(std::const_pointer_cast<EmbeddedApplication>(shared_from_this()));
}

WorksheetFunctionPtr EmbeddedApplication::WorksheetFunction() const { return std::make_shared<Functions>(); }

AutoCorrectPtr EmbeddedApplication::AutoCorrect() const {
    return std::make_shared<AutoCorrectSettings>(std::const_pointer_cast<EmbeddedApplication>(shared_from_this()));
}

// ---- settings ----

void EmbeddedApplication::setCalculation(int value) {
    if (value != xlCalculationManual && value != xlCalculationAutomatic && value != 2)
        throw Error(errApplication, "Unable to set the Calculation property of the Application class");
    calculation_ = value;
}

void EmbeddedApplication::setEnableCancelKey(int value) {
    if (value < xlDisabled || value > xlErrorHandler) throw Error(errInvalidCall, "Invalid procedure call or argument");
    enableCancelKey_ = value;
}

void EmbeddedApplication::setStatusBar(const Variant& value) {
    // False hands the status bar back to the host; anything else is shown as text.
    statusBar_ = value.isBoolean() && !value.boolean() ? Variant(false) : Variant(value.toText());
}

void EmbeddedApplication::setCutCopyMode(int value) {
    if (value == 0) clipboard_ = {};
}

// ---- the user's entry path ----

EntryResult EmbeddedApplication::enterValue(const RangePtr& target, const std::u16string& text) {
    auto range = asCellRange(target);
    engine::Sheet& sheet = range->sheet();
    const Area& a = range->firstArea();
    const engine::Cell* existing = sheet.cell(a.row1, a.col1);
    const engine::Cell before = existing ? *existing : engine::Cell{};
    sheet.enterText(a.row1, a.col1, text);

    const engine::ValidationRule* rule = sheet.validationAt(a.row1, a.col1);
    if (!rule || !rule->showError || rule->type != xlValidateCustom) return {};
    if (text.empty() && rule->ignoreBlank) return {};
    const Variant verdict =
        engine::Formula::parse(rule->formula1)
            .evaluate(engine::SheetFormulaContext(sheet), a.row1 - rule->anchorRow, a.col1 - rule->anchorCol);
    if (passes(verdict) || rule->alertStyle != xlValidAlertStop) return {};

    sheet.setCell(a.row1, a.col1, before);  // refused: the cell stays as it was
    EntryResult refused;
    refused.accepted = false;
    refused.alertTitle = rule->errorTitle.empty() ? u"Microsoft Excel" : rule->errorTitle;
    refused.alertMessage = rule->errorMessage.empty()
                               ? u"This value doesn't match the data validation restrictions defined for this cell."
                               : rule->errorMessage;
    return refused;
}

}  // namespace host::embedded
