#pragma once
// Range and the small objects hanging off it (Areas, Interior, Validation, Comment).
#include <optional>
#include <string>
#include <vector>

#include "host/fwd.h"
#include "host/variant.h"

namespace host {

// What a range object enumerates: its cells, its rows (Range.Rows) or its columns.
enum class RangeItems { Cells, Rows, Columns };

// The value of a block of cells as the host hands it over in one call (Range.Value of a
// multi-cell range): `rows` × `columns` values, row by row.
struct ValueArray {
    long rows = 0;
    long columns = 0;
    std::vector<Variant> values;

    const Variant& at(long row, long column) const { return values[(row - 1) * columns + (column - 1)]; }  // 1-based

    // An array of more cells than this fails with error 7 "Out of memory" instead of being made.
    static constexpr long long kMaxCells = 1LL << 24;
    // A rows × columns array of empty values; throws error 7 above kMaxCells.
    static ValueArray sized(long rows, long columns);
};

class Range {
public:
    virtual ~Range() = default;

    // Value of the first cell; writing sets every cell. A written text is typed input.
    virtual Variant Value() const = 0;
    virtual void setValue(const Variant& value) = 0;
    // The values of the first area in one array. A host that reads a block faster than cell
    // by cell overrides this; by default it reads the cells one by one.
    virtual ValueArray Values() const;
    // Formula text of the first cell ("=A1+1"), or its value's text when it has none.
    virtual std::u16string Formula() const = 0;
    virtual void setFormula(const std::u16string& formula) = 0;
    virtual bool HasFormula() const = 0;

    // "$A$1", "$A$1:$B$2", "$B:$B", "$3:$3", areas joined by ",".
    virtual std::u16string Address(bool rowAbsolute = true, bool columnAbsolute = true) const = 0;

    // What this object enumerates (cells, rows or columns) and how many; Count fails with
    // error 6 above 2,147,483,647, CountLarge does not.
    virtual RangeItems Items() const = 0;
    virtual long Count() const = 0;
    virtual long long CountLarge() const = 0;
    // The index-th item (1-based) across the areas, in enumeration order.
    virtual RangePtr Item(long long index) const = 0;
    // The default item: the cell at (row, column) relative to the first cell, 1-based;
    // may lie outside the range.
    virtual RangePtr Cells(long row, long column) const = 0;
    virtual RangePtr Cells() const = 0;
    virtual RangePtr Rows() const = 0;
    virtual RangePtr Columns() const = 0;
    virtual long Row() const = 0;
    virtual long Column() const = 0;
    virtual RangePtr EntireRow() const = 0;
    virtual RangePtr EntireColumn() const = 0;
    virtual RangePtr Offset(long rows, long columns) const = 0;
    virtual RangePtr Resize(long rows, long columns) const = 0;
    virtual RangePtr End(int direction) const = 0;
    virtual AreasPtr Areas() const = 0;
    // Fails with error 1004 "No cells were found." when nothing qualifies.
    virtual RangePtr SpecialCells(int type) const = 0;
    // Nothing (nullptr) when no cell matches.
    virtual RangePtr Find(const std::u16string& what, int lookIn = -4163, int lookAt = 1, int searchOrder = 1,
                          int searchDirection = 1, bool matchCase = false) const = 0;
    virtual WorksheetPtr Worksheet() const = 0;

    // Structure and contents.
    virtual void Delete(std::optional<int> shift = std::nullopt) = 0;
    virtual void ClearContents() = 0;
    virtual void ClearComments() = 0;
    virtual void Select() = 0;
    virtual void Activate() = 0;
    virtual void Copy() = 0;
    virtual void PasteSpecial(int paste = -4104, int operation = -4142, bool skipBlanks = false,
                              bool transpose = false) = 0;

    virtual InteriorPtr Interior() const = 0;
    virtual ValidationPtr Validation() const = 0;
    // The comment (note) of the first cell, or nullptr.
    virtual CommentPtr Comment() const = 0;
    virtual CommentPtr AddComment(const std::u16string& text) = 0;
};

class Areas {
public:
    virtual ~Areas() = default;
    virtual long Count() const = 0;
    virtual RangePtr Item(long index) const = 0;  // 1-based
};

class Interior {
public:
    virtual ~Interior() = default;
    // 1..56 on the palette, xlColorIndexNone when unfilled (first cell).
    virtual int ColorIndex() const = 0;
    virtual void setColorIndex(int index) = 0;
};

class Validation {
public:
    virtual ~Validation() = default;
    virtual void Delete() = 0;
    virtual void Add(int type, std::optional<int> alertStyle = std::nullopt, std::optional<int> op = std::nullopt,
                     const std::u16string& formula1 = u"", const std::u16string& formula2 = u"") = 0;
    // Reading any of these on a cell without a rule fails with error 1004.
    virtual int Type() const = 0;
    virtual int AlertStyle() const = 0;
    virtual int Operator() const = 0;
    virtual std::u16string Formula1() const = 0;
    virtual std::u16string Formula2() const = 0;
    virtual bool IgnoreBlank() const = 0;
    virtual void setIgnoreBlank(bool value) = 0;
    virtual bool InCellDropdown() const = 0;
    virtual void setInCellDropdown(bool value) = 0;
    virtual bool ShowInput() const = 0;
    virtual void setShowInput(bool value) = 0;
    virtual bool ShowError() const = 0;
    virtual void setShowError(bool value) = 0;
    virtual std::u16string InputTitle() const = 0;
    virtual void setInputTitle(const std::u16string& value) = 0;
    virtual std::u16string ErrorTitle() const = 0;
    virtual void setErrorTitle(const std::u16string& value) = 0;
    virtual std::u16string InputMessage() const = 0;
    virtual void setInputMessage(const std::u16string& value) = 0;
    virtual std::u16string ErrorMessage() const = 0;
    virtual void setErrorMessage(const std::u16string& value) = 0;
};

class Comment {
public:
    virtual ~Comment() = default;
    virtual std::u16string Text() const = 0;
    virtual std::u16string Author() const = 0;
    virtual RangePtr Parent() const = 0;
    virtual void Delete() = 0;
};

class Comments {
public:
    virtual ~Comments() = default;
    virtual long Count() const = 0;
    virtual CommentPtr Item(long index) const = 0;  // 1-based, in row-by-row order
};

}  // namespace host
