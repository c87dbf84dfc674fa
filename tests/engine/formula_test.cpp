#include "engine/formula.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/criteria.h"
#include "engine/typed_input.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"
#include "tests/support/printing.h"

using engine::Area;
using engine::Formula;
using host::Variant;

namespace {

constexpr int kYear = 2024;

bool inside(const Area& a, long row, long col) {
    return row >= a.row1 && row <= a.row2 && col >= a.col1 && col <= a.col2;
}

// A sheet held in a map, filled from rows of typed input starting at A1 ("" leaves a cell
// empty); counts and scans visit only the stored cells.
class FakeSheet : public engine::FormulaContext {
public:
    explicit FakeSheet(const std::vector<std::vector<std::u16string>>& rows) {
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c) {
                const auto input = engine::parseTypedInput(rows[r][c], kYear);
                if (input.kind == engine::TypedInput::Kind::Value)
                    set(static_cast<long>(r + 1), static_cast<long>(c + 1), input.value);
            }
    }
    void set(long row, long col, const Variant& value) { cells_[{row, col}] = value; }

    Variant cellValue(long row, long col) const override {
        const auto it = cells_.find({row, col});
        return it == cells_.end() ? Variant() : it->second;
    }
    double countIf(const Area& area, const Variant& criterionValue) const override {
        const auto criterion = engine::Criterion::parse(criterionValue, kYear);
        double count = 0, stored = 0;
        for (const auto& [at, value] : cells_) {
            if (!inside(area, at.first, at.second)) continue;
            ++stored;
            count += criterion.matches(value);
        }
        if (criterion.matches(Variant())) count += static_cast<double>(engine::cellCount(area)) - stored;
        return count;
    }
    double countA(const Area& area) const override {
        double count = 0;
        for (const auto& [at, value] : cells_) count += inside(area, at.first, at.second);
        return count;
    }
    void forEachValue(const Area& area, const std::function<void(const Variant&)>& visit) const override {
        for (const auto& [at, value] : cells_)
            if (inside(area, at.first, at.second)) visit(value);
    }

private:
    std::map<std::pair<long, long>, Variant> cells_;
};

//      A       B           C         D
// 1    10      apple       TRUE      1/2/2024
// 2    20      APPLE       FALSE
// 3    '15     " a  b "    5         #N/A
// 4            ="" result  abc\x01
// 5    30      pear
FakeSheet makeSheet() {
    FakeSheet sheet({
        {u"10", u"apple", u"TRUE", u"1/2/2024"},
        {u"20", u"APPLE", u"FALSE", u""},
        {u"'15", u" a  b ", u"5", u""},
        {u"", u"", u"abc\x01", u""},
        {u"30", u"pear"},
    });
    sheet.set(3, 4, Variant::error(host::xlErrNA));
    sheet.set(4, 2, Variant(u""));
    return sheet;
}

Variant T(const char16_t* text) { return Variant(text); }
Variant N(double number) { return Variant(number); }
Variant B(bool value) { return Variant(value); }
Variant E(int code) { return Variant::error(code); }
const Variant kValue = E(host::xlErrValue);
const Variant kNA = E(host::xlErrNA);
const Variant kDiv0 = E(host::xlErrDiv0);
const Variant kNum = E(host::xlErrNum);
const Variant kName = E(host::xlErrName);
const Variant kRef = E(host::xlErrRef);

struct EvalCase {
    const char16_t* formula;
    Variant expected;
};

void expectValues(const std::vector<EvalCase>& cases) {
    const FakeSheet sheet = makeSheet();
    for (const auto& c : cases)
        EXPECT_EQ(Formula::parse(c.formula).evaluate(sheet), c.expected) << host::utf8(c.formula);
}

