#include "host/calc/calc_drawing.h"

#include <algorithm>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XChild.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XShapeDescriptor.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/sheet/XSheetAnnotation.hpp>
#include <com/sun/star/sheet/XSheetAnnotationAnchor.hpp>
#include <com/sun/star/sheet/XSheetAnnotations.hpp>
#include <com/sun/star/sheet/XSheetAnnotationsSupplier.hpp>
#include <com/sun/star/table/CellAddress.hpp>
#include <com/sun/star/text/XSimpleText.hpp>
#include <com/sun/star/text/XText.hpp>
#include <vector>

#include "host/calc/calc_range.h"
#include "host/constants.h"

namespace host::calc {

namespace {

using css::drawing::XShape;
using css::drawing::XShapes;

[[noreturn]] void noSuchPart() { throw host::Error(1004, "Application-defined or object-defined error"); }

// The sheet's draw page. XDrawPageSupplier and XShapeDescriptor are marked deprecated, yet
// they are how a Calc sheet hands out its drawing objects and a shape tells its kind.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
Reference<XShapes> drawPageOf(const Reference<css::sheet::XSpreadsheet>& sheet) {
    return Reference<XShapes>(Reference<css::drawing::XDrawPageSupplier>(sheet, UNO_QUERY_THROW)->getDrawPage(),
                              UNO_QUERY_THROW);
}

std::u16string typeNameOf(const Reference<XShape>& shape) {
    return fromOU(Reference<css::drawing::XShapeDescriptor>(shape, UNO_QUERY_THROW)->getShapeType());
}
#pragma GCC diagnostic pop

bool isPicture(const std::u16string& type) { return type == u"com.sun.star.drawing.GraphicObjectShape"; }
bool isChart(const Reference<XShape>& shape, const std::u16string& type) {
    if (type != u"com.sun.star.drawing.OLE2Shape") return false;
    Reference<css::beans::XPropertySet> props(shape, UNO_QUERY);
    OUString clsid;
    if (props.is()) props->getPropertyValue("CLSID") >>= clsid;
    return clsid.equalsIgnoreAsciiCase("12dcae26-281f-416f-a234-c3086127382e");  // Calc's chart
}

// A comment's caption: Calc keeps comments' callouts on the draw page, on a layer of its own
// ("intern", beneath the user's front and back layers); the object model keeps comments apart
// from the drawing objects. A callout the user drew lies on the front or back layer.
constexpr sal_Int16 kCalcInternalLayer = 2;

bool isCommentCaption(const Reference<XShape>& shape) {
    if (typeNameOf(shape) != u"com.sun.star.drawing.CaptionShape") return false;
    Reference<css::beans::XPropertySet> props(shape, UNO_QUERY);
    sal_Int16 layer = kCalcInternalLayer;
    if (props.is()) props->getPropertyValue("LayerID") >>= layer;
    return layer == kCalcInternalLayer;
}

// The drawing objects of a draw page or group, comments' captions left out.
std::vector<Reference<XShape>> shapesOf(const Reference<XShapes>& page) {
    std::vector<Reference<XShape>> shapes;
    for (sal_Int32 i = 0, n = page->getCount(); i < n; ++i) {
        Reference<XShape> shape(page->getByIndex(i), UNO_QUERY_THROW);
        if (!isCommentCaption(shape)) shapes.push_back(shape);
    }
    return shapes;
}

class CalcShape : public host::Shape {
public:
    CalcShape(Reference<XShape> shape) : shape_(std::move(shape)) {}

