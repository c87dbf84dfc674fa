#pragma once
// A sheet of the engine: its cells (columns shared copy-on-write between a sheet and its
// copies), drawing layer, validation rules, selection, name and visibility, and the log of
// structural edits that areas held elsewhere replay to follow deletions.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/address.h"
#include "engine/area_ops.h"
#include "engine/cell.h"
#include "engine/column_store.h"
#include "engine/edit_log.h"
#include "engine/sheet_objects.h"
#include "host/constants.h"
#include "host/variant.h"

namespace engine {

class Book;
struct TypedInput;

// Opaque data a file format keeps with a sheet or workbook to save it without loss.
struct FileData {
    virtual ~FileData() = default;
};

class Sheet {
public:
    Sheet(std::weak_ptr<Book> book, std::u16string name, int type = host::xlWorksheet);
    // A copy sharing the cells copy-on-write.
    std::shared_ptr<Sheet> clone(const std::u16string& newName) const;

    // --- cells ---
    const Cell* cell(long row, long col) const;
    host::Variant valueAt(long row, long col) const;
    void setCell(long row, long col, Cell cell);
    void eraseCell(long row, long col);
    // One column's cells in rising rows, as a file loads them: linear time below the last cell.
    void appendCells(long col, std::vector<ColumnStore::RowCell>&& cells);
    // Writes typed input (numbers, dates, formulas...) into one cell, keeping fill and comment.
    void enterText(long row, long col, std::u16string_view text);
    void setValueAt(long row, long col, const host::Variant& value);
    long columnCount() const { return static_cast<long>(columns_.size()); }
    const ColumnStore* column(long col) const;
    // Visits stored cells inside the area column by column; stop by returning false.
    bool forEachCell(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const;
    // Visits stored cells inside the area row by row (the host's enumeration order).
    void forEachCellByRows(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const;
    double countIf(const Area& area, const host::Variant& criterion) const;
    // Frees the columns' COUNTIF and Find indexes (rebuilt when next asked for): a save needs none.
    void dropIndexes() const;
    double countA(const Area& area) const;
    Area usedArea() const;                  // A1 on an empty sheet
    std::optional<Area> cellsArea() const;  // the stored cells' span, validations left out
    bool isEmptyArea(const Area& area) const;

    // --- structure ---
    void deleteCells(const Area& area, int shift);  // xlShiftUp or xlShiftToLeft
    // Replays the structural edits after `seq` on the areas; drops areas that vanished.
    void follow(std::vector<Area>& areas, size_t& seq) const;
    size_t editCount() const { return edits_.size(); }

    // --- what lies on the sheet besides cells ---
    std::vector<DrawingObject>& drawings() { return drawings_; }
    const std::vector<DrawingObject>& drawings() const { return drawings_; }
    std::vector<ValidationRule>& validations() { return validations_; }
    const std::vector<ValidationRule>& validations() const { return validations_; }
    const ValidationRule* validationAt(long row, long col) const;
    void removeValidation(const Area& area);

    // --- selection ---
    std::vector<Area>& selection() { return selection_; }
    long activeRow() const { return activeRow_; }
    long activeCol() const { return activeCol_; }
    void setSelection(std::vector<Area> areas, long activeRow, long activeCol);

    // Writes through the object model that the sheet refused (text too long, a rule...): how
    // many, and the first one, for a report beside a tool's own message.
    struct RefusedWrites {
        size_t count = 0;
        long firstRow = 0, firstCol = 0;
        std::string firstReason;
    };
    void noteRefusedWrite(long row, long col, const std::string& reason);
    const RefusedWrites& refusedWrites() const { return refusedWrites_; }

    // --- name, kind, visibility, place in its book ---
    const std::u16string& name() const { return name_; }
    // Renames under the book's sheet-name rules; error 1004 when refused.
    void setName(const std::u16string& name);
    int type() const { return type_; }
    int visible() const { return visible_; }
    // xlSheetVisible (or True), xlSheetHidden, xlSheetVeryHidden; the book's last visible sheet
    // cannot be hidden (1004). Hiding the active sheet activates the first visible one.
    void setVisible(int visibility);
    long index() const;  // 1-based place in its book, 0 without one
    std::shared_ptr<Book> book() const { return book_.lock(); }
    void setBook(std::weak_ptr<Book> book) { book_ = std::move(book); }
    bool deleted() const { return deleted_; }
    void markDeleted() { deleted_ = true; }
    void setNameUnchecked(std::u16string name) { name_ = std::move(name); }
    void setVisibleUnchecked(int visibility) { visible_ = visibility; }
    void requireLive() const;       // error 424 once deleted
    void requireWorksheet() const;  // error 438 on a chart sheet

    std::shared_ptr<FileData> fileData;
    // The object a host hands out for this sheet, kept here so that the host hands out the
    // same one while it is held; the engine never reads it and a clone does not copy it.
    std::weak_ptr<void> hostObject;

private:
    void enterTyped(long row, long col, const TypedInput& input);
    ColumnStore& mutableColumn(long col);
    bool forEachCellByRowsIn(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const;
    void logEdit(StructuralEdit edit);
    void rewriteFormulas(const StructuralEdit& edit);

    std::weak_ptr<Book> book_;
    std::u16string name_;
    int type_;
    int visible_ = host::xlSheetVisible;
    bool deleted_ = false;
    std::vector<std::shared_ptr<ColumnStore>> columns_;  // index col-1; null when empty
    std::vector<DrawingObject> drawings_;
    std::vector<ValidationRule> validations_;
    std::vector<Area> selection_{Area{1, 1, 1, 1}};
    long activeRow_ = 1, activeCol_ = 1;
    EditLog edits_;
    RefusedWrites refusedWrites_;
};

using SheetPtr = std::shared_ptr<Sheet>;

}  // namespace engine