TEST(FormulaEvaluate, ArithmeticAndPrecedence) {
    expectValues({
        {u"=1+2", N(3)},
        {u"1+2", N(3)},
        {u"=2*3+4", N(10)},
        {u"=2+3*4", N(14)},
        {u"=(2+3)*4", N(20)},
        {u"=10/4", N(2.5)},
        {u"=2^3^2", N(64)},
        {u"=-2^2", N(4)},
        {u"=2^-1", N(0.5)},
        {u"=-(2^2)", N(-4)},
        {u"=50%", N(0.5)},
        {u"=10%*10", N(1)},
        {u"=-5%", N(-0.05)},
        {u"=--3", N(3)},
        {u"=+-+3", N(-3)},
        {u"=1-2-3", N(-4)},
        {u"=12/2/3", N(2)},
        {u"=1.5e2", N(150)},
        {u"=.5", N(0.5)},
        {u"= 1 +\t2 ", N(3)},
        {u"=1/0", kDiv0},
        {u"=0^0", kNum},
        {u"=0^-1", kDiv0},
        {u"=(-8)^(1/3)", kNum},
        {u"=1e308*10", kNum},
        {u"=\"3\"+4", N(7)},
        {u"=\"abc\"+1", kValue},
        {u"=TRUE+1", N(2)},
        {u"=\"1/2/2024\"+0", N(45293)},
        {u"=\"50%\"*2", N(1)},
        {u"=#N/A", kNA},
        {u"=#DIV/0!+1", kDiv0},
        {u"=1+#value!", kValue},
        {u"=#N/A+1/0", kNA},
    });
}

TEST(FormulaEvaluate, TextsAndConcatenation) {
    expectValues({
        {u"=\"a\"&\"b\"", T(u"ab")},
        {u"=1&2", T(u"12")},
        {u"=1+2&3", T(u"33")},
        {u"=\"x\"&TRUE", T(u"xTRUE")},
        {u"=\"say \"\"hi\"\"\"", T(u"say \"hi\"")},
        {u"=\"\"", T(u"")},
        {u"=0.1+0.2&\"\"", T(u"0.3")},
        {u"=D1&\"\"", T(u"45293")},
        {u"=A4&\"|\"", T(u"|")},
        {u"=\"a\"&D3", kNA},
    });
}

TEST(FormulaEvaluate, Comparisons) {
    expectValues({
        {u"=1<2", B(true)},         {u"=2<1", B(false)},     {u"=\"a\"=\"A\"", B(true)},
        {u"=\"a\"<\"B\"", B(true)}, {u"=1<\"a\"", B(true)},  {u"=\"z\"<TRUE", B(true)},
        {u"=TRUE>1", B(true)},      {u"=\"1\"=1", B(false)}, {u"=A4=0", B(true)},
        {u"=A4=\"\"", B(true)},     {u"=A4=FALSE", B(true)}, {u"=B4=\"\"", B(true)},
        {u"=B4=0", B(false)},       {u"=1+1=2", B(true)},    {u"=\"a\"&\"b\"=\"AB\"", B(true)},
        {u"=1=1=TRUE", B(true)},    {u"=A1<>10", B(false)},  {u"=A1>=10", B(true)},
        {u"=A1<=9", B(false)},      {u"=D1=45293", B(true)}, {u"=A3=15", B(false)},
        {u"=B1=B2", B(true)},       {u"=D3=1", kNA},         {u"=A4=A4", B(true)},
    });
}

TEST(FormulaEvaluate, ReferencesAndRanges) {
    expectValues({
        {u"=A1", N(10)},     {u"=$A$1", N(10)},     {u"=a2", N(20)},        {u"=A1+A2", N(30)},
        {u"=A1*A4", N(0)},   {u"=A3+1", N(16)},     {u"=B1+1", kValue},     {u"=D1+1", N(45294)},
        {u"=D3+1", kNA},     {u"=A4", N(0)},        {u"=B4", T(u"")},       {u"=D1", Variant::date(45293)},
        {u"=A1:A1", N(10)},  {u"=A1:A2", kValue},   {u"=B:B", kValue},      {u"=3:3", kValue},
        {u"=TRUE", B(true)}, {u"=false", B(false)}, {u"=XFD1048576", N(0)},
    });
}

