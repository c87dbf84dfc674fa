#pragma once
// CalcRange: host::Range over Calc's cell ranges. A range holds one Calc range object per
// area; Calc keeps those objects on the same cells through structural edits (deleted rows or
// columns inside shrink them, those before move them), as the object model's ranges behave.
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <vector>

#include "host/calc/a1_address.h"
#include "host/calc/calc_document.h"
#include "host/range.h"

namespace host::calc {

class CalcRange : public host::Range, public std::enable_shared_from_this<CalcRange> {
public:
    // `sheet`: the Calc sheet object the areas lie on (it follows the sheet as sheets move).
    CalcRange(CalcDocumentPtr doc, Reference<css::sheet::XSpreadsheet> sheet,
              std::vector<Reference<css::table::XCellRange>> areas, host::RangeItems items = host::RangeItems::Cells);
    // A range of `areas` on `sheet`; host::Error 1004 when an area leaves the sheet.
    static std::shared_ptr<CalcRange> make(const CalcDocumentPtr& doc, const Reference<css::sheet::XSpreadsheet>& sheet,
                                           const std::vector<Area>& areas,
                                           host::RangeItems items = host::RangeItems::Cells);
    // A range over the cells of a Calc selection or range object (one range or a list of
    // ranges); nullptr when it holds no cells.
    static std::shared_ptr<CalcRange> fromCalc(const CalcDocumentPtr& doc,
                                               const Reference<css::uno::XInterface>& object);

    // The areas where they are now (1-based) and the sheet they lie on.
    std::vector<Area> areas() const;
    Reference<css::sheet::XSpreadsheet> sheet() const;
    const CalcDocumentPtr& document() const { return doc_; }
    // The Calc object to select for this range: the range itself or a list of ranges.
    css::uno::Any selectable() const;

    host::Variant Value() const override;
    void setValue(const host::Variant& value) override;
    std::u16string Formula() const override;
    void setFormula(const std::u16string& formula) override;
    bool HasFormula() const override;
    std::u16string Address(bool rowAbsolute = true, bool columnAbsolute = true) const override;

    host::RangeItems Items() const override { return items_; }
    long Count() const override;
    long long CountLarge() const override;
    host::RangePtr Item(long long index) const override;
    host::RangePtr Cells(long row, long column) const override;
    host::RangePtr Cells() const override;
    host::RangePtr Rows() const override;
    host::RangePtr Columns() const override;
    long Row() const override;
    long Column() const override;
    host::RangePtr EntireRow() const override;
    host::RangePtr EntireColumn() const override;
    host::RangePtr Offset(long rows, long columns) const override;
    host::RangePtr Resize(long rows, long columns) const override;
    host::RangePtr End(int direction) const override;
    host::AreasPtr Areas() const override;
    host::RangePtr SpecialCells(int type) const override;
    host::RangePtr Find(const std::u16string& what, int lookIn = -4163, int lookAt = 1, int searchOrder = 1,
                        int searchDirection = 1, bool matchCase = false) const override;
    host::WorksheetPtr Worksheet() const override;

    void Delete(std::optional<int> shift = std::nullopt) override;
    void ClearContents() override;
    void ClearComments() override;
    void Select() override;
    void Activate() override;
    void Copy() override;
    void PasteSpecial(int paste = -4104, int operation = -4142, bool skipBlanks = false,
                      bool transpose = false) override;

    host::InteriorPtr Interior() const override;
    host::ValidationPtr Validation() const override;
    host::CommentPtr Comment() const override;
    host::CommentPtr AddComment(const std::u16string& text) override;

private:
    std::shared_ptr<CalcRange> with(const std::vector<Area>& areas, host::RangeItems items) const;
    Area firstArea() const;
    Reference<css::table::XCell> firstCell() const;
    void clear(sal_Int32 flags);

    CalcDocumentPtr doc_;
    Reference<css::sheet::XSpreadsheet> sheet_;
    std::vector<Reference<css::table::XCellRange>> areas_;
    host::RangeItems items_;
};

// Member not (yet) given by the Calc host: host::Error 438, as a member the object does not support.
[[noreturn]] void notInCalc(const char* member);

}  // namespace host::calc
