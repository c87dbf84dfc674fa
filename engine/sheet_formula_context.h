#pragma once
// What formulas on a sheet read: its cells, through the sheet's own sparse walks and counts.
#include "engine/formula.h"
#include "engine/sheet.h"

namespace engine {

class SheetFormulaContext : public FormulaContext {
public:
    explicit SheetFormulaContext(const Sheet& sheet) : sheet_(sheet) {}
    host::Variant cellValue(long row, long col) const override { return sheet_.valueAt(row, col); }
    double countIf(const Area& area, const host::Variant& criterion) const override {
        return sheet_.countIf(area, criterion);
    }
    double countA(const Area& area) const override { return sheet_.countA(area); }
    void forEachValue(const Area& area, const std::function<void(const host::Variant&)>& visit) const override {
        sheet_.forEachCellByRows(area, [&](long, long, const Cell& c) {
            if (c.hasContent()) visit(c.value);
            return true;
        });
    }

private:
    const Sheet& sheet_;
};

}  // namespace engine