TEST(FormulaEvaluate, TextFunctions) {
    expectValues({
        {u"=LEN(B3)", N(6)},
        {u"=LEN(A1)", N(2)},
        {u"=LEN(D1)", N(5)},
        {u"=LEN(C1)", N(4)},
        {u"=LEN(A4)", N(0)},
        {u"=LEN(D3)", kNA},
        {u"=len(\"\U0001F600\")", N(2)},
        {u"=TRIM(B3)", T(u"a b")},
        {u"=CLEAN(C4)", T(u"abc")},
        {u"=UPPER(B1)", T(u"APPLE")},
        {u"=LOWER(\"\u00C0B\")", T(u"\u00E0b")},
        {u"=upper(1.5)", T(u"1.5")},
        {u"=LEN(TRIM(B3))", N(3)},
        {u"=TRIM(1/0)", kDiv0},
        {u"=LEN(A1:A2)", kValue},
    });
}

TEST(FormulaEvaluate, LogicalFunctions) {
    expectValues({
        {u"=IF(A1>5,\"big\",\"small\")", T(u"big")},
        {u"=IF(A1>50,\"big\")", B(false)},
        {u"=IF(A1>50,\"big\",)", N(0)},
        {u"=IF(\"x\",1,2)", kValue},
        {u"=IF(\"true\",1,2)", N(1)},
        {u"=IF(A4,1,2)", N(2)},
        {u"=IF(D3,1,2)", kNA},
        {u"=IF(TRUE,A4)", N(0)},
        {u"=IF(FALSE,1/0,2)", N(2)},
        {u"=IF(TRUE,B1)", T(u"apple")},
        {u"=IF(2,\"y\",\"n\")", T(u"y")},
        {u"=AND(TRUE,1)", B(true)},
        {u"=AND(TRUE,0)", B(false)},
        {u"=AND(C1:C2)", B(false)},
        {u"=AND(C1)", B(true)},
        {u"=OR(C1:C2)", B(true)},
        {u"=OR(FALSE,A4)", B(false)},
        {u"=AND(B1:B2)", kValue},
        {u"=AND(\"x\")", kValue},
        {u"=AND(\"TRUE\")", B(true)},
        {u"=OR(D3)", kNA},
        {u"=AND(C1:C3)", B(false)},
        {u"=OR(A1:A5)", B(true)},
        {u"=AND(A4)", kValue},
        {u"=NOT(TRUE)", B(false)},
        {u"=NOT(0)", B(true)},
        {u"=NOT(\"x\")", kValue},
        {u"=NOT(D3)", kNA},
        {u"=ISBLANK(A4)", B(true)},
        {u"=ISBLANK(B4)", B(false)},
        {u"=ISBLANK(A1)", B(false)},
        {u"=ISBLANK(\"\")", B(false)},
        {u"=ISBLANK(A1:A4)", B(false)},
        {u"=ISBLANK(IF(TRUE,A4))", B(true)},
        {u"=ISBLANK(D3)", B(false)},
    });
}

