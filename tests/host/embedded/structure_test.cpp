// Deleting cells, rows and columns, and ranges held by code following those edits.
#include <gtest/gtest.h>

#include "host/constants.h"
#include "host/error.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "tests/support/printing.h"
#include "tests/support/sheet_builder.h"

using testsupport::column;
using testsupport::makeHost;
using testsupport::Rows;
using testsupport::texts;

namespace {

TEST(Delete, EntireRowMovesEverythingBelowWithFillsCommentsAndRules) {
    auto t = makeHost({{u"a", u"1"}, {u"b", u"2"}, {u"c", u"3"}});
    t.sheet->Range(u"B3")->Interior()->setColorIndex(4);
    t.sheet->Range(u"A3")->AddComment(u"note");
    t.sheet->Range(u"C3")->Validation()->Add(host::xlValidateCustom, host::xlValidAlertStop, host::xlBetween,
                                             u"=C3<>\"\"");
    t.sheet->Range(u"A2")->EntireRow()->Delete();
    EXPECT_EQ(texts(*t.sheet, u"A1:B3"), (Rows{{u"a", u"1"}, {u"c", u"3"}, {u"", u""}}));
    EXPECT_EQ(t.sheet->Range(u"B2")->Interior()->ColorIndex(), 4);
    ASSERT_TRUE(t.sheet->Range(u"A2")->Comment());
    EXPECT_EQ(t.sheet->Range(u"A2")->Comment()->Text(), u"note");
    EXPECT_EQ(t.sheet->Range(u"C2")->Validation()->Type(), host::xlValidateCustom);
}

TEST(Delete, ShiftUpMovesOnlyTheRangeColumns) {
    auto t = makeHost({{u"a", u"1"}, {u"b", u"2"}, {u"c", u"3"}});
    t.sheet->Range(u"A1:A2")->Delete(host::xlShiftUp);
    EXPECT_EQ(texts(*t.sheet, u"A1:B3"), (Rows{{u"c", u"1"}, {u"", u"2"}, {u"", u"3"}}));
}

TEST(Delete, ShiftLeftAndEntireColumn) {
    auto t = makeHost({{u"a", u"b", u"c"}, {u"d", u"e", u"f"}});
    t.sheet->Range(u"A1")->Delete(host::xlShiftToLeft);
    EXPECT_EQ(texts(*t.sheet, u"A1:C2"), (Rows{{u"b", u"c", u""}, {u"d", u"e", u"f"}}));
    t.sheet->Range(u"B1")->EntireColumn()->Delete(-4131);  // any shift: a whole column goes left
    EXPECT_EQ(texts(*t.sheet, u"A1:C2"), (Rows{{u"b", u"", u""}, {u"d", u"f", u""}}));
    EXPECT_THROW(t.sheet->Range(u"A1")->Delete(-4131), host::Error);
}

TEST(Follow, HeldRangesMoveShrinkAndVanishAsReferencesDo) {
    auto t = makeHost({{u"h"}, {u"1"}, {u"2"}, {u"3"}, {u"4"}, {u"5"}});
    auto target = t.sheet->Range(u"A2:A6");
    auto below = t.sheet->Range(u"A6");
    auto whole = t.sheet->Range(u"A:A");
    auto doomed = t.sheet->Range(u"A4");
    t.sheet->Range(u"A4")->EntireRow()->Delete();
    EXPECT_EQ(target->Address(), u"$A$2:$A$5");
    EXPECT_EQ(below->Address(), u"$A$5");
    EXPECT_EQ(whole->Address(), u"$A:$A");
    try {
        doomed->Address();
        FAIL() << "a range whose cells were all deleted must fail";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), 424);
    }
    t.sheet->Range(u"A1")->EntireRow()->Delete();  // deleted before it: the range moves up
    EXPECT_EQ(target->Address(), u"$A$1:$A$4");
    EXPECT_EQ(column(*t.sheet, u"A1:A4"), (std::vector<std::u16string>{u"1", u"2", u"4", u"5"}));
}

TEST(Follow, ShiftAcrossTheWholeWidthShrinksPartialWidthLeavesAlone) {
    auto t = makeHost({{u"a", u"b"}, {u"c", u"d"}, {u"e", u"f"}});
    auto narrow = t.sheet->Range(u"A1:A3");
    auto wide = t.sheet->Range(u"A1:B3");
    t.sheet->Range(u"A2")->Delete(host::xlShiftUp);
    EXPECT_EQ(narrow->Address(), u"$A$1:$A$2");
    EXPECT_EQ(wide->Address(), u"$A$1:$B$3");
}