    int Type() const override {
        const std::u16string type = unoCall([&] { return typeNameOf(shape_); });
        if (isPicture(type)) return host::msoPicture;
        if (type == u"com.sun.star.drawing.GroupShape") return host::msoGroup;
        if (type == u"com.sun.star.drawing.TextShape") return host::msoTextBox;
        if (unoCall([&] { return isChart(shape_, type); })) return host::msoChart;
        if (type == u"com.sun.star.drawing.ControlShape") return host::msoFormControl;
        if (type == u"com.sun.star.drawing.OLE2Shape") return host::msoOLEControlObject;
        return host::msoAutoShape;
    }
    std::u16string Name() const override {
        return unoCall([&] { return fromOU(Reference<css::container::XNamed>(shape_, UNO_QUERY_THROW)->getName()); });
    }
    std::u16string TextFrameText() const override {
        Reference<css::text::XText> text(shape_, UNO_QUERY);
        const std::u16string type = unoCall([&] { return typeNameOf(shape_); });
        if (!text.is() || isPicture(type) || type == u"com.sun.star.drawing.GroupShape") noSuchPart();
        return unoCall([&] { return fromOU(text->getString()); });
    }
    std::u16string TextEffectText() const override { noSuchPart(); }  // Calc has no WordArt text effect
    host::ShapesPtr GroupItems() const override;
    void Delete() override {
        unoCall([&] {
            Reference<css::container::XChild> child(shape_, UNO_QUERY);
            Reference<XShapes> parent(child.is() ? child->getParent() : css::uno::Reference<css::uno::XInterface>(),
                                      UNO_QUERY);
            if (!parent.is()) noSuchPart();
            parent->remove(shape_);
        });
    }

private:
    Reference<XShape> shape_;
};

class CalcShapes : public host::Shapes {
public:
    explicit CalcShapes(Reference<XShapes> shapes) : shapes_(std::move(shapes)) {}
    long Count() const override {
        return unoCall([&] { return static_cast<long>(shapesOf(shapes_).size()); });
    }
    host::ShapePtr Item(long index) const override {
        const auto all = unoCall([&] { return shapesOf(shapes_); });
        if (index < 1 || index > static_cast<long>(all.size()))
            throw host::Error(host::errSubscript, "Subscript out of range");
        return std::make_shared<CalcShape>(all[static_cast<size_t>(index - 1)]);
    }

private:
    Reference<XShapes> shapes_;
};

host::ShapesPtr CalcShape::GroupItems() const {
    if (unoCall([&] { return typeNameOf(shape_); }) != u"com.sun.star.drawing.GroupShape") noSuchPart();
    return std::make_shared<CalcShapes>(Reference<XShapes>(shape_, UNO_QUERY_THROW));
}

class CalcDrawingCollection : public host::DrawingCollection {
public:
    CalcDrawingCollection(Reference<css::sheet::XSpreadsheet> sheet, DrawingKind kind)
        : sheet_(std::move(sheet)), kind_(kind) {}
    long Count() const override {
        return unoCall([&] { return static_cast<long>(members().size()); });
    }
    void Delete() override {
        unoCall([&] {
            const auto page = drawPageOf(sheet_);
            for (const auto& shape : members()) page->remove(shape);
        });
    }

private:
    std::vector<Reference<XShape>> members() const {
        std::vector<Reference<XShape>> found;
        for (const auto& shape : shapesOf(drawPageOf(sheet_))) {
            const std::u16string type = typeNameOf(shape);
            if (kind_ == DrawingKind::All || (kind_ == DrawingKind::Pictures && isPicture(type)) ||
                (kind_ == DrawingKind::Charts && isChart(shape, type)))
                found.push_back(shape);
        }
        return found;
    }

    Reference<css::sheet::XSpreadsheet> sheet_;
    DrawingKind kind_;
};

class CalcComment : public host::Comment {
public:
    CalcComment(CalcDocumentPtr doc, Reference<css::sheet::XSpreadsheet> sheet, long row, long column)
        : doc_(std::move(doc)), sheet_(std::move(sheet)), row_(row), column_(column) {}

