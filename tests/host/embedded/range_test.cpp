// Range addressing, enumeration and navigation on the embedded engine.
#include <gtest/gtest.h>

#include "host/constants.h"
#include "host/error.h"
#include "host/range.h"
#include "host/text.h"
#include "host/worksheet.h"
#include "tests/support/host_error.h"
#include "tests/support/printing.h"
#include "tests/support/sheet_builder.h"

using host::RangePtr;
using host::Variant;
using testsupport::makeHost;

namespace {

std::vector<std::u16string> enumerated(const RangePtr& r) {
    std::vector<std::u16string> out;
    for (long long i = 1; i <= r->CountLarge(); ++i) out.push_back(r->Item(i)->Address());
    return out;
}

TEST(RangeAddress, DefaultAbsoluteFormsAndShapes) {
    auto t = makeHost();
    struct Case {
        const char16_t* in;
        const char16_t* address;
        long long count;
    };
    const Case cases[] = {
        {u"a1", u"$A$1", 1},       {u"B2:C3", u"$B$2:$C$3", 4},         {u"B:B", u"$B:$B", 1048576},
        {u"3:3", u"$3:$3", 16384}, {u"A1:B2,D4", u"$A$1:$B$2,$D$4", 5},
    };
    for (const auto& c : cases) {
        auto r = t.sheet->Range(c.in);
        EXPECT_EQ(r->Address(), c.address);
        EXPECT_EQ(r->CountLarge(), c.count);
    }
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Range(u"A0"); }), 1004);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Range(u"nonsense!"); }), 1004);
}

TEST(RangeAddress, WholeSheetCountOverflowsLikeTheHost) {
    auto t = makeHost();
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Cells()->Count(); }), 6);
    EXPECT_EQ(t.sheet->Cells()->CountLarge(), 1048576LL * 16384);
}

TEST(RangeEnumeration, AreaByAreaRowByRow) {
    auto t = makeHost();
    auto r = t.sheet->Range(u"A1:B2,D4");
    EXPECT_EQ(enumerated(r), (std::vector<std::u16string>{u"$A$1", u"$B$1", u"$A$2", u"$B$2", u"$D$4"}));
    EXPECT_EQ(r->Rows()->Count(), 2);  // of the first area
    EXPECT_EQ(r->Columns()->Count(), 2);
    EXPECT_EQ(r->Rows()->Item(2)->Address(), u"$A$2:$B$2");
    EXPECT_EQ(r->Areas()->Count(), 2);
    EXPECT_EQ(r->Areas()->Item(2)->Address(), u"$D$4");
    EXPECT_EQ(testsupport::hostErrorOf([&] { r->Areas()->Item(3); }), 9);
}

TEST(RangeNavigation, CellsOffsetResizeEntireRowAndColumn) {
    auto t = makeHost();
    auto r = t.sheet->Range(u"B2:C4");
    EXPECT_EQ(r->Row(), 2);
    EXPECT_EQ(r->Column(), 2);
    EXPECT_EQ(r->Cells(2, 2)->Address(), u"$C$3");
    EXPECT_EQ(r->Cells(5, 1)->Address(), u"$B$6");  // outside the range is allowed
    EXPECT_EQ(r->Offset(1, -1)->Address(), u"$A$3:$B$5");
    EXPECT_EQ(r->Resize(1, 3)->Address(), u"$B$2:$D$2");
    EXPECT_EQ(r->EntireRow()->Address(), u"$2:$4");
    EXPECT_EQ(r->EntireColumn()->Address(), u"$B:$C");
    EXPECT_EQ(testsupport::hostErrorOf([&] { r->Offset(-5, 0); }), 1004);
}

