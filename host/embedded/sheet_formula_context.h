#pragma once
// What formulas on a sheet read: its cells, through the sheet's own sparse walks and counts.
#include "engine/formula.h"
#include "host/embedded/sheet.h"

namespace host::embedded {

class SheetFormulaContext : public FormulaContext {
public:
    explicit SheetFormulaContext(const Sheet& sheet) : sheet_(sheet) {}
    Variant cellValue(long row, long col) const override { return sheet_.valueAt(row, col); }
    double countIf(const Area& area, const Variant& criterion) const override {
        return sheet_.countIf(area, criterion);
    }
    double countA(const Area& area) const override { return sheet_.countA(area); }
    void forEachValue(const Area& area, const std::function<void(const Variant&)>& visit) const override {
        sheet_.forEachCellByRows(area, [&](long, long, const Cell& c) {
            if (c.hasContent()) visit(c.value);
            return true;
        });
    }

private:
    const Sheet& sheet_;
};

}  // namespace host::embedded