    std::u16string Text() const override {
        return unoCall(
            [&] { return fromOU(Reference<css::text::XSimpleText>(annotation(), UNO_QUERY_THROW)->getString()); });
    }
    std::u16string Author() const override {
        return unoCall([&] { return fromOU(annotation()->getAuthor()); });
    }
    host::RangePtr Parent() const override { return CalcRange::make(doc_, sheet_, {{row_, column_, row_, column_}}); }
    void Delete() override { Parent()->ClearComments(); }

private:
    Reference<css::sheet::XSheetAnnotation> annotation() const {
        Reference<css::sheet::XSheetAnnotationAnchor> anchor(sheet_->getCellByPosition(column_ - 1, row_ - 1),
                                                             UNO_QUERY_THROW);
        const auto note = anchor->getAnnotation();
        if (fromOU(Reference<css::text::XSimpleText>(note, UNO_QUERY_THROW)->getString()).empty()) noSuchPart();
        return note;
    }

    CalcDocumentPtr doc_;
    Reference<css::sheet::XSpreadsheet> sheet_;
    long row_, column_;
};

class CalcComments : public host::Comments {
public:
    CalcComments(CalcDocumentPtr doc, Reference<css::sheet::XSpreadsheet> sheet)
        : doc_(std::move(doc)), sheet_(std::move(sheet)) {}
    long Count() const override { return static_cast<long>(positions().size()); }
    host::CommentPtr Item(long index) const override {
        const auto all = positions();
        if (index < 1 || index > static_cast<long>(all.size()))
            throw host::Error(host::errSubscript, "Subscript out of range");
        const auto& [row, column] = all[static_cast<size_t>(index - 1)];
        return std::make_shared<CalcComment>(doc_, sheet_, row, column);
    }

private:
    // The cells with a comment (1-based row, column), row by row.
    std::vector<std::pair<long, long>> positions() const {
        return unoCall([&] {
            Reference<css::sheet::XSheetAnnotations> notes(
                Reference<css::sheet::XSheetAnnotationsSupplier>(sheet_, UNO_QUERY_THROW)->getAnnotations(),
                UNO_QUERY_THROW);
            std::vector<std::pair<long, long>> found;
            for (sal_Int32 i = 0, n = notes->getCount(); i < n; ++i) {
                Reference<css::sheet::XSheetAnnotation> note(notes->getByIndex(i), UNO_QUERY_THROW);
                const css::table::CellAddress at = note->getPosition();
                found.emplace_back(at.Row + 1, at.Column + 1);
            }
            std::sort(found.begin(), found.end());
            return found;
        });
    }

    CalcDocumentPtr doc_;
    Reference<css::sheet::XSpreadsheet> sheet_;
};

}  // namespace

host::ShapesPtr makeShapes(const Reference<css::sheet::XSpreadsheet>& sheet) {
    return std::make_shared<CalcShapes>(unoCall([&] { return drawPageOf(sheet); }));
}

host::DrawingCollectionPtr makeDrawingCollection(const Reference<css::sheet::XSpreadsheet>& sheet, DrawingKind kind) {
    return std::make_shared<CalcDrawingCollection>(sheet, kind);
}

host::CommentsPtr makeComments(const CalcDocumentPtr& doc, const Reference<css::sheet::XSpreadsheet>& sheet) {
    return std::make_shared<CalcComments>(doc, sheet);
}

host::CommentPtr makeCellComment(const CalcDocumentPtr& doc, const Reference<css::sheet::XSpreadsheet>& sheet, long row,
                                 long column) {
    const bool has = unoCall([&] {
        Reference<css::sheet::XSheetAnnotationAnchor> anchor(sheet->getCellByPosition(column - 1, row - 1),
                                                             UNO_QUERY_THROW);
        return !Reference<css::text::XSimpleText>(anchor->getAnnotation(), UNO_QUERY_THROW)->getString().isEmpty();
    });
    return has ? std::make_shared<CalcComment>(doc, sheet, row, column) : nullptr;
}

}  // namespace host::calc
