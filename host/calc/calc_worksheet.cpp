#include "host/calc/calc_worksheet.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>

#include "host/calc/calc_drawing.h"
#include "host/calc/calc_range.h"
#include "host/calc/calc_workbook.h"
#include "host/calc/sheet_names.h"
#include "host/constants.h"

namespace host::calc {

namespace {

using css::sheet::XSpreadsheet;

[[noreturn]] void nameRefused() {
    throw host::Error(host::errApplication, "That name is already taken or is not a valid sheet name.");
}

std::u16string nameOf(const Reference<XSpreadsheet>& sheet) {
    return fromOU(Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName());
}

bool isVisible(const Reference<XSpreadsheet>& sheet) {
    bool visible = true;
    Reference<css::beans::XPropertySet>(sheet, UNO_QUERY_THROW)->getPropertyValue("IsVisible") >>= visible;
    return visible;
}

std::vector<Reference<XSpreadsheet>> allSheets(const CalcDocument& doc) {
    Reference<css::container::XIndexAccess> all(doc.sheets(), UNO_QUERY_THROW);
    std::vector<Reference<XSpreadsheet>> sheets;
    for (sal_Int32 i = 0; i < all->getCount(); ++i) sheets.emplace_back(all->getByIndex(i), UNO_QUERY_THROW);
    return sheets;
}

std::vector<std::u16string> namesBut(const CalcDocument& doc, const std::u16string& left) {
    std::vector<std::u16string> names;
    for (const auto& sheet : allSheets(doc))
        if (const auto name = nameOf(sheet); name != left) names.push_back(name);
    return names;
}

long visibleCount(const CalcDocument& doc) {
    long count = 0;
    for (const auto& sheet : allSheets(doc)) count += isVisible(sheet) ? 1 : 0;
    return count;
}

class CalcWorksheet : public host::Worksheet {
public:
    CalcWorksheet(CalcDocumentPtr doc, Reference<XSpreadsheet> sheet)
        : doc_(std::move(doc)), sheet_(std::move(sheet)) {}

    const Reference<XSpreadsheet>& sheet() const { return sheet_; }

    std::u16string Name() const override {
        return unoCall([&] { return nameOf(sheet_); });
    }
    void setName(const std::u16string& name) override {
        unoCall([&] {
            const std::u16string current = nameOf(sheet_);
            if (name == current) return;
            if (!validSheetName(name, namesBut(*doc_, current))) nameRefused();
            Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->setName(toOU(name));
        });
    }
    // Calc has one kind of hidden sheet: very hidden reads back as hidden.
    int Visible() const override {
        return unoCall([&] { return isVisible(sheet_) ? host::xlSheetVisible : host::xlSheetHidden; });
    }
    void setVisible(int visibility) override {
        unoCall([&] {
            const bool show = visibility == host::xlSheetVisible;
            if (!show && isVisible(sheet_) && visibleCount(*doc_) <= 1)
                throw host::Error(host::errApplication, "A workbook must contain at least one visible worksheet.");
            doc_->keepSelection();
            Reference<css::beans::XPropertySet>(sheet_, UNO_QUERY_THROW)
                ->setPropertyValue("IsVisible", css::uno::Any(show));
            doc_->restoreSelection();
        });
    }
    int Type() const override { return host::xlWorksheet; }
    long Index() const override {
        return unoCall([&] { return doc_->indexOf(sheet_) + 1; });
    }
    host::WorkbookPtr Parent() const override { return makeWorkbook(doc_); }
    void Activate() override {
        unoCall([&] { doc_->activate(sheet_); });
    }
    void Select() override { Activate(); }
    void Copy(const host::WorksheetPtr& before) override {
        unoCall([&] {
            const std::u16string name = nameOf(sheet_);
            const std::u16string copy = copyName(name, namesBut(*doc_, u""));
            const auto* target = dynamic_cast<const CalcWorksheet*>(before.get());
            const long position = target ? doc_->indexOf(target->sheet()) : static_cast<long>(allSheets(*doc_).size());
            doc_->sheetsChanging();
            doc_->sheets()->copyByName(toOU(name), toOU(copy), static_cast<sal_Int16>(position));
            if (doc_->view().is()) doc_->activate(doc_->sheetAt(position));
        });
    }
    void Delete() override {
        unoCall([&] {
            if (isVisible(sheet_) && visibleCount(*doc_) <= 1)
                throw host::Error(host::errApplication, "A workbook must contain at least one visible worksheet.");
            doc_->sheetsChanging();
            doc_->sheets()->removeByName(toOU(nameOf(sheet_)));
            doc_->restoreSelection();
        });
    }

