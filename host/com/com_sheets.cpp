#include "host/com/com_sheets.h"

#include "host/error.h"

namespace host::com {

namespace {

[[noreturn]] void notBuilt(const char* member) {
    throw host::Error(438, std::string("Object doesn't support this property or method (") + member +
                               " is not reached through this host yet)");
}

long integer(const Variant& value) {
    if (!value.isNumber() && !value.isBoolean()) throw host::Error(13, "Type mismatch");
    return static_cast<long>(value.number());
}

Dispatch required(Dispatch object) {
    if (!object) throw host::Error(91, "Object variable or With block variable not set");
    return object;
}

class ComWorksheet;

class ComRange : public host::Range {
public:
    ComRange(Dispatch range, RangeItems items) : range_(std::move(range)), items_(items) {}
    IDispatch* dispatch() const { return range_.get(); }

    Variant Value() const override { return range_.get(u"Value"); }
    void setValue(const Variant& value) override { range_.put(u"Value", value); }
    std::u16string Formula() const override { return range_.get(u"Formula").toText(); }
    void setFormula(const std::u16string& formula) override { range_.put(u"Formula", Variant(formula)); }
    bool HasFormula() const override { return range_.get(u"HasFormula").boolean(); }
    std::u16string Address(bool rowAbsolute, bool columnAbsolute) const override {
        return range_.call(u"Address", {Variant(rowAbsolute), Variant(columnAbsolute)}).toText();
    }
    RangeItems Items() const override { return items_; }
    long Count() const override { return integer(range_.get(u"Count")); }
    long long CountLarge() const override { return static_cast<long long>(range_.get(u"CountLarge").number()); }
    RangePtr Item(long long index) const override {
        return rangeOf(range_.object(u"Item", {Variant(static_cast<double>(index))}));
    }
    RangePtr Cells(long row, long column) const override {
        return rangeOf(range_.object(u"Cells", {Variant(row), Variant(column)}));
    }
    RangePtr Cells() const override { return rangeOf(range_.object(u"Cells")); }
    RangePtr Rows() const override { return rangeOf(range_.object(u"Rows"), RangeItems::Rows); }
    RangePtr Columns() const override { return rangeOf(range_.object(u"Columns"), RangeItems::Columns); }
    long Row() const override { return integer(range_.get(u"Row")); }
    long Column() const override { return integer(range_.get(u"Column")); }
    RangePtr EntireRow() const override { return rangeOf(range_.object(u"EntireRow"), RangeItems::Rows); }
    RangePtr EntireColumn() const override { return rangeOf(range_.object(u"EntireColumn"), RangeItems::Columns); }
    RangePtr Offset(long rows, long columns) const override {
        return rangeOf(range_.object(u"Offset", {Variant(rows), Variant(columns)}));
    }
    RangePtr Resize(long rows, long columns) const override {
        return rangeOf(range_.object(u"Resize", {Variant(rows), Variant(columns)}));
    }
    RangePtr End(int direction) const override { return rangeOf(range_.object(u"End", {Variant(direction)})); }
    AreasPtr Areas() const override;
    RangePtr SpecialCells(int type) const override { return rangeOf(range_.object(u"SpecialCells", {Variant(type)})); }
    RangePtr Find(const std::u16string& what, int lookIn, int lookAt, int searchOrder, int searchDirection,
                  bool matchCase) const override {
        return rangeOf(range_.object(u"Find", {Variant(what), Variant(), Variant(lookIn), Variant(lookAt),
                                               Variant(searchOrder), Variant(searchDirection), Variant(matchCase)}));
    }
    WorksheetPtr Worksheet() const override { return worksheetOf(range_.object(u"Worksheet")); }
    void Delete(std::optional<int> shift) override {
        if (shift)
            range_.call(u"Delete", {Variant(*shift)});
        else
            range_.call(u"Delete");
    }
    void ClearContents() override { range_.call(u"ClearContents"); }
    void ClearComments() override { range_.call(u"ClearComments"); }
    void Select() override { range_.call(u"Select"); }
    void Activate() override { range_.call(u"Activate"); }
    void Copy() override { range_.call(u"Copy"); }
    void PasteSpecial(int paste, int operation, bool skipBlanks, bool transpose) override {
        range_.call(u"PasteSpecial", {Variant(paste), Variant(operation), Variant(skipBlanks), Variant(transpose)});
    }
    InteriorPtr Interior() const override;
    ValidationPtr Validation() const override;
    CommentPtr Comment() const override { notBuilt("Range.Comment"); }
    CommentPtr AddComment(const std::u16string&) override { notBuilt("Range.AddComment"); }

private:
    Dispatch range_;
    RangeItems items_;
};

class ComInterior : public host::Interior {
public:
    explicit ComInterior(Dispatch interior) : interior_(std::move(interior)) {}
    int ColorIndex() const override { return static_cast<int>(integer(interior_.get(u"ColorIndex"))); }
    void setColorIndex(int index) override { interior_.put(u"ColorIndex", Variant(index)); }

private:
    Dispatch interior_;
};

// Validation.Add(Type, AlertStyle, Operator, Formula1, Formula2): arguments not given are left out.
class ComValidation : public host::Validation {
public:
    explicit ComValidation(Dispatch validation) : validation_(std::move(validation)) {}
    void Delete() override { validation_.call(u"Delete"); }
    void Add(int type, std::optional<int> alertStyle, std::optional<int> op, const std::u16string& formula1,
             const std::u16string& formula2) override {
        auto optional = [](std::optional<int> v) { return v ? Argument(Variant(*v)) : Argument::missing(); };
        auto text = [](const std::u16string& v) { return v.empty() ? Argument::missing() : Argument(Variant(v)); };
        validation_.call(u"Add", {Variant(type), optional(alertStyle), optional(op), text(formula1), text(formula2)});
    }
    int Type() const override { return number(u"Type"); }
    int AlertStyle() const override { return number(u"AlertStyle"); }
    int Operator() const override { return number(u"Operator"); }
    std::u16string Formula1() const override { return validation_.get(u"Formula1").toText(); }
    std::u16string Formula2() const override { return validation_.get(u"Formula2").toText(); }
    bool IgnoreBlank() const override { return validation_.get(u"IgnoreBlank").boolean(); }
    void setIgnoreBlank(bool value) override { validation_.put(u"IgnoreBlank", Variant(value)); }
    bool InCellDropdown() const override { return validation_.get(u"InCellDropdown").boolean(); }
    void setInCellDropdown(bool value) override { validation_.put(u"InCellDropdown", Variant(value)); }
    bool ShowInput() const override { return validation_.get(u"ShowInput").boolean(); }
    void setShowInput(bool value) override { validation_.put(u"ShowInput", Variant(value)); }
    bool ShowError() const override { return validation_.get(u"ShowError").boolean(); }
    void setShowError(bool value) override { validation_.put(u"ShowError", Variant(value)); }
    std::u16string InputTitle() const override { return validation_.get(u"InputTitle").toText(); }
    void setInputTitle(const std::u16string& value) override { validation_.put(u"InputTitle", Variant(value)); }
    std::u16string ErrorTitle() const override { return validation_.get(u"ErrorTitle").toText(); }
    void setErrorTitle(const std::u16string& value) override { validation_.put(u"ErrorTitle", Variant(value)); }
    std::u16string InputMessage() const override { return validation_.get(u"InputMessage").toText(); }
    void setInputMessage(const std::u16string& value) override { validation_.put(u"InputMessage", Variant(value)); }
    std::u16string ErrorMessage() const override { return validation_.get(u"ErrorMessage").toText(); }
    void setErrorMessage(const std::u16string& value) override { validation_.put(u"ErrorMessage", Variant(value)); }

private:
    int number(const char16_t* member) const { return static_cast<int>(integer(validation_.get(member))); }
    Dispatch validation_;
};

class ComAreas : public host::Areas {
public:
    explicit ComAreas(Dispatch areas) : areas_(std::move(areas)) {}
    long Count() const override { return integer(areas_.get(u"Count")); }
    RangePtr Item(long index) const override { return rangeOf(areas_.object(u"Item", {Variant(index)})); }

private:
    Dispatch areas_;
};

InteriorPtr ComRange::Interior() const { return std::make_shared<ComInterior>(required(range_.object(u"Interior"))); }

ValidationPtr ComRange::Validation() const {
    return std::make_shared<ComValidation>(required(range_.object(u"Validation")));
}

AreasPtr ComRange::Areas() const { return std::make_shared<ComAreas>(required(range_.object(u"Areas"))); }

class ComWorksheet : public host::Worksheet {
public:
    explicit ComWorksheet(Dispatch sheet) : sheet_(std::move(sheet)) {}
    IDispatch* dispatch() const { return sheet_.get(); }

