#include "host/calc/calc_document.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/util/NumberFormat.hpp>
#include <com/sun/star/util/NumberFormatter.hpp>
#include <com/sun/star/util/XNumberFormatTypes.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>

#include <algorithm>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

namespace host::calc {

namespace NumberFormat = css::util::NumberFormat;

CalcDocument::CalcDocument(Reference<css::frame::XModel> model, Reference<css::uno::XComponentContext> context)
    : model_(std::move(model)), context_(std::move(context)) {
    unoCall([&] {
        Reference<css::util::XNumberFormatsSupplier> supplier(model_, UNO_QUERY_THROW);
        formats_ = supplier->getNumberFormats();
        // The sheets' size: the rows and columns of the first sheet.
        Reference<css::table::XColumnRowRange> first(sheetAt(0), UNO_QUERY_THROW);
        size_.rows = first->getRows()->getCount();
        size_.columns = first->getColumns()->getCount();
    });
}

Reference<css::sheet::XSpreadsheets> CalcDocument::sheets() const {
    return Reference<css::sheet::XSpreadsheetDocument>(model_, UNO_QUERY_THROW)->getSheets();
}

Reference<css::sheet::XSpreadsheetView> CalcDocument::view() const {
    return Reference<css::sheet::XSpreadsheetView>(model_->getCurrentController(), UNO_QUERY);
}

Reference<css::sheet::XSpreadsheet> CalcDocument::activeSheet() const {
    if (const auto v = view(); v.is()) return v->getActiveSheet();
    return sheetAt(0);
}

Reference<css::sheet::XSpreadsheet> CalcDocument::sheetAt(long index) const {
    Reference<css::container::XIndexAccess> all(sheets(), UNO_QUERY_THROW);
    return Reference<css::sheet::XSpreadsheet>(all->getByIndex(static_cast<sal_Int32>(index)), UNO_QUERY_THROW);
}

long CalcDocument::indexOf(const Reference<css::sheet::XSpreadsheet>& sheet) const {
    const OUString name = Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName();
    Reference<css::container::XIndexAccess> all(sheets(), UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < all->getCount(); ++i) {
        Reference<css::container::XNamed> other(all->getByIndex(i), UNO_QUERY_THROW);
        if (other->getName() == name) return i;
    }
    return -1;
}

namespace {

// The sheet (0-based) a selection lies on, or -1 when it is no cell selection.
long sheetOfSelection(const css::uno::Any& selection) {
    if (Reference<css::sheet::XSheetCellRanges> list{selection, UNO_QUERY}; list.is()) {
        const auto addresses = list->getRangeAddresses();
        return addresses.getLength() > 0 ? addresses[0].Sheet : -1;
    }
    if (Reference<css::sheet::XCellRangeAddressable> range{selection, UNO_QUERY}; range.is())
        return range->getRangeAddress().Sheet;
    return -1;
}

}  // namespace

void CalcDocument::keepSelection() {
    const auto view = this->view();
    if (!view.is()) return;
    const css::uno::Any current = Reference<css::view::XSelectionSupplier>(view, UNO_QUERY_THROW)->getSelection();
    const long on = sheetOfSelection(current);
    // A selection kept already is the sheet's own: Calc may have dropped the current one since.
    if (on < 0 || std::any_of(keptSelections_.begin(), keptSelections_.end(),
                              [&](const css::uno::Any& kept) { return sheetOfSelection(kept) == on; }))
        return;
    keptSelections_.push_back(current);
}

void CalcDocument::sheetsChanging() {
    keepSelection();
    counts_.forget();
}

void CalcDocument::activate(const Reference<css::sheet::XSpreadsheet>& sheet) {
    const auto view = this->view();
    if (!view.is()) throw host::Error(host::errApplication, "Activate method of Worksheet class failed");
    const long target = indexOf(sheet);
    if (indexOf(view->getActiveSheet()) == target) return;
    keepSelection();
    view->setActiveSheet(sheet);
    restoreSelection();
}

void CalcDocument::forgetSelection(long sheetIndex) {
    std::erase_if(keptSelections_,
                  [&](const css::uno::Any& kept) { return sheetIndex < 0 || sheetOfSelection(kept) == sheetIndex; });
}

void CalcDocument::restoreSelection() {
    const auto view = this->view();
    if (!view.is()) return;
    const long active = indexOf(view->getActiveSheet());
    const auto kept = std::find_if(keptSelections_.begin(), keptSelections_.end(), [&](const css::uno::Any& selection) {
        return sheetOfSelection(selection) == active;
    });
    if (kept == keptSelections_.end()) return;
    Reference<css::view::XSelectionSupplier>(view, UNO_QUERY_THROW)->select(*kept);
    keptSelections_.erase(kept);
}

FormatKind CalcDocument::formatKind(sal_Int32 formatKey) {
    if (const auto it = kinds_.find(formatKey); it != kinds_.end()) return it->second;
    sal_Int16 type = 0;
    unoCall([&] { formats_->getByKey(formatKey)->getPropertyValue("Type") >>= type; });
    FormatKind kind = FormatKind::Plain;
    if (type & (NumberFormat::DATE | NumberFormat::TIME)) kind = FormatKind::Date;
    if (type & NumberFormat::LOGICAL) kind = FormatKind::Boolean;
    kinds_[formatKey] = kind;
    return kind;
}

sal_Int32 CalcDocument::standardFormat(sal_Int16 type) {
    return unoCall([&] {
        Reference<css::util::XNumberFormatTypes> types(formats_, UNO_QUERY_THROW);
        return types->getStandardFormat(type, css::lang::Locale("en", "US", ""));
    });
}

const Reference<css::util::XNumberFormatter2>& CalcDocument::formatter() {
    if (!formatter_.is())
        unoCall([&] {
            formatter_ = css::util::NumberFormatter::create(context_);
            formatter_->attachNumberFormatsSupplier(
                Reference<css::util::XNumberFormatsSupplier>(model_, UNO_QUERY_THROW));
        });
    return formatter_;
}

}  // namespace host::calc
