#pragma once
// A workbook of the engine: its sheets in order, the active one, its name and file.
#include <memory>
#include <string>
#include <vector>

#include "engine/sheet.h"

namespace engine {

class Book : public std::enable_shared_from_this<Book> {
public:
    explicit Book(std::u16string name);

    const std::vector<SheetPtr>& sheets() const { return sheets_; }
    // Appends (or inserts before `before`) a sheet; throws 1004 for a refused name.
    SheetPtr addSheet(const std::u16string& name, int type = host::xlWorksheet, const SheetPtr& before = nullptr);
    void insertSheet(SheetPtr sheet, const SheetPtr& before);
    void removeSheet(const SheetPtr& sheet);                // the last visible sheet cannot go: 1004
    long indexOf(const Sheet* sheet) const;                 // 1-based, 0 when absent
    SheetPtr sheetNamed(const std::u16string& name) const;  // ignoring case; nullptr when absent
    // The host's rules: 1-31 code units, none of []:*?/\, no leading/trailing ', unique ignoring case.
    void checkSheetName(const std::u16string& name, const Sheet* renamed) const;
    std::u16string copyName(const std::u16string& base) const;  // "Data (2)", "Data (3)", ...
    SheetPtr activeSheet() const;
    void setActiveSheet(const SheetPtr& sheet);  // 1004 for a sheet that is not visible
    long visibleCount() const;

    const std::u16string& name() const { return name_; }
    void setName(std::u16string name) { name_ = std::move(name); }
    std::u16string fullName() const { return path.empty() ? name_ : path; }
    bool closed() const { return closed_; }
    void markClosed() { closed_ = true; }

    std::u16string path;   // full path of its file, empty for a new workbook
    std::u16string title;  // the document's own title property, when it has one
    std::shared_ptr<FileData> fileData;
    // The object a host hands out for this book; the engine never reads it.
    std::weak_ptr<void> hostObject;

private:
    std::u16string name_;
    std::vector<SheetPtr> sheets_;
    std::weak_ptr<Sheet> active_;
    bool closed_ = false;
};

using BookPtr = std::shared_ptr<Book>;

}  // namespace engine