    std::u16string Name() const override { return sheet_.get(u"Name").toText(); }
    void setName(const std::u16string& name) override { sheet_.put(u"Name", Variant(name)); }
    int Visible() const override { return static_cast<int>(integer(sheet_.get(u"Visible"))); }
    void setVisible(int visibility) override { sheet_.put(u"Visible", Variant(visibility)); }
    int Type() const override { return static_cast<int>(integer(sheet_.get(u"Type"))); }
    long Index() const override { return integer(sheet_.get(u"Index")); }
    WorkbookPtr Parent() const override { notBuilt("Worksheet.Parent"); }
    void Activate() override { sheet_.call(u"Activate"); }
    void Select() override { sheet_.call(u"Select"); }
    void Copy(const WorksheetPtr& before) override { sheet_.call(u"Copy", {Argument(dispatchOf(before))}); }
    void Delete() override { sheet_.call(u"Delete"); }
    RangePtr Cells() const override { return rangeOf(sheet_.object(u"Cells")); }
    RangePtr Cells(long row, long column) const override {
        return rangeOf(sheet_.object(u"Cells", {Variant(row), Variant(column)}));
    }
    RangePtr Range(const std::u16string& address) const override {
        return rangeOf(sheet_.object(u"Range", {Variant(address)}));
    }
    RangePtr Range(const RangePtr& cell1, const RangePtr& cell2) const override {
        return rangeOf(sheet_.object(u"Range", {Argument(dispatchOf(cell1)), Argument(dispatchOf(cell2))}));
    }
    RangePtr Rows() const override { return rangeOf(sheet_.object(u"Rows"), RangeItems::Rows); }
    RangePtr Columns() const override { return rangeOf(sheet_.object(u"Columns"), RangeItems::Columns); }
    RangePtr UsedRange() const override { return rangeOf(sheet_.object(u"UsedRange")); }
    Variant Evaluate(const std::u16string& formula) const override {
        return sheet_.call(u"Evaluate", {Variant(formula)});
    }
    ShapesPtr Shapes() const override { notBuilt("Worksheet.Shapes"); }
    DrawingCollectionPtr DrawingObjects() const override { notBuilt("Worksheet.DrawingObjects"); }
    DrawingCollectionPtr Pictures() const override { notBuilt("Worksheet.Pictures"); }
    DrawingCollectionPtr ChartObjects() const override { notBuilt("Worksheet.ChartObjects"); }
    CommentsPtr Comments() const override { notBuilt("Worksheet.Comments"); }

private:
    Dispatch sheet_;
};

class ComSheets : public host::Sheets {
public:
    explicit ComSheets(Dispatch sheets) : sheets_(std::move(sheets)) {}
    long Count() const override { return integer(sheets_.get(u"Count")); }
    WorksheetPtr Item(long index) const override { return present(sheets_.object(u"Item", {Variant(index)})); }
    WorksheetPtr Item(const std::u16string& name) const override {
        return present(sheets_.object(u"Item", {Variant(name)}));
    }
    WorksheetPtr Add(const WorksheetPtr& before) override {
        if (!before) return present(sheets_.object(u"Add"));
        return present(sheets_.object(u"Add", {Argument(dispatchOf(before))}));
    }

private:
    static WorksheetPtr present(Dispatch sheet) {
        if (!sheet) throw host::Error(9, "Subscript out of range");
        return worksheetOf(std::move(sheet));
    }
    Dispatch sheets_;
};

class ComWorksheetFunction : public host::WorksheetFunction {
public:
    explicit ComWorksheetFunction(Dispatch functions) : functions_(std::move(functions)) {}
    double CountA(const RangePtr& range) const override {
        return functions_.call(u"CountA", {Argument(dispatchOf(range))}).number();
    }
    double CountIf(const RangePtr& range, const Variant& criterion) const override {
        return functions_.call(u"CountIf", {Argument(dispatchOf(range)), Argument(criterion)}).number();
    }
    std::u16string Trim(const std::u16string& text) const override {
        return functions_.call(u"Trim", {Variant(text)}).toText();
    }
    std::u16string Clean(const std::u16string& text) const override {
        return functions_.call(u"Clean", {Variant(text)}).toText();
    }

private:
    Dispatch functions_;
};

}  // namespace

WorksheetPtr worksheetOf(Dispatch sheet) {
    if (!sheet) return nullptr;
    return std::make_shared<ComWorksheet>(std::move(sheet));
}

RangePtr rangeOf(Dispatch range, RangeItems items) {
    if (!range) return nullptr;
    return std::make_shared<ComRange>(std::move(range), items);
}

SheetsPtr sheetsOf(Dispatch sheets) { return std::make_shared<ComSheets>(required(std::move(sheets))); }

WorksheetFunctionPtr worksheetFunctionOf(Dispatch functions) {
    return std::make_shared<ComWorksheetFunction>(required(std::move(functions)));
}

IDispatch* dispatchOf(const RangePtr& range) {
    const auto* ours = dynamic_cast<const ComRange*>(range.get());
    if (!ours) throw host::Error(13, "Type mismatch");
    return ours->dispatch();
}

IDispatch* dispatchOf(const WorksheetPtr& sheet) {
    const auto* ours = dynamic_cast<const ComWorksheet*>(sheet.get());
    if (!ours) throw host::Error(13, "Type mismatch");
    return ours->dispatch();
}

}  // namespace host::com
