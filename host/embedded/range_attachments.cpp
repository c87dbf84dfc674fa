// Areas, Interior, Validation and Comment objects of a range.
#include "engine/area_ops.h"
#include "engine/formula.h"
#include "host/constants.h"
#include "host/embedded/range_objects.h"
#include "host/error.h"

namespace host::embedded {

using engine::Area;
using engine::Cell;
using engine::CommentData;
using engine::Formula;
using engine::ValidationRule;

RangePtr AreaList::Item(long index) const {
    if (index < 1 || index > Count()) throw Error(errSubscript, "Subscript out of range");
    return parts_[index - 1];
}

// ---- Interior ----

int RangeInterior::ColorIndex() const {
    const Area& a = range_->firstArea();
    const Cell* c = range_->sheet().cell(a.row1, a.col1);
    return c && c->colorIndex ? c->colorIndex : xlColorIndexNone;
}

void RangeInterior::setColorIndex(int index) {
    if (index == xlColorIndexNone || index == xlColorIndexAutomatic) index = 0;
    if (index < 0 || index > 56)
        throw Error(errApplication, "Unable to set the ColorIndex property of the Interior class");
    engine::Sheet& sheet = range_->sheet();
    for (const Area& a : std::vector<Area>(range_->areas()))
        for (long row = a.row1; row <= a.row2; ++row)
            for (long col = a.col1; col <= a.col2; ++col) {
                const Cell* existing = sheet.cell(row, col);
                if (!existing && index == 0) continue;
                Cell updated = existing ? *existing : Cell{};
                updated.colorIndex = index;
                sheet.setCell(row, col, std::move(updated));
            }
}

// ---- Validation ----

const ValidationRule& RangeValidation::rule() const {
    const Area& a = range_->firstArea();
    const ValidationRule* found = range_->sheet().validationAt(a.row1, a.col1);
    if (!found) throw Error(errApplication, "Application-defined or object-defined error");
    return *found;
}

void RangeValidation::edit(const std::function<void(ValidationRule&)>& change) {
    bool touched = false;
    for (auto& r : range_->sheet().validations()) {
        bool overlaps = false;
        for (const Area& ra : r.areas)
            for (const Area& a : range_->areas()) overlaps = overlaps || intersect(ra, a).has_value();
        if (!overlaps) continue;
        change(r);
        touched = true;
    }
    if (!touched) throw Error(errApplication, "Application-defined or object-defined error");
}

void RangeValidation::Delete() {
    for (const Area& a : range_->areas()) range_->sheet().removeValidation(a);
}

void RangeValidation::Add(int type, std::optional<int> alertStyle, std::optional<int> op,
                          const std::u16string& formula1, const std::u16string& formula2) {
    engine::Sheet& sheet = range_->sheet();
    for (const auto& existing : sheet.validations())
        for (const Area& ra : existing.areas)
            for (const Area& a : range_->areas())
                if (intersect(ra, a)) throw Error(errApplication, "Application-defined or object-defined error");
    if (type < xlValidateInputOnly || type > xlValidateCustom || (type != xlValidateInputOnly && formula1.empty()))
        throw Error(errApplication, "Application-defined or object-defined error");
    if (type == xlValidateCustom) (void)Formula::parse(formula1);  // refuse what cannot be read
    ValidationRule rule;
    rule.type = type;
    rule.alertStyle = alertStyle.value_or(xlValidAlertStop);
    rule.op = op.value_or(xlBetween);
    rule.formula1 = formula1;
    rule.formula2 = formula2;
    rule.areas = range_->areas();
    rule.anchorRow = rule.areas.front().row1;
    rule.anchorCol = rule.areas.front().col1;
    sheet.validations().push_back(std::move(rule));
}

std::u16string RangeValidation::Formula1() const {
    const ValidationRule& r = rule();
    if (r.type != xlValidateCustom) return r.formula1;
    // Seen from the range's first cell, as the host shows it.
    const Area& a = range_->firstArea();
    return Formula::parse(r.formula1).text(a.row1 - r.anchorRow, a.col1 - r.anchorCol);
}

// ---- Comment ----

const CommentData& CellComment::data() const {
    const Cell* c = sheet_->model().cell(row_, col_);
    if (!c || !c->comment()) throw Error(errObjectRequired, "Object required");
    return *c->comment();
}

std::u16string CellComment::Text() const { return data().text; }
std::u16string CellComment::Author() const { return data().author; }

void CellComment::Delete() {
    (void)data();
    Cell updated = *sheet_->model().cell(row_, col_);
    updated.clearComment();
    sheet_->model().setCell(row_, col_, std::move(updated));
}

}  // namespace host::embedded