TEST(RangeNavigation, IntersectIsNothingWhenDisjoint) {
    auto t = makeHost();
    auto overlap = t.app->Intersect(t.sheet->Range(u"A1:C3"), t.sheet->Range(u"B2:D4"));
    ASSERT_TRUE(overlap);
    EXPECT_EQ(overlap->Address(), u"$B$2:$C$3");
    EXPECT_EQ(t.app->Intersect(t.sheet->Range(u"A1"), t.sheet->Range(u"C3")), nullptr);
    auto multi = t.app->Intersect(t.sheet->Range(u"B:B"), t.sheet->Range(u"A1:C2,A5:C5"));
    EXPECT_EQ(multi->Address(), u"$B$1:$B$2,$B$5");
}

TEST(RangeNavigation, UsedRangeCoversValuesFillsCommentsAndRules) {
    auto t = makeHost();
    EXPECT_EQ(t.sheet->UsedRange()->Address(), u"$A$1");
    testsupport::fill(*t.sheet, {{u"", u"x"}}, 3, 1);
    EXPECT_EQ(t.sheet->UsedRange()->Address(), u"$B$3");
    t.sheet->Range(u"D7")->Interior()->setColorIndex(6);
    EXPECT_EQ(t.sheet->UsedRange()->Address(), u"$B$3:$D$7");
    t.sheet->Range(u"A9")->AddComment(u"note");
    EXPECT_EQ(t.sheet->UsedRange()->Address(), u"$A$3:$D$9");
}

TEST(RangeNavigation, EndUpFindsTheBlockTopOrTheNextFilledCell) {
    auto t = makeHost({{u"a"}, {u""}, {u"b"}, {u"c"}, {u"d"}, {u""}, {u""}});
    EXPECT_EQ(t.sheet->Range(u"A5")->End(host::xlUp)->Address(), u"$A$3");  // inside a block
    EXPECT_EQ(t.sheet->Range(u"A3")->End(host::xlUp)->Address(), u"$A$1");  // next filled above
    EXPECT_EQ(t.sheet->Range(u"A7")->End(host::xlUp)->Address(), u"$A$5");
    EXPECT_EQ(t.sheet->Range(u"B9")->End(host::xlUp)->Address(), u"$B$1");  // none: row 1
    EXPECT_EQ(t.sheet->Range(u"A1")->End(host::xlUp)->Address(), u"$A$1");
}

TEST(RangeNavigation, SpecialCellsBlanksLastCellComments) {
    auto t = makeHost({{u"a", u"", u"c"}, {u"", u"", u"f"}});
    EXPECT_EQ(t.sheet->Cells()->SpecialCells(host::xlCellTypeBlanks)->Address(), u"$A$2,$B$1:$B$2");
    EXPECT_EQ(t.sheet->Cells()->SpecialCells(host::xlCellTypeLastCell)->Address(), u"$C$2");
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Cells()->SpecialCells(host::xlCellTypeComments); }), 1004);
    t.sheet->Range(u"C1")->AddComment(u"n");
    EXPECT_EQ(t.sheet->Cells()->SpecialCells(host::xlCellTypeComments)->Address(), u"$C$1");
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Range(u"A1")->SpecialCells(host::xlCellTypeBlanks); }), 1004);
}

TEST(RangeSelection, SelectAndActivateKeepTheBookkeeping) {
    auto t = makeHost();
    t.sheet->Range(u"B2:C5")->Select();
    EXPECT_EQ(t.app->Selection()->Address(), u"$B$2:$C$5");
    EXPECT_EQ(t.app->ActiveCell()->Address(), u"$B$2");
    t.sheet->Range(u"C4")->Activate();  // inside the selection: only the active cell moves
    EXPECT_EQ(t.app->Selection()->Address(), u"$B$2:$C$5");
    EXPECT_EQ(t.app->ActiveCell()->Address(), u"$C$4");
    t.sheet->Range(u"E1")->Activate();
    EXPECT_EQ(t.app->Selection()->Address(), u"$E$1");
    auto other = testsupport::addSheet(t, u"Other");
    EXPECT_EQ(testsupport::hostErrorOf([&] { other->Range(u"A1")->Select(); }), 1004);  // not the active sheet
}

