#include "host/embedded/embedded_worksheet.h"

#include <algorithm>

#include "engine/book.h"
#include "engine/formula.h"
#include "engine/sheet_formula_context.h"
#include "host/constants.h"
#include "host/embedded/cell_range.h"
#include "host/embedded/embedded_application.h"
#include "host/embedded/embedded_workbook.h"
#include "host/error.h"

namespace host::embedded {

using engine::Area;

namespace {

void checkCell(long row, long col) {
    if (row < 1 || row > kMaxRows || col < 1 || col > kMaxColumns)
        throw Error(errApplication, "Application-defined or object-defined error");
}

}  // namespace

std::shared_ptr<EmbeddedWorksheet> EmbeddedWorksheet::of(const engine::SheetPtr& sheet,
                                                         const std::weak_ptr<EmbeddedApplication>& app) {
    if (!sheet) return nullptr;
    // Only this function fills the slot, always with an EmbeddedWorksheet.
    if (auto held = sheet->hostObject.lock()) return std::static_pointer_cast<EmbeddedWorksheet>(held);
    auto made = std::shared_ptr<EmbeddedWorksheet>(new EmbeddedWorksheet(sheet, app));
    sheet->hostObject = made;
    return made;
}

std::u16string EmbeddedWorksheet::Name() const {
    sheet_->requireLive();
    return sheet_->name();
}

void EmbeddedWorksheet::setName(const std::u16string& name) {
    sheet_->requireLive();
    sheet_->setName(name);
}

int EmbeddedWorksheet::Visible() const {
    sheet_->requireLive();
    return sheet_->visible();
}

void EmbeddedWorksheet::setVisible(int visibility) {
    sheet_->requireLive();
    sheet_->setVisible(visibility);
}

long EmbeddedWorksheet::Index() const {
    sheet_->requireLive();
    return sheet_->index();
}

WorkbookPtr EmbeddedWorksheet::Parent() const { return EmbeddedWorkbook::of(sheet_->book(), app_); }

void EmbeddedWorksheet::Activate() {
    sheet_->requireLive();
    auto owner = sheet_->book();
    if (!owner) return;
    owner->setActiveSheet(sheet_);
    if (auto app = app_.lock()) app->setActiveBook(EmbeddedWorkbook::of(owner, app_));
}

void EmbeddedWorksheet::Select() { Activate(); }

void EmbeddedWorksheet::Copy(const WorksheetPtr& before) {
    sheet_->requireLive();
    auto owner = sheet_->book();
    if (!owner) throw Error(errApplication, "Copy method of Worksheet class failed");
    auto target = std::dynamic_pointer_cast<EmbeddedWorksheet>(before);
    if (before && (!target || target->sheet_->book() != owner))
        throw Error(errApplication, "Copy method of Worksheet class failed");
    auto copy = sheet_->clone(owner->copyName(sheet_->name()));
    owner->insertSheet(copy, target ? target->sheet_ : nullptr);
    of(copy, app_)->Activate();
}

void EmbeddedWorksheet::Delete() {
    sheet_->requireLive();
    if (auto owner = sheet_->book()) owner->removeSheet(sheet_);
}

RangePtr EmbeddedWorksheet::rangeOf(std::vector<Area> areas) const {
    sheet_->requireWorksheet();
    return std::make_shared<CellRange>(std::const_pointer_cast<EmbeddedWorksheet>(shared_from_this()),
                                       std::move(areas));
}

RangePtr EmbeddedWorksheet::Cells() const { return rangeOf({Area{1, 1, kMaxRows, kMaxColumns}}); }

RangePtr EmbeddedWorksheet::Cells(long row, long column) const {
    checkCell(row, column);
    return rangeOf({Area{row, column, row, column}});
}

RangePtr EmbeddedWorksheet::Range(const std::u16string& address) const {
    return rangeOf(engine::parseAddress(address));
}

RangePtr EmbeddedWorksheet::Range(const RangePtr& cell1, const RangePtr& cell2) const {
    if (!cell1 || !cell2) throw Error(errObjectRequired, "Object required");
    const long r1 = cell1->Row(), c1 = cell1->Column(), r2 = cell2->Row(), c2 = cell2->Column();
    return rangeOf({Area{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)}});
}

RangePtr EmbeddedWorksheet::Rows() const { return Cells()->Rows(); }
RangePtr EmbeddedWorksheet::Columns() const { return Cells()->Columns(); }
RangePtr EmbeddedWorksheet::UsedRange() const { return rangeOf({sheet_->usedArea()}); }

Variant EmbeddedWorksheet::Evaluate(const std::u16string& formula) const {
    sheet_->requireWorksheet();
    return engine::Formula::parse(formula).evaluate(engine::SheetFormulaContext(*sheet_));
}

}  // namespace host::embedded
