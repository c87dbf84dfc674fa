#pragma once
// The embedded host's Application: workbooks, the active objects, settings, and the
// user's entry path (typing into a cell, where validation is enforced).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/book.h"
#include "host/application.h"
#include "host/embedded/embedded_workbook.h"
#include "host/embedded/embedded_worksheet.h"
#include "host/embedded/services/addin_services.h"
#include "host/embedded/services/command_bar_set.h"
#include "host/embedded/services/ribbon_host.h"

namespace host::embedded {

// Opening and saving real files is the file layer's: the composition root registers an opener
// that reads a file into an engine book (which the application then wraps) and a saver.
using BookOpener = std::function<engine::BookPtr(const std::u16string& path)>;
using BookSaver = std::function<void(const engine::Book& book, const std::u16string& path)>;

// What happened when the user typed into a cell.
struct EntryResult {
    bool accepted = true;
    std::u16string alertTitle;  // the stop alert shown on refusal
    std::u16string alertMessage;
};

class EmbeddedApplication : public host::Application, public std::enable_shared_from_this<EmbeddedApplication> {
public:
    // A host of the given version whose add-in lists live in `store` (in memory when null:
    // the embedded host never writes into the user's real registry unless handed it).
    static std::shared_ptr<EmbeddedApplication> create(std::u16string version = u"16.0",
                                                       std::shared_ptr<registry::RegistryStore> store = nullptr);

    // --- workbooks ---
    // The open workbooks in the order they were opened; each holds its engine book.
    const std::vector<EmbeddedWorkbookPtr>& books() const { return books_; }
    EmbeddedWorkbookPtr newBook(const std::u16string& name = u"");  // "Book1", "Book2", ... with Sheet1
    // Opens an engine book (one read from a file, say) as the active workbook.
    EmbeddedWorkbookPtr addBook(const engine::BookPtr& book);
    void removeBook(const engine::Book* book);
    EmbeddedWorkbookPtr activeBook() const;
    void setActiveBook(const EmbeddedWorkbookPtr& book);
    EmbeddedWorkbookPtr openBook(const std::u16string& path);  // Workbooks.Open
    void setOpener(BookOpener opener) { opener_ = std::move(opener); }
    void setSaver(BookSaver saver) { saver_ = std::move(saver); }
    void saveBook(const engine::Book& book, const std::u16string& path) const;
    // The object model's handles on engine objects: the same handle while one is held.
    EmbeddedWorkbookPtr workbookOf(const engine::BookPtr& book) const;
    EmbeddedWorksheetPtr worksheetOf(const engine::SheetPtr& sheet) const;
    // The clipboard of Range.Copy, kept until CutCopyMode is cleared.
    struct Clipboard {
        engine::SheetPtr sheet;
        engine::Area area{0, 0, 0, 0};
    };
    Clipboard& clipboard() { return clipboard_; }

    // Add-ins.
    AddInList& addInList() { return *addIns_; }
    ComAddInList& comAddInList() { return *comAddIns_; }
    CommandBarSet& commandBarSet() { return *commandBars_; }
    RibbonHost& ribbon() { return *ribbon_; }
    registry::RegistryStore& registryStore() { return *store_; }
    bool fileExists(const std::u16string& path) const;
    // The title an add-in workbook is listed by: its own title, else its file name's stem.
    std::u16string workbookTitle(const std::u16string& path);
    // Called by the COM add-in list around connection changes: above version 11 the host
    // loads a connected add-in's ribbon.
    void addInConnected(const std::shared_ptr<host::AddinInstance>& addIn);
    void addInDisconnecting(const std::shared_ptr<host::AddinInstance>& addIn);
    // Quits and starts again within this object: add-ins disconnect, workbooks close,
    // temporary menu controls go, registered add-ins connect again.
    void restart();

    // The user types `text` into the cell: validation rules are enforced first.
    EntryResult enterValue(const RangePtr& cell, const std::u16string& text);
    EmbeddedWorksheetPtr activeWorksheet() const;  // the active sheet as this host's type

    // --- host::Application ---
    std::u16string Version() const override { return version_; }
    RangePtr ActiveCell() const override;
    WorksheetPtr ActiveSheet() const override;
    WorkbookPtr ActiveWorkbook() const override { return activeBook(); }
    RangePtr Selection() const override;
    RangePtr Cells() const override;
    RangePtr Range(const std::u16string& address) const override;
    RangePtr Intersect(const RangePtr& a, const RangePtr& b) const override;
    SheetsPtr Sheets() const override;
    SheetsPtr Worksheets() const override;
    WorkbooksPtr Workbooks() const override;
    WorksheetFunctionPtr WorksheetFunction() const override;
    AutoCorrectPtr AutoCorrect() const override;
    AddInsPtr AddIns() const override { return addIns_; }
    COMAddInsPtr COMAddIns() const override { return comAddIns_; }
    CommandBarsPtr CommandBars() const override { return commandBars_; }

    bool ScreenUpdating() const override { return screenUpdating_; }
    void setScreenUpdating(bool value) override { screenUpdating_ = value; }
    int Calculation() const override { return calculation_; }
    void setCalculation(int value) override;
    bool DisplayAlerts() const override { return displayAlerts_; }
    void setDisplayAlerts(bool value) override { displayAlerts_ = value; }
    bool EnableEvents() const override { return enableEvents_; }
    void setEnableEvents(bool value) override { enableEvents_ = value; }
    int EnableCancelKey() const override { return enableCancelKey_; }
    void setEnableCancelKey(int value) override;
    Variant StatusBar() const override { return statusBar_; }
    void setStatusBar(const Variant& value) override;
    int CutCopyMode() const override { return clipboard_.sheet ? 1 : 0; }
    void setCutCopyMode(int value) override;
    bool autoCorrectReplaceText = true;

private:
    explicit EmbeddedApplication(std::u16string version) : version_(std::move(version)) {}

    std::u16string version_;
    std::vector<EmbeddedWorkbookPtr> books_;
    std::weak_ptr<EmbeddedWorkbook> active_;
    std::shared_ptr<registry::RegistryStore> store_;
    std::shared_ptr<AddInList> addIns_;
    std::shared_ptr<ComAddInList> comAddIns_;
    std::shared_ptr<CommandBarSet> commandBars_;
    std::shared_ptr<RibbonHost> ribbon_ = std::make_shared<RibbonHost>();
    std::shared_ptr<host::IRibbonExtensibility> ribbonOwner_;
    BookOpener opener_;
    BookSaver saver_;
    Clipboard clipboard_;
    int newBookCounter_ = 0;
    bool screenUpdating_ = true, displayAlerts_ = true, enableEvents_ = true;
    int calculation_ = -4105, enableCancelKey_ = 1;
    Variant statusBar_ = Variant(false);
};

}  // namespace host::embedded
