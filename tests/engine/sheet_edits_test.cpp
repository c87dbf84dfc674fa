// The log of structural edits a sheet keeps, which areas held elsewhere replay.
#include <gtest/gtest.h>

#include <memory>

#include "engine/sheet.h"
#include "host/constants.h"

using engine::Area;
using engine::Sheet;

namespace {

// Deletions at the far edges of the sheet replay exactly: the log keeps rows and columns in
// 32 bits, and the last row and column must survive that.
TEST(SheetEdits, AreasFollowDeletionsAtTheSheetsEdges) {
    Sheet sheet({}, u"Data");
    sheet.setValueAt(host::kMaxRows, 1, host::Variant(1.0));
    size_t seq = sheet.editCount();
    sheet.deleteCells(Area{host::kMaxRows - 2, 1, host::kMaxRows - 1, 1}, host::xlShiftUp);
    sheet.deleteCells(Area{1, host::kMaxColumns - 1, 3, host::kMaxColumns - 1}, host::xlShiftToLeft);
    EXPECT_EQ(sheet.editCount(), seq + 2);
    std::vector<Area> areas{Area{host::kMaxRows, 1, host::kMaxRows, 1}, Area{host::kMaxRows - 3, 1, host::kMaxRows, 1},
                            Area{2, host::kMaxColumns, 2, host::kMaxColumns},
                            Area{host::kMaxRows - 1, 1, host::kMaxRows - 1, 1}};
    sheet.follow(areas, seq);
    ASSERT_EQ(areas.size(), 3u);  // the deleted cell went
    EXPECT_EQ(areas[0].row1, host::kMaxRows - 2);
    EXPECT_EQ(areas[1].row1, host::kMaxRows - 3);
    EXPECT_EQ(areas[1].row2, host::kMaxRows - 2);
    EXPECT_EQ(areas[2].col1, host::kMaxColumns - 1);
    EXPECT_EQ(seq, sheet.editCount());
    EXPECT_EQ(sheet.valueAt(host::kMaxRows - 2, 1).number(), 1.0);
}

// A copy shares its columns until one side writes. Writing nothing over nothing, as a tool
// clearing every empty cell of a column does, is no write: the column stays shared, and
// neither side changes.
TEST(SheetEdits, ClearingAnEmptyCellLeavesASharedColumnShared) {
    Sheet sheet({}, u"Data");
    sheet.setValueAt(1, 1, host::Variant(1.0));
    sheet.setValueAt(3, 1, host::Variant(3.0));
    const auto copy = sheet.clone(u"Copy");
    ASSERT_EQ(sheet.column(1), copy->column(1));
    sheet.setCell(2, 1, engine::Cell{});
    sheet.setCell(9, 1, engine::Cell{});
    sheet.setValueAt(4, 1, host::Variant(u""));  // an empty text typed: the cell stays empty
    EXPECT_EQ(sheet.column(1), copy->column(1));
    sheet.setCell(3, 1, engine::Cell{});  // a cell that was there goes: now the columns part
    EXPECT_NE(sheet.column(1), copy->column(1));
    EXPECT_EQ(sheet.cell(3, 1), nullptr);
    EXPECT_EQ(copy->valueAt(3, 1).number(), 3.0);
}

}  // namespace
