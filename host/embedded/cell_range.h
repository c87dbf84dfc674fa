#pragma once
// Range on the embedded engine: a worksheet and its areas. The areas follow structural edits
// of the engine sheet (replayed lazily on use); a range whose cells were all deleted fails with 424.
#include <functional>
#include <memory>
#include <vector>

#include "engine/sheet.h"
#include "host/embedded/embedded_worksheet.h"
#include "host/range.h"

namespace host::embedded {

class CellRange : public host::Range, public std::enable_shared_from_this<CellRange> {
public:
    CellRange(EmbeddedWorksheetPtr worksheet, std::vector<engine::Area> areas, RangeItems items = RangeItems::Cells);

    // The engine sheet the cells are read from and written to, and its worksheet.
    engine::Sheet& sheet() const { return *sheet_; }
    const EmbeddedWorksheetPtr& worksheet() const { return worksheet_; }
    // The current areas, after the sheet's edits since this range was made.
    const std::vector<engine::Area>& areas() const;
    const engine::Area& firstArea() const { return areas().front(); }

    Variant Value() const override;
    ValueArray Values() const override;
    void setValue(const Variant& value) override;
    std::u16string Formula() const override;
    void setFormula(const std::u16string& formula) override;
    bool HasFormula() const override;
    std::u16string Address(bool rowAbsolute, bool columnAbsolute) const override;
    RangeItems Items() const override { return items_; }
    long Count() const override;
    long long CountLarge() const override;
    RangePtr Item(long long index) const override;
    RangePtr Cells(long row, long column) const override;
    RangePtr Cells() const override;
    RangePtr Rows() const override;
    RangePtr Columns() const override;
    long Row() const override { return firstArea().row1; }
    long Column() const override { return firstArea().col1; }
    RangePtr EntireRow() const override;
    RangePtr EntireColumn() const override;
    RangePtr Offset(long rows, long columns) const override;
    RangePtr Resize(long rows, long columns) const override;
    RangePtr End(int direction) const override;
    AreasPtr Areas() const override;
    RangePtr SpecialCells(int type) const override;
    RangePtr Find(const std::u16string& what, int lookIn, int lookAt, int searchOrder, int searchDirection,
                  bool matchCase) const override;
    WorksheetPtr Worksheet() const override { return worksheet_; }

    void Delete(std::optional<int> shift) override;
    void ClearContents() override;
    void ClearComments() override;
    void Select() override;
    void Activate() override;
    void Copy() override;
    void PasteSpecial(int paste, int operation, bool skipBlanks, bool transpose) override;

    InteriorPtr Interior() const override;
    ValidationPtr Validation() const override;
    CommentPtr Comment() const override;
    CommentPtr AddComment(const std::u16string& text) override;

private:
    RangePtr make(std::vector<engine::Area> areas, RangeItems items = RangeItems::Cells) const;
    // Every cell of the range, area by area, row by row; stop by returning false.
    void forEachPosition(const std::function<bool(long row, long col)>& fn) const;
    void clearContentsAt(long row, long col);

    EmbeddedWorksheetPtr worksheet_;
    engine::Sheet* sheet_;  // the worksheet's, cached: every cell access goes through it
    mutable std::vector<engine::Area> areas_;
    mutable size_t seq_;
    RangeItems items_;
};

std::shared_ptr<CellRange> asCellRange(const RangePtr& range);  // error 424 when not one of ours

}  // namespace host::embedded
