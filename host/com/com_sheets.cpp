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
    CommentPtr Comment() const override;
    CommentPtr AddComment(const std::u16string& text) override;

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

// A cell's comment (note): its text through the Text method, its author, the cell it is on.
class ComComment : public host::Comment {
public:
    explicit ComComment(Dispatch comment) : comment_(std::move(comment)) {}
    std::u16string Text() const override { return comment_.call(u"Text").toText(); }
    std::u16string Author() const override { return comment_.get(u"Author").toText(); }
    RangePtr Parent() const override { return rangeOf(comment_.object(u"Parent")); }
    void Delete() override { comment_.call(u"Delete"); }

private:
    Dispatch comment_;
};

CommentPtr commentOf(Dispatch comment) {
    if (!comment) return nullptr;
    return std::make_shared<ComComment>(std::move(comment));
}

class ComComments : public host::Comments {
public:
    explicit ComComments(Dispatch comments) : comments_(std::move(comments)) {}
    long Count() const override { return integer(comments_.get(u"Count")); }
    CommentPtr Item(long index) const override {
        CommentPtr comment = commentOf(comments_.object(u"Item", {Variant(index)}));
        if (!comment) throw host::Error(9, "Subscript out of range");
        return comment;
    }

private:
    Dispatch comments_;
};

CommentPtr ComRange::Comment() const { return commentOf(range_.object(u"Comment")); }

CommentPtr ComRange::AddComment(const std::u16string& text) {
    return commentOf(required(range_.object(u"AddComment", {Variant(text)})));
}

ShapesPtr shapesOf(Dispatch shapes);

// A shape: its type (MsoShapeType), name, the text of its text frame (TextFrame.Characters.Text),
// its WordArt text (TextEffect.Text), the items of a group, Delete. A shape without a text frame
// or text effect fails in the host itself, with the host's number.
class ComShape : public host::Shape {
public:
    explicit ComShape(Dispatch shape) : shape_(std::move(shape)) {}
    int Type() const override { return static_cast<int>(integer(shape_.get(u"Type"))); }
    std::u16string Name() const override { return shape_.get(u"Name").toText(); }
    std::u16string TextFrameText() const override {
        const Dispatch frame = required(shape_.object(u"TextFrame"));
        return required(frame.object(u"Characters")).get(u"Text").toText();
    }
    std::u16string TextEffectText() const override {
        return required(shape_.object(u"TextEffect")).get(u"Text").toText();
    }
    ShapesPtr GroupItems() const override { return shapesOf(shape_.object(u"GroupItems")); }
    void Delete() override { shape_.call(u"Delete"); }

private:
    Dispatch shape_;
};

// Worksheet.Shapes and a group's GroupItems: Count and Item.
class ComShapes : public host::Shapes {
public:
    explicit ComShapes(Dispatch shapes) : shapes_(std::move(shapes)) {}
    long Count() const override { return integer(shapes_.get(u"Count")); }
    ShapePtr Item(long index) const override {
        return std::make_shared<ComShape>(required(shapes_.object(u"Item", {Variant(index)})));
    }

private:
    Dispatch shapes_;
};

ShapesPtr shapesOf(Dispatch shapes) { return std::make_shared<ComShapes>(required(std::move(shapes))); }

// DrawingObjects, Pictures, ChartObjects as the sheet's methods answer them: Count and Delete.
class ComDrawingCollection : public host::DrawingCollection {
public:
    explicit ComDrawingCollection(Dispatch collection) : collection_(std::move(collection)) {}
    long Count() const override { return integer(collection_.get(u"Count")); }
    void Delete() override { collection_.call(u"Delete"); }

private:
    Dispatch collection_;
};

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
    ShapesPtr Shapes() const override { return shapesOf(sheet_.object(u"Shapes")); }
    DrawingCollectionPtr DrawingObjects() const override { return drawings(u"DrawingObjects"); }
    DrawingCollectionPtr Pictures() const override { return drawings(u"Pictures"); }
    DrawingCollectionPtr ChartObjects() const override { return drawings(u"ChartObjects"); }
    CommentsPtr Comments() const override {
        return std::make_shared<ComComments>(required(sheet_.object(u"Comments")));
    }

private:
    DrawingCollectionPtr drawings(const char16_t* member) const {
        return std::make_shared<ComDrawingCollection>(required(sheet_.object(member)));
    }
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
