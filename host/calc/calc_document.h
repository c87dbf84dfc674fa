#pragma once
// CalcDocument: one open Calc document as the object model's objects share it — its model,
// sheets, view, the size of its sheets and what its number formats mean (dates, booleans).
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/util/XNumberFormats.hpp>
#include <com/sun/star/util/XNumberFormatter2.hpp>
#include <map>
#include <memory>
#include <vector>

#include "host/calc/a1_address.h"
#include "host/calc/calc_counts.h"
#include "host/calc/uno_support.h"

namespace host::calc {

class CalcApplication;

// What a cell's number format makes of its number.
enum class FormatKind { Plain, Date, Boolean };

class CalcDocument {
public:
    CalcDocument(Reference<css::frame::XModel> model, Reference<css::uno::XComponentContext> context);

    const Reference<css::frame::XModel>& model() const { return model_; }
    Reference<css::sheet::XSpreadsheets> sheets() const;
    // The document's view (its current controller), or null when it has none.
    Reference<css::sheet::XSpreadsheetView> view() const;
    Reference<css::sheet::XSpreadsheet> activeSheet() const;
    Reference<css::sheet::XSpreadsheet> sheetAt(long index) const;  // 0-based
    // The position (0-based) of a sheet; -1 when the document no longer has it.
    long indexOf(const Reference<css::sheet::XSpreadsheet>& sheet) const;
    const SheetSize& size() const { return size_; }
    // Makes `sheet` the view's active sheet. Each sheet keeps its own selection, as the
    // object model's sheets do: Calc's view drops a range selection when it changes sheets,
    // so the selection of the sheet left is kept and given back when that sheet is activated
    // here again.
    void activate(const Reference<css::sheet::XSpreadsheet>& sheet);
    // Keeps the active sheet's selection before a change of the sheets that may move the view
    // (a sheet inserted, copied, removed or hidden), and gives the view's sheet its kept
    // selection back after it.
    void keepSelection();
    // Before sheets are inserted, copied, removed or hidden: keeps the selection (above), and
    // the count indexes, which know sheets by position, go.
    void sheetsChanging();
    void restoreSelection();
    // A new selection made on the sheet (-1: on every sheet) replaces what was kept.
    void forgetSelection(long sheetIndex = -1);

    FormatKind formatKind(sal_Int32 formatKey);
    // The key of a standard format of a number format type (css::util::NumberFormat).
    sal_Int32 standardFormat(sal_Int16 type);
    // The number formatter over the document's formats, for reading typed input.
    const Reference<css::util::XNumberFormatter2>& formatter();
    // COUNTIF's indexes of this document's areas during a command.
    CountIndexes& counts() { return counts_; }
    // What Range.Copy copied last (Calc's range object, which follows edits as the copied
    // range would), until CutCopyMode is cleared; empty when nothing is copied.
    struct Copied {
        Reference<css::sheet::XSpreadsheet> sheet;
        Reference<css::table::XCellRange> range;
    };
    Copied& copied() { return copied_; }

private:
    Reference<css::frame::XModel> model_;
    Reference<css::uno::XComponentContext> context_;
    Reference<css::util::XNumberFormats> formats_;
    Reference<css::util::XNumberFormatter2> formatter_;
    std::map<sal_Int32, FormatKind> kinds_;
    std::vector<css::uno::Any> keptSelections_;  // Calc range objects: they follow their sheet
    SheetSize size_;
    CountIndexes counts_{*this};
    Copied copied_;
};
using CalcDocumentPtr = std::shared_ptr<CalcDocument>;

}  // namespace host::calc
