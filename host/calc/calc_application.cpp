#include "host/calc/calc_application.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/document/UndoContextNotClosedException.hpp>
#include <com/sun/star/document/XActionLockable.hpp>
#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCalculatable.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XFunctionAccess.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/task/XStatusIndicatorFactory.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <ooo/vba/excel/XGlobals.hpp>
#include <ooo/vba/excel/XRange.hpp>

#include "host/calc/calc_range.h"
#include "host/calc/calc_workbook.h"
#include "host/calc/calc_worksheet.h"
#include "host/constants.h"
#include "host/worksheet_text.h"

namespace host::calc {

namespace {

namespace CellFlags = css::sheet::CellFlags;

class KeptAutoCorrect : public host::AutoCorrect {
public:
    bool ReplaceText() const override { return replaceText_; }
    void setReplaceText(bool value) override { replaceText_ = value; }

private:
    bool replaceText_ = true;
};

class NoAddIns : public host::AddIns {
public:
    long Count() const override { return 0; }
    host::AddInPtr Item(long) const override { throw host::Error(host::errSubscript, "Subscript out of range"); }
    host::AddInPtr Item(const std::u16string&) const override {
        throw host::Error(host::errSubscript, "Subscript out of range");
    }
    host::AddInPtr Add(const std::u16string&, bool) override {
        throw host::Error(host::errApplication, "Calc has no add-in workbooks");
    }
};

class NoCOMAddIns : public host::COMAddIns {
public:
    long Count() const override { return 0; }
    host::COMAddInPtr Item(const std::u16string&) const override {
        throw host::Error(host::errSubscript, "Subscript out of range");
    }
};

class NoCommandBars : public host::CommandBars {
public:
    long Count() const override { return 0; }
    host::CommandBarPtr Item(long) const override {
        throw host::Error(host::errInvalidCall, "Invalid procedure call or argument");
    }
    host::CommandBarPtr Item(const std::u16string&) const override {
        throw host::Error(host::errInvalidCall, "Invalid procedure call or argument");
    }
};

css::uno::Any anyOf(const host::Variant& value) {
    switch (value.kind()) {
    case host::VariantKind::Number:
    case host::VariantKind::Date: return css::uno::Any(value.number());
    case host::VariantKind::Boolean: return css::uno::Any(value.boolean());
    case host::VariantKind::Text: return css::uno::Any(toOU(value.text()));
    case host::VariantKind::Error: return css::uno::Any(toOU(value.errorText()));
    case host::VariantKind::Empty: break;
    }
    return css::uno::Any(OUString());
}

// COUNTA counts every cell holding something: values, texts, formulas (also those giving "").
// COUNTIF is Calc's own, through its function access (see README: its criteria differ from
// the object model's on numbers stored as text, booleans and "*" against numbers).
class CalcWorksheetFunction : public host::WorksheetFunction {
public:
    explicit CalcWorksheetFunction(Reference<css::uno::XComponentContext> context) : context_(std::move(context)) {}

