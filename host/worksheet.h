#pragma once
// Worksheet (also standing for chart sheets, whose cell members fail with error 438),
// the Sheets collection and the drawing layer: shapes, pictures, charts, controls.
#include <string>

#include "host/fwd.h"
#include "host/variant.h"

namespace host {

class Worksheet {
public:
    virtual ~Worksheet() = default;

    virtual std::u16string Name() const = 0;
    virtual void setName(const std::u16string& name) = 0;  // error 1004 when refused
    virtual int Visible() const = 0;                       // -1, 0, 2
    virtual void setVisible(int visibility) = 0;
    virtual int Type() const = 0;    // xlWorksheet or xlChart
    virtual long Index() const = 0;  // position in Sheets, 1-based
    virtual WorkbookPtr Parent() const = 0;
    virtual void Activate() = 0;
    virtual void Select() = 0;
    // The copy takes the host's default name ("Data (2)") and becomes the active sheet.
    virtual void Copy(const WorksheetPtr& before) = 0;
    virtual void Delete() = 0;

    virtual RangePtr Cells() const = 0;
    virtual RangePtr Cells(long row, long column) const = 0;
    virtual RangePtr Range(const std::u16string& address) const = 0;
    virtual RangePtr Range(const RangePtr& cell1, const RangePtr& cell2) const = 0;
    virtual RangePtr Rows() const = 0;
    virtual RangePtr Columns() const = 0;
    virtual RangePtr UsedRange() const = 0;
    virtual Variant Evaluate(const std::u16string& formula) const = 0;

    virtual ShapesPtr Shapes() const = 0;
    virtual DrawingCollectionPtr DrawingObjects() const = 0;
    virtual DrawingCollectionPtr Pictures() const = 0;
    virtual DrawingCollectionPtr ChartObjects() const = 0;
    virtual CommentsPtr Comments() const = 0;
};

class Sheets {
public:
    virtual ~Sheets() = default;
    virtual long Count() const = 0;
    virtual WorksheetPtr Item(long index) const = 0;                  // error 9 when absent
    virtual WorksheetPtr Item(const std::u16string& name) const = 0;  // error 9 when absent
    // A new empty worksheet before `before` (or after the last sheet), made active.
    virtual WorksheetPtr Add(const WorksheetPtr& before = nullptr) = 0;
};

class Shape {
public:
    virtual ~Shape() = default;
    virtual int Type() const = 0;  // msoAutoShape, msoTextBox, msoSmartArt, msoPicture, ...
    virtual std::u16string Name() const = 0;
    // TextFrame.Characters.Text; error 1004 when the shape has no text frame.
    virtual std::u16string TextFrameText() const = 0;
    // TextEffect.Text (WordArt and the items of grouped shapes); error 1004 when none.
    virtual std::u16string TextEffectText() const = 0;
    // GroupItems; error 1004 unless the shape is a group or SmartArt.
    virtual ShapesPtr GroupItems() const = 0;
    virtual void Delete() = 0;
};

class Shapes {
public:
    virtual ~Shapes() = default;
    virtual long Count() const = 0;
    virtual ShapePtr Item(long index) const = 0;  // 1-based
};

// DrawingObjects, Pictures, ChartObjects: what the tools count and delete.
class DrawingCollection {
public:
    virtual ~DrawingCollection() = default;
    virtual long Count() const = 0;
    virtual void Delete() = 0;
};

}  // namespace host