    host::RangePtr Cells() const override { return whole(host::RangeItems::Cells); }
    host::RangePtr Cells(long row, long column) const override {
        return CalcRange::make(doc_, sheet_, {{row, column, row, column}});
    }
    host::RangePtr Range(const std::u16string& address) const override {
        const auto areas = parseAddress(address, doc_->size());
        if (!areas) throw host::Error(host::errApplication, "Method 'Range' of object '_Worksheet' failed");
        return CalcRange::make(doc_, sheet_, *areas);
    }
    host::RangePtr Range(const host::RangePtr& cell1, const host::RangePtr& cell2) const override {
        const auto* a = dynamic_cast<const CalcRange*>(cell1.get());
        const auto* b = dynamic_cast<const CalcRange*>(cell2.get());
        if (!a || !b) throw host::Error(host::errApplication, "Method 'Range' of object '_Worksheet' failed");
        const Area first = a->areas().front(), second = b->areas().front();
        return CalcRange::make(doc_, sheet_,
                               {{std::min(first.top, second.top), std::min(first.left, second.left),
                                 std::max(first.bottom, second.bottom), std::max(first.right, second.right)}});
    }
    host::RangePtr Rows() const override { return whole(host::RangeItems::Rows); }
    host::RangePtr Columns() const override { return whole(host::RangeItems::Columns); }
    host::RangePtr UsedRange() const override {
        return CalcRange::make(doc_, sheet_, {unoCall([&] { return usedArea(sheet_); })});
    }
    host::Variant Evaluate(const std::u16string&) const override { notInCalc("Worksheet.Evaluate"); }

    host::ShapesPtr Shapes() const override { return makeShapes(sheet_); }
    host::DrawingCollectionPtr DrawingObjects() const override {
        return makeDrawingCollection(sheet_, DrawingKind::All);
    }
    host::DrawingCollectionPtr Pictures() const override {
        return makeDrawingCollection(sheet_, DrawingKind::Pictures);
    }
    host::DrawingCollectionPtr ChartObjects() const override {
        return makeDrawingCollection(sheet_, DrawingKind::Charts);
    }
    host::CommentsPtr Comments() const override { return makeComments(doc_, sheet_); }

private:
    host::RangePtr whole(host::RangeItems items) const {
        return CalcRange::make(doc_, sheet_, {{1, 1, doc_->size().rows, doc_->size().columns}}, items);
    }

    CalcDocumentPtr doc_;
    Reference<XSpreadsheet> sheet_;
};

class CalcSheets : public host::Sheets {
public:
    explicit CalcSheets(CalcDocumentPtr doc) : doc_(std::move(doc)) {}
    long Count() const override {
        return unoCall([&] { return static_cast<long>(allSheets(*doc_).size()); });
    }
    host::WorksheetPtr Item(long index) const override {
        const auto sheets = unoCall([&] { return allSheets(*doc_); });
        if (index < 1 || index > static_cast<long>(sheets.size()))
            throw host::Error(host::errSubscript, "Subscript out of range");
        return makeWorksheet(doc_, sheets[static_cast<size_t>(index - 1)]);
    }
    host::WorksheetPtr Item(const std::u16string& name) const override {
        for (const auto& sheet : unoCall([&] { return allSheets(*doc_); }))
            if (sameSheetName(unoCall([&] { return nameOf(sheet); }), name)) return makeWorksheet(doc_, sheet);
        throw host::Error(host::errSubscript, "Subscript out of range");
    }
    host::WorksheetPtr Add(const host::WorksheetPtr& before) override {
        return unoCall([&] {
            const auto names = namesBut(*doc_, u"");
            std::u16string name;
            for (long n = static_cast<long>(names.size()) + 1; name.empty() || !validSheetName(name, names); ++n) {
                name = u"Sheet";
                for (char c : std::to_string(n)) name.push_back(static_cast<char16_t>(c));
            }
            const auto* target = dynamic_cast<const CalcWorksheet*>(before.get());
            const long position = target ? doc_->indexOf(target->sheet()) : static_cast<long>(names.size());
            doc_->sheetsChanging();
            doc_->sheets()->insertNewByName(toOU(name), static_cast<sal_Int16>(position));
            const auto added = doc_->sheetAt(position);
            if (doc_->view().is()) doc_->activate(added);
            return makeWorksheet(doc_, added);
        });
    }

private:
    CalcDocumentPtr doc_;
};

}  // namespace

host::WorksheetPtr makeWorksheet(const CalcDocumentPtr& doc, const Reference<XSpreadsheet>& sheet) {
    return std::make_shared<CalcWorksheet>(doc, sheet);
}

host::SheetsPtr makeSheets(const CalcDocumentPtr& doc) { return std::make_shared<CalcSheets>(doc); }

Area usedArea(const Reference<XSpreadsheet>& sheet) {
    // Calc's used-area cursor answers from a cached table area that a loaded document may not
    // have brought up to date; asking for the cells themselves is exact.
    namespace CellFlags = css::sheet::CellFlags;
    Reference<css::sheet::XCellRangesQuery> query(sheet, UNO_QUERY_THROW);
    const auto found = query->queryContentCells(CellFlags::VALUE | CellFlags::DATETIME | CellFlags::STRING |
                                                CellFlags::FORMULA | CellFlags::ANNOTATION);
    const auto addresses = found->getRangeAddresses();
    if (addresses.getLength() == 0) return {1, 1, 1, 1};
    Area used{host::kMaxRows, host::kMaxColumns, 1, 1};
    for (const auto& address : addresses) {
        used.top = std::min<long>(used.top, address.StartRow + 1);
        used.left = std::min<long>(used.left, address.StartColumn + 1);
        used.bottom = std::max<long>(used.bottom, address.EndRow + 1);
        used.right = std::max<long>(used.right, address.EndColumn + 1);
    }
    return used;
}

}  // namespace host::calc
