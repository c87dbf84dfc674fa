#pragma once
// A workbook of the embedded engine: its sheets in order, the active one, its file.
#include <memory>
#include <string>
#include <vector>

#include "host/application.h"
#include "host/embedded/sheet.h"

namespace host::embedded {

class EmbeddedApplication;

class Book : public host::Workbook, public std::enable_shared_from_this<Book> {
public:
    Book(std::weak_ptr<EmbeddedApplication> app, std::u16string name);

    // --- the model ---
    const std::vector<SheetPtr>& sheets() const { return sheets_; }
    // Appends (or inserts before `before`) a sheet; throws 1004 for a refused name.
    SheetPtr addSheet(const std::u16string& name, int type = -4167, const SheetPtr& before = nullptr);
    void insertSheet(SheetPtr sheet, const SheetPtr& before);
    void removeSheet(const SheetPtr& sheet);                // the last visible sheet cannot go: 1004
    long indexOf(const Sheet* sheet) const;                 // 1-based, 0 when absent
    SheetPtr sheetNamed(const std::u16string& name) const;  // ignoring case; nullptr when absent
    // The host's rules: 1-31 code units, none of []:*?/\, no leading/trailing ', unique ignoring case.
    void checkSheetName(const std::u16string& name, const Sheet* renamed) const;
    std::u16string copyName(const std::u16string& base) const;  // "Data (2)", "Data (3)", ...
    SheetPtr activeSheet() const;
    void setActiveSheet(const SheetPtr& sheet);
    long visibleCount() const;
    std::shared_ptr<EmbeddedApplication> app() const { return app_.lock(); }
    bool closed() const { return closed_; }

    std::u16string path;   // full path of its file, empty for a new workbook
    std::u16string title;  // the document's own title property, when it has one
    std::shared_ptr<FileData> fileData;

    // --- host::Workbook ---
    std::u16string Name() const override { return name_; }
    std::u16string FullName() const override { return path.empty() ? name_ : path; }
    WorksheetPtr ActiveSheet() const override { return activeSheet(); }
    SheetsPtr Sheets() const override;
    SheetsPtr Worksheets() const override;
    void Activate() override;
    void Close(bool saveChanges = false) override;

    void setName(std::u16string name) { name_ = std::move(name); }

private:
    std::weak_ptr<EmbeddedApplication> app_;
    std::u16string name_;
    std::vector<SheetPtr> sheets_;
    std::weak_ptr<Sheet> active_;
    bool closed_ = false;
};

using BookPtr = std::shared_ptr<Book>;

}  // namespace host::embedded