TEST(RangeFind, WholeCellIgnoringCaseStartingAfterTheFirstCell) {
    auto t = makeHost({{u"apple"}, {u"Pear"}, {u"APPLE"}, {u"apple pie"}});
    auto column = t.sheet->Range(u"A1:A4");
    auto hit = column->Find(u"apple", host::xlValues, host::xlWhole, host::xlByRows, host::xlNext, false);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->Address(), u"$A$3");  // A1 is examined last
    EXPECT_EQ(column->Find(u"pear")->Address(), u"$A$2");
    EXPECT_EQ(column->Find(u"* p?e")->Address(), u"$A$4");
    EXPECT_EQ(t.sheet->Range(u"A1:A2")->Find(u"apple")->Address(), u"$A$1");  // wraps to the first
    EXPECT_EQ(column->Find(u"plum"), nullptr);
    EXPECT_EQ(t.app->Selection()->Address(), u"$A$1");  // Find does not select
}

TEST(RangeCopy, PasteSpecialTransposesAColumnIntoARow) {
    auto t = makeHost({{u"1"}, {u""}, {u"three"}});
    t.sheet->Range(u"A2")->Interior()->setColorIndex(3);
    t.sheet->Range(u"A1:A3")->Copy();
    EXPECT_EQ(t.app->CutCopyMode(), host::xlCopy);
    t.sheet->Range(u"C5")->PasteSpecial(host::xlPasteAll, host::xlPasteSpecialOperationNone, false, true);
    EXPECT_EQ(testsupport::texts(*t.sheet, u"C5:E5"), (testsupport::Rows{{u"1", u"", u"three"}}));
    EXPECT_TRUE(t.sheet->Range(u"C5")->Value().isNumber());
    EXPECT_EQ(t.sheet->Range(u"D5")->Interior()->ColorIndex(), 3);
    t.app->setCutCopyMode(0);
    EXPECT_EQ(t.app->CutCopyMode(), 0);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Range(u"A9")->PasteSpecial(); }), 1004);
}

TEST(RangeValues, WritingIsTypedInputAndReplacesFormulas) {
    auto t = makeHost();
    auto a1 = t.sheet->Range(u"A1");
    struct Case {
        const char16_t* typed;
        host::VariantKind kind;
        const char16_t* text;
    };
    const Case cases[] = {
        {u"00123", host::VariantKind::Number, u"123"},  {u"50%", host::VariantKind::Number, u"0.5"},
        {u"true", host::VariantKind::Boolean, u"True"}, {u"1/2/2024", host::VariantKind::Date, u"1/2/2024"},
        {u"'00123", host::VariantKind::Text, u"00123"}, {u"hello", host::VariantKind::Text, u"hello"},
        {u"=\"\"", host::VariantKind::Text, u""},
    };
    for (const auto& c : cases) {
        a1->setValue(Variant(c.typed));
        EXPECT_EQ(a1->Value().kind(), c.kind) << host::utf8(c.typed);
        EXPECT_EQ(a1->Value().toText(), c.text);
    }
    EXPECT_TRUE(a1->HasFormula());
    a1->setValue(Variant(u"plain"));
    EXPECT_FALSE(a1->HasFormula());
    a1->setValue(Variant(u""));
    EXPECT_TRUE(a1->Value().isEmpty());
    EXPECT_EQ(testsupport::hostErrorOf([&] { a1->setValue(Variant(std::u16string(32768, u'x'))); }), 1004);
}

TEST(RangeValues, FormulaCellsKeepTextAndLastValue) {
    auto t = makeHost({{u"  a  b ", u"=TRIM(A1)", u"=LEN(A1)", u"=A1&\"!\""}});
    EXPECT_EQ(t.sheet->Range(u"B1")->Value().toText(), u"a b");
    EXPECT_EQ(t.sheet->Range(u"C1")->Value().number(), 7);
    EXPECT_EQ(t.sheet->Range(u"D1")->Value().toText(), u"  a  b !");
    EXPECT_EQ(t.sheet->Range(u"B1")->Formula(), u"=TRIM(A1)");
}