TEST(FormulaEvaluate, Aggregates) {
    expectValues({
        {u"=SUM(A1:A5)", N(60)},
        {u"=SUM(A1,A3)", N(10)},
        {u"=SUM(1,\"2\",TRUE)", N(4)},
        {u"=SUM(\"x\")", kValue},
        {u"=SUM(D1:D3)", kNA},
        {u"=SUM(A:A)", N(60)},
        {u"=SUM(C1:C3)", N(5)},
        {u"=SUM(A1:A2,10,)", N(40)},
        {u"=SUM(1:1)", N(45303)},
        {u"=COUNTA(A:A)", N(4)},
        {u"=COUNTA(A1:D5)", N(15)},
        {u"=COUNTA(1,\"\",A4)", N(2)},
        {u"=COUNTA(B4)", N(1)},
        {u"=COUNTA(A4)", N(0)},
        {u"=COUNTIF(B:B,\"apple\")", N(2)},
        {u"=COUNTIF(A:A,\">15\")", N(2)},
        {u"=COUNTIF(A:A,15)", N(1)},
        {u"=COUNTIF(A1:A5,\"\")", N(1)},
        {u"=COUNTIF(B1:B5,\"\")", N(1)},
        {u"=COUNTIF(B1:B5,\"=\")", N(0)},
        {u"=COUNTIF(A1:A5,\"<>\")", N(4)},
        {u"=COUNTIF(B:B,B1)", N(2)},
        {u"=COUNTIF(A1,1)", N(0)},
        {u"=COUNTIF(1,1)", kValue},
        {u"=COUNTIF(B:B,\"a*\")", N(2)},
        {u"=COUNTIF(C:C,TRUE)", N(1)},
        {u"=COUNTIF(D:D,#N/A)", N(1)},
        {u"=COUNTIF(D:D,D3)", N(1)},
        {u"=COUNTIF(D:D,\"1/2/2024\")", N(1)},
        {u"=COUNTIF(A1:B2,A1:A2)", kValue},
        {u"=COUNTIF($B$1:$B$5,B1)=2", B(true)},
        {u"=COUNTIF(A1:A5,A4)", N(0)},
    });
}

TEST(FormulaEvaluate, UnknownNamesAndFunctions) {
    expectValues({
        {u"=FOO(1)", kName},
        {u"=foo", kName},
        {u"=VLOOKUP(1,A:B,2)", kName},
        {u"=FOO(1/0)", kName},
        {u"=A1B", kName},
        {u"=XFE1", kName},
        {u"=TRUE()", kName},
        {u"=1+foo", kName},
        {u"=LEN(foo)", kName},
    });
}

TEST(FormulaEvaluate, CriteriaTooLongForCountIfGiveValueError) {
    const FakeSheet sheet = makeSheet();
    const std::u16string half(128, u'a');
    const auto countOf = [&](const std::u16string& secondHalf) {
        return Formula::parse(u"=COUNTIF(B:B,\"" + half + u"\"&\"" + secondHalf + u"\")").evaluate(sheet);
    };
    EXPECT_EQ(countOf(std::u16string(127, u'a')), N(0));  // 255 code units
    EXPECT_EQ(countOf(half), kValue);                     // 256 code units
}

TEST(FormulaEvaluate, RelativeReferencesMoveWithTheOffsets) {
    const struct {
        const char16_t* formula;
        long rowOffset, colOffset;
        Variant expected;
    } cases[] = {
        {u"=A1", 1, 0, N(20)},
        {u"=$A$1", 1, 0, N(10)},
        {u"=A$1", 2, 1, T(u"apple")},
        {u"=$A1", 1, 5, N(20)},
        {u"=A1", -1, 0, kRef},
        {u"=A1", 0, -1, kRef},
        {u"=SUM(A1:A2)", 1, 0, N(20)},
        {u"=COUNTIF($B$1:$B$5,B1)", 1, 0, N(2)},
        {u"=SUM(A:A)", 5, 0, N(60)},
        {u"=SUM(A:A)", 0, 1, N(0)},
        {u"=SUM(1:1)", 1, 0, N(20)},
        {u"=A1", 0, 16383, N(0)},
        {u"=A1", 0, 16384, kRef},
        {u"=$A$1", -5, -5, N(10)},
        {u"=A1", 1048575, 0, N(0)},
        {u"=A1", 1048576, 0, kRef},
        {u"=IF(A1=\"\",1,2)", 3, 0, N(1)},
        {u"=A1", 1L << 62, 0, kRef},
        {u"=A1", -(1L << 62), 0, kRef},
        {u"=SUM(A1:$A$5)", 10, 0, N(30)},
    };
    const FakeSheet sheet = makeSheet();
    for (const auto& c : cases)
        EXPECT_EQ(Formula::parse(c.formula).evaluate(sheet, c.rowOffset, c.colOffset), c.expected)
            << host::utf8(c.formula) << " +" << c.rowOffset << "," << c.colOffset;
}