    double CountA(const host::RangePtr& range) const override {
        const auto* cells = dynamic_cast<const CalcRange*>(range.get());
        if (!cells) throw host::Error(host::errApplication, "Unable to get the CountA property");
        return unoCall([&] {
            double count = 0;
            const auto sheet = cells->sheet();
            for (const Area& area : cells->areas()) {
                Reference<css::sheet::XCellRangesQuery> query(
                    sheet->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1),
                    UNO_QUERY_THROW);
                const auto found = query->queryContentCells(CellFlags::VALUE | CellFlags::DATETIME | CellFlags::STRING |
                                                            CellFlags::FORMULA);
                for (const auto& address : found->getRangeAddresses())
                    count += static_cast<double>(address.EndRow - address.StartRow + 1) *
                             (address.EndColumn - address.StartColumn + 1);
            }
            return count;
        });
    }
    double CountIf(const host::RangePtr& range, const host::Variant& criterion) const override {
        const auto* cells = dynamic_cast<const CalcRange*>(range.get());
        if (!cells) throw host::Error(host::errApplication, "Unable to get the CountIf property");
        if (criterion.isText() && criterion.text().size() > 255)
            throw host::Error(host::errApplication, "Unable to get the CountIf property");
        const Area area = cells->areas().front();
        if (const auto counted = cells->document()->counts().count(cells->sheet(), area, criterion)) return *counted;
        return unoCall([&] {
            if (!functions_.is())
                functions_.set(context_->getServiceManager()->createInstanceWithContext(
                                   "com.sun.star.sheet.FunctionAccess", context_),
                               UNO_QUERY_THROW);
            css::uno::Sequence<css::uno::Any> arguments(2);
            arguments.getArray()[0] <<=
                cells->sheet()->getCellRangeByPosition(area.left - 1, area.top - 1, area.right - 1, area.bottom - 1);
            arguments.getArray()[1] = anyOf(criterion);
            double count = 0;
            functions_->callFunction("COUNTIF", arguments) >>= count;
            return count;
        });
    }
    std::u16string Trim(const std::u16string& text) const override { return host::trimSpaces(text); }
    std::u16string Clean(const std::u16string& text) const override { return host::cleanControls(text); }

private:
    Reference<css::uno::XComponentContext> context_;
    mutable Reference<css::sheet::XFunctionAccess> functions_;
};

Reference<css::document::XUndoManager> undoManagerOf(const Reference<css::frame::XModel>& model) {
    Reference<css::document::XUndoManagerSupplier> supplier(model, UNO_QUERY);
    return supplier.is() ? supplier->getUndoManager() : nullptr;
}

// Quiets a document while code changes it: no repaints (controllers and action locked) and
// no Undo steps recorded (the list is cleared afterwards anyway). Row heights are still fitted
// after every edit: Calc does not fit those it skipped when fitting is enabled again, and a
// wrapped cell would keep the height of its old text. Gives whether Undo was recording.
bool quiet(const Reference<css::frame::XModel>& model) {
    model->lockControllers();
    if (const Reference<css::document::XActionLockable> actions(model, UNO_QUERY); actions.is())
        actions->addActionLock();
    bool undoRecorded = false;
    if (const Reference<css::beans::XPropertySet> settings(model, UNO_QUERY); settings.is()) {
        settings->getPropertyValue("IsUndoEnabled") >>= undoRecorded;
        settings->setPropertyValue("IsUndoEnabled", css::uno::Any(false));
    }
    return undoRecorded;
}

// Wakes a document quieted by quiet(), Undo recording as it was before.
void wake(const Reference<css::frame::XModel>& model, bool undoRecorded) {
    if (const Reference<css::beans::XPropertySet> settings(model, UNO_QUERY); settings.is())
        settings->setPropertyValue("IsUndoEnabled", css::uno::Any(undoRecorded));
    if (const Reference<css::document::XActionLockable> actions(model, UNO_QUERY); actions.is())
        actions->removeActionLock();
    model->unlockControllers();
}

const void* identity(const Reference<css::frame::XModel>& model) {
    return Reference<css::uno::XInterface>(model, UNO_QUERY).get();
}

}  // namespace

CalcApplication::CalcApplication(Reference<css::uno::XComponentContext> context)
    : context_(std::move(context)), autoCorrect_(std::make_shared<KeptAutoCorrect>()) {
    desktop_ = unoCall([&] { return css::frame::Desktop::create(context_); });
}

void CalcApplication::beginCommand(const Reference<css::frame::XFrame>& frame) {
    frame_ = frame;
    for (const auto& [model, doc] : documents_)
        if (const auto known = doc.lock()) {
            known->forgetSelection();
            known->counts().forget();
        }
}

