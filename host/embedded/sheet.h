#pragma once
// A sheet of the embedded engine: its cells (columns shared copy-on-write between a sheet
// and its copies), drawing layer, validation rules, selection, and the log of structural
// edits that ranges held by code replay to follow deletions.
#include <memory>
#include <string>
#include <vector>

#include "engine/address.h"
#include "engine/area_ops.h"
#include "engine/cell.h"
#include "engine/column_store.h"
#include "engine/sheet_objects.h"
#include "host/embedded/engine_names.h"
#include "host/worksheet.h"

namespace host::embedded {

class Book;

// Opaque data a file format keeps with a sheet or workbook to save it without loss.
struct FileData {
    virtual ~FileData() = default;
};

class Sheet : public host::Worksheet, public std::enable_shared_from_this<Sheet> {
public:
    Sheet(std::weak_ptr<Book> book, std::u16string name, int type = -4167);
    // A copy sharing the cells copy-on-write.
    std::shared_ptr<Sheet> clone(const std::u16string& newName) const;

    // --- the model (used by the engine and the file layer) ---
    const Cell* cell(long row, long col) const;
    Variant valueAt(long row, long col) const;
    void setCell(long row, long col, Cell cell);
    void eraseCell(long row, long col);
    // Writes typed input (numbers, dates, formulas...) into one cell, keeping fill and comment.
    void enterText(long row, long col, const std::u16string& text);
    void setValueAt(long row, long col, const Variant& value);
    long columnCount() const { return static_cast<long>(columns_.size()); }
    const ColumnStore* column(long col) const;
    // Visits stored cells inside the area column by column; stop by returning false.
    bool forEachCell(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const;
    // Visits stored cells inside the area row by row (the host's enumeration order).
    void forEachCellByRows(const Area& area, const std::function<bool(long, long, const Cell&)>& fn) const;
    double countIf(const Area& area, const Variant& criterion) const;
    double countA(const Area& area) const;
    Area usedArea() const;  // A1 on an empty sheet
    bool isEmptyArea(const Area& area) const;

    void deleteCells(const Area& area, int shift);  // xlShiftUp or xlShiftToLeft
    // Replays the structural edits after `seq` on the areas; drops areas that vanished.
    void follow(std::vector<Area>& areas, size_t& seq) const;
    size_t editCount() const { return edits_.size(); }

    std::vector<DrawingObject>& drawings() { return drawings_; }
    const std::vector<DrawingObject>& drawings() const { return drawings_; }
    std::vector<ValidationRule>& validations() { return validations_; }
    const std::vector<ValidationRule>& validations() const { return validations_; }
    const ValidationRule* validationAt(long row, long col) const;
    void removeValidation(const Area& area);

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

    std::shared_ptr<Book> book() const { return book_.lock(); }
    void setBook(std::weak_ptr<Book> book) { book_ = std::move(book); }
    bool deleted() const { return deleted_; }
    void markDeleted() { deleted_ = true; }
    void setNameUnchecked(std::u16string name) { name_ = std::move(name); }
    void setVisibleUnchecked(int visibility) { visible_ = visibility; }
    std::shared_ptr<FileData> fileData;

    // --- host::Worksheet ---
    std::u16string Name() const override;
    void setName(const std::u16string& name) override;
    int Visible() const override;
    void setVisible(int visibility) override;
    int Type() const override { return type_; }
    long Index() const override;
    WorkbookPtr Parent() const override;
    void Activate() override;
    void Select() override;
    void Copy(const WorksheetPtr& before) override;
    void Delete() override;
    RangePtr Cells() const override;
    RangePtr Cells(long row, long column) const override;
    RangePtr Range(const std::u16string& address) const override;
    RangePtr Range(const RangePtr& cell1, const RangePtr& cell2) const override;
    RangePtr Rows() const override;
    RangePtr Columns() const override;
    RangePtr UsedRange() const override;
    Variant Evaluate(const std::u16string& formula) const override;
    ShapesPtr Shapes() const override;
    DrawingCollectionPtr DrawingObjects() const override;
    DrawingCollectionPtr Pictures() const override;
    DrawingCollectionPtr ChartObjects() const override;
    CommentsPtr Comments() const override;

    // A range handle on this sheet.
    RangePtr rangeOf(std::vector<Area> areas) const;
    void requireLive() const;       // error 424 once deleted
    void requireWorksheet() const;  // error 438 on a chart sheet

private:
    ColumnStore& mutableColumn(long col);
    void logEdit(StructuralEdit edit);
    void rewriteFormulas(const StructuralEdit& edit);

    std::weak_ptr<Book> book_;
    std::u16string name_;
    int type_;
    int visible_ = -1;
    bool deleted_ = false;
    std::vector<std::shared_ptr<ColumnStore>> columns_;  // index col-1; null when empty
    std::vector<DrawingObject> drawings_;
    std::vector<ValidationRule> validations_;
    std::vector<Area> selection_{Area{1, 1, 1, 1}};
    long activeRow_ = 1, activeCol_ = 1;
    std::vector<StructuralEdit> edits_;
    RefusedWrites refusedWrites_;
};

using SheetPtr = std::shared_ptr<Sheet>;

}  // namespace host::embedded