TEST(FormulaText, RelativeReferencesShiftInTheText) {
    const struct {
        const char16_t* formula;
        long rowOffset, colOffset;
        const char16_t* text;
    } cases[] = {
        {u"=A1+1", 1, 0, u"=A2+1"},
        {u"A1", 0, 0, u"=A1"},
        {u"=a1", 0, 0, u"=A1"},
        {u"=$A$1+A1", 2, 3, u"=$A$1+D3"},
        {u"=$A1+A$1", 1, 1, u"=$A2+B$1"},
        {u"=SUM(A1:B2)", 1, 1, u"=SUM(B2:C3)"},
        {u"=SUM(B:B)", 3, 1, u"=SUM(C:C)"},
        {u"=SUM($B:B)", 0, 1, u"=SUM($B:C)"},
        {u"=SUM(3:3)", 1, 5, u"=SUM(4:4)"},
        {u"=SUM($3:3)", 1, 0, u"=SUM($3:4)"},
        {u"=A1", -1, 0, u"=#REF!"},
        {u"=COUNTIF($A:$A,A2)=1", 5, 0, u"=COUNTIF($A:$A,A7)=1"},
        {u"=\"A1\"&A1", 1, 0, u"=\"A1\"&A2"},
        {u"=  A1 ", 1, 0, u"=  A2 "},
        {u"=len(b2)>0", 0, 0, u"=len(B2)>0"},
        {u"=XFD1", 0, 1, u"=#REF!"},
        {u"=IF(A1>5,B1,C1)", 2, 0, u"=IF(A3>5,B3,C3)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Formula::parse(c.formula).text(c.rowOffset, c.colOffset), c.text) << host::utf8(c.formula);
}

TEST(FormulaText, ShiftedTextParsesToTheSameReferences) {
    const auto formula = Formula::parse(u"=SUM(A1:B2)+C3+$D:$D+COUNTIF(4:5,$E$6)");
    const auto moved = Formula::parse(formula.text(3, 2));
    const auto expected = formula.references(3, 2);
    const auto actual = moved.references();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].row1, expected[i].row1) << i;
        EXPECT_EQ(actual[i].col1, expected[i].col1) << i;
        EXPECT_EQ(actual[i].row2, expected[i].row2) << i;
        EXPECT_EQ(actual[i].col2, expected[i].col2) << i;
    }
}

TEST(FormulaReferences, AreasTheFormulaReads) {
    const auto areas = Formula::parse(u"=SUM(A1:B2)+C3+$D:$D+COUNTIF(4:5,\"x\")").references(1, 0);
    const std::vector<Area> expected{
        {2, 1, 3, 2}, {4, 3, 4, 3}, {1, 4, host::kMaxRows, 4}, {5, 1, 6, host::kMaxColumns}};
    ASSERT_EQ(areas.size(), expected.size());
    for (size_t i = 0; i < areas.size(); ++i) {
        EXPECT_EQ(areas[i].row1, expected[i].row1) << i;
        EXPECT_EQ(areas[i].col1, expected[i].col1) << i;
        EXPECT_EQ(areas[i].row2, expected[i].row2) << i;
        EXPECT_EQ(areas[i].col2, expected[i].col2) << i;
    }
    EXPECT_TRUE(Formula::parse(u"=A1+1").references(-1, 0).empty());
}