// The values read one cell at a time, row by row, for comparing with an array.
std::vector<std::u16string> cellByCell(const RangePtr& area) {
    std::vector<std::u16string> out;
    for (long row = 1; row <= area->Rows()->Count(); ++row)
        for (long col = 1; col <= area->Columns()->Count(); ++col) {
            const Variant v = area->Cells(row, col)->Value();
            out.push_back(v.isError() ? v.errorText() : host::utf16(std::to_string(int(v.kind()))) + u":" + v.toText());
        }
    return out;
}

std::vector<std::u16string> arrayTexts(const host::ValueArray& array) {
    std::vector<std::u16string> out;
    for (const Variant& v : array.values)
        out.push_back(v.isError() ? v.errorText() : host::utf16(std::to_string(int(v.kind()))) + u":" + v.toText());
    return out;
}

TEST(RangeValues, ArrayOfABlockHoldsItsCellsRowByRow) {
    auto t = makeHost({{u"a", u"", u"3"}, {u"", u"", u""}, {u"TRUE", u"=1/0", u"1/2/2024"}, {u"x", u"=A1&A4", u""}});
    auto block = t.sheet->Range(u"A1:D5");  // a column and a row beyond the data
    const host::ValueArray values = block->Values();
    EXPECT_EQ(values.rows, 5);
    EXPECT_EQ(values.columns, 4);
    EXPECT_EQ(arrayTexts(values), cellByCell(block));
    EXPECT_EQ(values.at(4, 2).toText(), u"ax");
    EXPECT_TRUE(values.at(2, 1).isEmpty());
    // The host's own block read and the one-cell-at-a-time read every host has agree.
    EXPECT_EQ(arrayTexts(block->host::Range::Values()), arrayTexts(values));
    // Several areas: the first one's values.
    const host::ValueArray first = t.sheet->Range(u"C3:C4,A1")->Values();
    EXPECT_EQ(arrayTexts(first), arrayTexts(t.sheet->Range(u"C3:C4")->Values()));
    EXPECT_EQ(first.rows, 2);
}

TEST(RangeValues, ArrayFollowsDeletionsAndRefusesAWholeSheet) {
    auto t = makeHost({{u"1"}, {u"2"}, {u"3"}, {u"4"}});
    auto lower = t.sheet->Range(u"A3:A4");
    t.sheet->Range(u"A1")->EntireRow()->Delete();
    EXPECT_EQ(arrayTexts(lower->Values()), (std::vector<std::u16string>{u"1:3", u"1:4"}));
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Cells()->Values(); }), 7);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Cells()->host::Range::Values(); }), 7);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Range(u"A:Q")->Values(); }), 7);  // just above 2^24 cells
}

TEST(WorksheetFunctions, CountACountIfTrimClean) {
    auto t = makeHost({{u"apple"}, {u"Apple"}, {u"01"}, {u"1"}, {u" "}, {u"=\"\""}, {u"TRUE"}, {u"ap?le"}});
    auto fn = t.app->WorksheetFunction();
    auto col = t.sheet->Range(u"A1:A10");
    EXPECT_EQ(fn->CountA(col), 8);
    EXPECT_EQ(fn->CountIf(col, Variant(u"apple")), 2);
    EXPECT_EQ(fn->CountIf(col, Variant(u"ap?le")), 3);  // ? matches any one code unit
    EXPECT_EQ(fn->CountIf(col, Variant(u"ap~?le")), 1);
    EXPECT_EQ(fn->CountIf(col, Variant(1.0)), 2);  // "01" as text and 1
    EXPECT_EQ(fn->CountIf(col, Variant(true)), 1);
    EXPECT_EQ(fn->CountIf(col, Variant(u"")), 3);  // A9, A10 and the formula's ""
    EXPECT_EQ(fn->CountIf(t.sheet->Range(u"A:A"), Variant(u"<>")), 8);
    EXPECT_EQ(fn->Trim(u"  a   b  "), u"a b");
    EXPECT_EQ(fn->Clean(u"a\tb\x7F"), u"ab\x7F");
}

}  // namespace