CalcDocumentPtr CalcApplication::document(const Reference<css::frame::XModel>& model) {
    for (auto it = documents_.begin(); it != documents_.end();)
        it = it->second.expired() ? documents_.erase(it) : std::next(it);
    auto& slot = documents_[identity(model)];
    if (auto known = slot.lock()) return known;
    auto made = std::make_shared<CalcDocument>(model, context_);
    slot = made;
    return made;
}

CalcDocumentPtr CalcApplication::activeDocument() const {
    return unoCall([&]() -> CalcDocumentPtr {
        Reference<css::frame::XModel> model;
        if (frame_.is() && frame_->getController().is()) model = frame_->getController()->getModel();
        if (!Reference<css::sheet::XSpreadsheetDocument>(model, UNO_QUERY).is())
            model.set(desktop_->getCurrentComponent(), UNO_QUERY);
        if (!Reference<css::sheet::XSpreadsheetDocument>(model, UNO_QUERY).is()) return nullptr;
        return const_cast<CalcApplication*>(this)->document(model);
    });
}

host::RangePtr CalcApplication::ActiveCell() const {
    const auto doc = activeDocument();
    if (!doc) return nullptr;
    // Calc's sheet API has no cell cursor of the view; its VBA object model has.
    try {
        Reference<ooo::vba::excel::XGlobals> globals(
            Reference<css::lang::XMultiServiceFactory>(doc->model(), UNO_QUERY_THROW)
                ->createInstance("ooo.vba.VBAGlobals"),
            UNO_QUERY_THROW);
        Reference<css::uno::XInterface> cell(globals->getActiveCell()->getCellRange(), UNO_QUERY_THROW);
        if (auto range = CalcRange::fromCalc(doc, cell)) return range;
    } catch (const css::uno::Exception&) {
        // The first cell of the selection stands in for it.
    }
    const auto selection = Selection();
    return selection ? selection->Cells(1, 1) : nullptr;
}

host::WorksheetPtr CalcApplication::ActiveSheet() const {
    const auto doc = activeDocument();
    if (!doc) return nullptr;
    return unoCall([&] { return makeWorksheet(doc, doc->activeSheet()); });
}

host::WorkbookPtr CalcApplication::ActiveWorkbook() const {
    const auto doc = activeDocument();
    return doc ? makeWorkbook(doc) : nullptr;
}

host::RangePtr CalcApplication::Selection() const {
    const auto doc = activeDocument();
    if (!doc) return nullptr;
    return unoCall([&]() -> host::RangePtr {
        Reference<css::view::XSelectionSupplier> view(doc->model()->getCurrentController(), UNO_QUERY);
        if (!view.is()) return nullptr;
        Reference<css::uno::XInterface> selected(view->getSelection(), UNO_QUERY);
        return CalcRange::fromCalc(doc, selected);
    });
}

host::RangePtr CalcApplication::Cells() const {
    const auto sheet = ActiveSheet();
    if (!sheet) throw host::Error(host::errApplication, "Application-defined or object-defined error");
    return sheet->Cells();
}

host::RangePtr CalcApplication::Range(const std::u16string& address) const {
    const auto sheet = ActiveSheet();
    if (!sheet) throw host::Error(host::errApplication, "Application-defined or object-defined error");
    return sheet->Range(address);
}

host::RangePtr CalcApplication::Intersect(const host::RangePtr& a, const host::RangePtr& b) const {
    const auto* first = dynamic_cast<const CalcRange*>(a.get());
    const auto* second = dynamic_cast<const CalcRange*>(b.get());
    if (!first || !second) throw host::Error(host::errApplication, "Method 'Intersect' of object '_Global' failed");
    const auto sheet = first->sheet();
    if (first->document() != second->document() ||
        first->document()->indexOf(sheet) != second->document()->indexOf(second->sheet()))
        throw host::Error(host::errApplication, "Method 'Intersect' of object '_Global' failed");
    std::vector<Area> overlap;
    for (const Area& x : first->areas())
        for (const Area& y : second->areas())
            if (const auto both = intersect(x, y)) overlap.push_back(*both);
    if (overlap.empty()) return nullptr;
    return CalcRange::make(first->document(), sheet, overlap);
}