TEST(FormulaParse, BadFormulasFailWith1004) {
    const char16_t* cases[] = {
        u"",       u"=",        u"=1+",    u"=(1",          u"=1)",    u"=\"abc",     u"=1 2",         u"=A1:",
        u"=,",     u"=SUM(1,2", u"=IF(1)", u"=IF(1,2,3,4)", u"=LEN()", u"=NOT(1,2)",  u"=COUNTIF(A1)", u"=#FOO",
        u"=1e",    u"=.",       u"=A1;B1", u"=@A1",         u"={1,2}", u"=Sheet1!A1", u"=1+*2",        u"=*",
        u"=A1:3",  u"= ",       u"=()",    u"=SUM(1)(2)",   u"=1%%%(", u"=1e999",     u"=\"a\"\"",     u"=[1]",
        u"=A1 B1", u"==1",
    };
    for (const char16_t* text : cases) {
        try {
            Formula::parse(text);
            ADD_FAILURE() << "accepted: " << host::utf8(text);
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), host::errApplication) << host::utf8(text);
        }
    }
}

void expectRefused(const std::u16string& text) {
    try {
        Formula::parse(text);
        ADD_FAILURE() << "accepted " << text.size() << " code units";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), host::errApplication);
    }
}

TEST(FormulaParse, NestingIsLimitedTo64Levels) {
    const FakeSheet sheet = makeSheet();
    const auto nested = [](int depth, const std::u16string& open, const std::u16string& close) {
        std::u16string text = u"=";
        for (int i = 0; i < depth; ++i) text += open;
        text += u"1";
        for (int i = 0; i < depth; ++i) text += close;
        return text;
    };
    EXPECT_EQ(Formula::parse(nested(64, u"(", u")")).evaluate(sheet), N(1));
    EXPECT_EQ(Formula::parse(nested(64, u"-", u"")).evaluate(sheet), N(1));
    EXPECT_EQ(Formula::parse(nested(63, u"NOT(", u")")).evaluate(sheet), B(false));
    const Variant percents = Formula::parse(u"=1" + std::u16string(64, u'%')).evaluate(sheet);
    EXPECT_NEAR(percents.number(), 1e-128, 1e-140);
    expectRefused(nested(65, u"(", u")"));
    expectRefused(nested(65, u"-", u""));
    expectRefused(nested(65, u"NOT(", u")"));
    expectRefused(u"=1" + std::u16string(65, u'%'));
    expectRefused(nested(100000, u"(", u")"));
}

TEST(FormulaParse, TextConstantsHoldAtMost255CodeUnits) {
    const std::u16string longest(255, u'x');
    EXPECT_EQ(Formula::parse(u"=\"" + longest + u"\"").evaluate(makeSheet()), Variant(longest));
    EXPECT_EQ(Formula::parse(u"=LEN(\"" + longest + u"\"&\"\"\"\")").evaluate(makeSheet()), N(256));
    expectRefused(u"=\"" + longest + u"x\"");
}

TEST(FormulaParse, LongestFormulaEvaluatesAndLongerIsRefused) {
    std::u16string chain = u"=1";
    while (chain.size() + 2 <= 8193) chain += u"+1";
    EXPECT_EQ(Formula::parse(chain).evaluate(makeSheet()), N(static_cast<double>(chain.size() / 2)));
    expectRefused(chain + u"+1");
}

// A context that only reads cells: SUM, AND and OR over ranges then go cell by cell.
class CellsOnly : public engine::FormulaContext {
public:
    Variant cellValue(long row, long col) const override {
        ++reads;
        return row <= 2 && col <= 2 ? Variant(static_cast<double>(row * 10 + col)) : Variant();
    }
    double countIf(const Area&, const Variant&) const override { return 0; }
    double countA(const Area&) const override { return 0; }
    mutable long reads = 0;
};

TEST(FormulaContext, DefaultScanReadsEveryCellOfSmallAreasOnly) {
    CellsOnly cells;
    EXPECT_EQ(Formula::parse(u"=SUM(A1:C3)").evaluate(cells), N(11 + 12 + 21 + 22));
    EXPECT_EQ(cells.reads, 9);
    EXPECT_EQ(Formula::parse(u"=AND(A1:B2)").evaluate(cells), B(true));
    EXPECT_EQ(Formula::parse(u"=SUM(A:B)").evaluate(cells), kValue);
}

}  // namespace