TEST(Delete, BottomUpDeletionOfEveryOtherRowOnAHeldColumn) {
    Rows rows;
    for (int i = 1; i <= 200; ++i) rows.push_back({std::u16string(1, static_cast<char16_t>(u'A' + i % 26))});
    auto t = makeHost(rows);
    auto target = t.sheet->Range(u"A1:A200");
    for (long r = 200; r >= 1; r -= 2) target->Cells(r, 1)->EntireRow()->Delete();
    EXPECT_EQ(target->Address(), u"$A$1:$A$100");
    for (long r = 1; r <= 100; ++r)
        ASSERT_EQ(t.sheet->model().valueAt(r, 1).toText(),
                  std::u16string(1, static_cast<char16_t>(u'A' + (2 * r - 1) % 26)));
}

TEST(Clear, ClearContentsKeepsFillsAndComments) {
    auto t = makeHost({{u"a", u"b"}});
    t.sheet->Range(u"A1")->Interior()->setColorIndex(5);
    t.sheet->Range(u"A1")->AddComment(u"n");
    t.sheet->Range(u"A1:B1")->ClearContents();
    EXPECT_TRUE(t.sheet->Range(u"A1")->Value().isEmpty());
    EXPECT_EQ(t.sheet->Range(u"A1")->Interior()->ColorIndex(), 5);
    EXPECT_TRUE(t.sheet->Range(u"A1")->Comment());
    EXPECT_EQ(t.app->WorksheetFunction()->CountA(t.sheet->Cells()), 0);
    t.sheet->Range(u"A1")->ClearComments();
    EXPECT_FALSE(t.sheet->Range(u"A1")->Comment());
}

// One cell at a time, as a tool walking a column clears them.
TEST(Clear, ClearingOneCellKeepsItsFillAndLeavesItsNeighbours) {
    auto t = makeHost({{u"a", u"b", u"=1+1"}});
    t.sheet->Range(u"B1")->Interior()->setColorIndex(6);
    t.sheet->Range(u"B1")->ClearContents();
    t.sheet->Range(u"C1")->ClearContents();
    t.sheet->Range(u"D1")->ClearContents();  // nothing there
    EXPECT_TRUE(t.sheet->Range(u"B1")->Value().isEmpty());
    EXPECT_EQ(t.sheet->Range(u"B1")->Interior()->ColorIndex(), 6);
    EXPECT_FALSE(t.sheet->Range(u"C1")->HasFormula());
    EXPECT_TRUE(t.sheet->Range(u"C1")->Value().isEmpty());
    EXPECT_EQ(t.sheet->Range(u"A1")->Value().toText(), u"a");
    EXPECT_EQ(t.app->WorksheetFunction()->CountA(t.sheet->Cells()), 1);
}

}  // namespace

namespace {

TEST(FormulasAfterDeletion, ReferencesMoveShrinkOrBecomeRefErrors) {
    auto t = makeHost({{u"1"}, {u"2"}, {u"3"}, {u"4"}});
    testsupport::fill(*t.sheet, {{u"=A4"}, {u"=SUM(A1:A4)"}, {u"=A2*10"}, {u"=$A$3"}, {u"=COUNTA(A:A)"}}, 1, 2);
    t.sheet->Range(u"A2")->EntireRow()->Delete();
    // B1..B5 moved up with row 2 gone: B2's "=A2*10" lost its target.
    EXPECT_EQ(t.sheet->Range(u"B1")->Formula(), u"=A3");
    EXPECT_EQ(t.sheet->Range(u"B1")->Value().number(), 4);
    EXPECT_EQ(t.sheet->Range(u"B2")->Formula(), u"=#REF!*10");
    EXPECT_TRUE(t.sheet->Range(u"B2")->Value().isError());
    EXPECT_EQ(t.sheet->Range(u"B3")->Formula(), u"=$A$2");
    EXPECT_EQ(t.sheet->Range(u"B3")->Value().number(), 3);
    EXPECT_EQ(t.sheet->Range(u"B4")->Formula(), u"=COUNTA(A:A)");
    auto sum = makeHost({{u"1"}, {u"2"}, {u"3"}, {u"=SUM(A1:A3)"}});
    sum.sheet->Range(u"A2")->EntireRow()->Delete();
    EXPECT_EQ(sum.sheet->Range(u"A3")->Formula(), u"=SUM(A1:A2)");
    EXPECT_EQ(sum.sheet->Range(u"A3")->Value().number(), 4);
}

}  // namespace