host::SheetsPtr CalcApplication::Sheets() const {
    const auto doc = activeDocument();
    if (!doc) throw host::Error(host::errObjectRequired, "Object required");
    return makeSheets(doc);
}

host::SheetsPtr CalcApplication::Worksheets() const { return Sheets(); }

host::WorkbooksPtr CalcApplication::Workbooks() const {
    auto self = std::const_pointer_cast<CalcApplication>(shared_from_this());
    return makeWorkbooks(desktop_,
                         [self](const Reference<css::frame::XModel>& model) { return self->document(model); });
}

host::WorksheetFunctionPtr CalcApplication::WorksheetFunction() const {
    return std::make_shared<CalcWorksheetFunction>(context_);
}

host::AddInsPtr CalcApplication::AddIns() const { return std::make_shared<NoAddIns>(); }
host::COMAddInsPtr CalcApplication::COMAddIns() const { return std::make_shared<NoCOMAddIns>(); }
host::CommandBarsPtr CalcApplication::CommandBars() const { return std::make_shared<NoCommandBars>(); }

int CalcApplication::CutCopyMode() const {
    for (const auto& [model, doc] : documents_)
        if (const auto known = doc.lock(); known && known->copied().range.is()) return 1;
    return 0;
}

void CalcApplication::setCutCopyMode(int value) {
    if (value != 0) return;
    for (const auto& [model, doc] : documents_)
        if (const auto known = doc.lock()) known->copied() = {};
}

void CalcApplication::setScreenUpdating(bool value) {
    unoCall([&] {
        if (value) {
            if (!lockedModel_.is()) return;
            wake(lockedModel_, undoRecorded_);
            // Code's changes are no steps of Calc's own Undo: the host clears its undo list when
            // code has run, and the add-in keeps its own undo copy of the sheet.
            if (const auto undo = undoManagerOf(lockedModel_); undo.is()) try {
                    undo->clear();
                } catch (const css::document::UndoContextNotClosedException&) {
                    // A macro of the user's is inside an undo context of its own: left alone.
                }
            lockedModel_.clear();
            return;
        }
        if (lockedModel_.is()) return;
        if (const auto doc = activeDocument()) {
            lockedModel_ = doc->model();
            undoRecorded_ = quiet(lockedModel_);
        }
    });
}

int CalcApplication::Calculation() const {
    const auto doc = activeDocument();
    if (!doc) return calculation_;
    return unoCall([&] {
        Reference<css::sheet::XCalculatable> calc(doc->model(), UNO_QUERY_THROW);
        return calc->isAutomaticCalculationEnabled() ? host::xlCalculationAutomatic : host::xlCalculationManual;
    });
}

void CalcApplication::setCalculation(int value) {
    constexpr int xlCalculationSemiautomatic = 2;
    if (value != host::xlCalculationAutomatic && value != host::xlCalculationManual &&
        value != xlCalculationSemiautomatic)
        throw host::Error(host::errApplication, "Unable to set the Calculation property");
    calculation_ = value;
    if (const auto doc = activeDocument())
        unoCall([&] {
            Reference<css::sheet::XCalculatable>(doc->model(), UNO_QUERY_THROW)
                ->enableAutomaticCalculation(value == host::xlCalculationAutomatic);
        });
}

void CalcApplication::setStatusBar(const host::Variant& value) {
    statusBar_ = value.isText() ? value : host::Variant(false);
    unoCall([&] {
        if (!statusIndicator_.is() && frame_.is()) {
            Reference<css::task::XStatusIndicatorFactory> factory(frame_, UNO_QUERY);
            if (factory.is()) statusIndicator_ = factory->createStatusIndicator();
        }
        if (!statusIndicator_.is()) return;
        if (value.isText())
            statusIndicator_->start(toOU(value.text()), 0);
        else
            statusIndicator_->end();
    });
}

}  // namespace host::calc
