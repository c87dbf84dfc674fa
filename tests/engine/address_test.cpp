#include "engine/address.h"

#include <gtest/gtest.h>

#include <vector>

#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

using engine::Area;

namespace {

constexpr long kRows = host::kMaxRows;
constexpr long kCols = host::kMaxColumns;

std::string show(const std::vector<Area>& areas) {
    std::string out;
    for (const auto& a : areas)
        out += "[" + std::to_string(a.row1) + "," + std::to_string(a.col1) + "," + std::to_string(a.row2) + "," +
               std::to_string(a.col2) + "]";
    return out;
}

TEST(ColumnNumber, LettersInEitherCase) {
    const struct {
        const char16_t* letters;
        long number;
    } cases[] = {
        {u"A", 1},     {u"Z", 26},      {u"AA", 27},     {u"AZ", 52}, {u"BA", 53},    {u"ZZ", 702},
        {u"AAA", 703}, {u"XFD", 16384}, {u"xfd", 16384}, {u"aB", 28}, {u"XFE", 0},    {u"ZZZ", 0},
        {u"", 0},      {u"AAAA", 0},    {u"A1", 0},      {u"$A", 0},  {u"\u00C4", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(engine::columnNumber(c.letters), c.number) << host::utf8(c.letters);
}

TEST(ColumnLetters, KnownColumns) {
    const struct {
        long number;
        const char16_t* letters;
    } cases[] = {{1, u"A"}, {26, u"Z"}, {27, u"AA"}, {702, u"ZZ"}, {703, u"AAA"}, {16384, u"XFD"}, {0, u""}, {-5, u""}};
    for (const auto& c : cases) EXPECT_EQ(engine::columnLetters(c.number), c.letters) << c.number;
}

TEST(ColumnLetters, EveryColumnReadsBackAsItself) {
    for (long col = 1; col <= kCols; ++col) ASSERT_EQ(engine::columnNumber(engine::columnLetters(col)), col);
}

TEST(ParseAddress, AcceptedForms) {
    const struct {
        const char16_t* text;
        std::vector<Area> areas;
    } cases[] = {
        {u"A1", {{1, 1, 1, 1}}},
        {u"$A$1", {{1, 1, 1, 1}}},
        {u"A$1", {{1, 1, 1, 1}}},
        {u"$A1", {{1, 1, 1, 1}}},
        {u"a1:b2", {{1, 1, 2, 2}}},
        {u"B2:A1", {{1, 1, 2, 2}}},
        {u"A2:B1", {{1, 1, 2, 2}}},
        {u"B:B", {{1, 2, kRows, 2}}},
        {u"$B:$B", {{1, 2, kRows, 2}}},
        {u"C:A", {{1, 1, kRows, 3}}},
        {u"3:3", {{3, 1, 3, kCols}}},
        {u"$3:$3", {{3, 1, 3, kCols}}},
        {u"1:5", {{1, 1, 5, kCols}}},
        {u"A1:B2,D4", {{1, 1, 2, 2}, {4, 4, 4, 4}}},
        {u" A1 , B:B ", {{1, 1, 1, 1}, {1, 2, kRows, 2}}},
        {u"XFD1048576", {{kRows, kCols, kRows, kCols}}},
        {u"$A:$XFD", {{1, 1, kRows, kCols}}},
        {u"$1:$1048576", {{1, 1, kRows, kCols}}},
        {u"A01", {{1, 1, 1, 1}}},
    };
    for (const auto& c : cases) EXPECT_EQ(show(engine::parseAddress(c.text)), show(c.areas)) << host::utf8(c.text);
}

TEST(ParseAddress, RefusedFormsFailWith1004) {
    const char16_t* cases[] = {
        u"",    u" ",    u"A",     u"1",     u"A0",        u"A1048577", u"XFE1",  u"A1:",
        u":A1", u"A1:B", u"B:3",   u"A1:3",  u"A1,,B2",    u"A1,",      u",A1",   u"$$A1",
        u"A$",  u"A1$",  u"A1 B2", u"A 1",   u"Sheet1!A1", u"A1:B2:C3", u"R1C1",  u"A-1",
        u"1.5", u"$A$",  u"$3$",   u"A1;B2", u"A\u00A01",  u"B:B:B",    u"AAAA1", u"A99999999999999999999",
    };
    for (const char16_t* text : cases) {
        try {
            engine::parseAddress(text);
            ADD_FAILURE() << "accepted: " << host::utf8(text);
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), host::errApplication) << host::utf8(text);
        }
    }
}

TEST(FormatArea, HostDefaultForms) {
    const struct {
        Area area;
        bool rowAbs, colAbs;
        const char16_t* text;
    } cases[] = {
        {{1, 1, 1, 1}, true, true, u"$A$1"},
        {{1, 1, 2, 2}, true, true, u"$A$1:$B$2"},
        {{1, 2, kRows, 2}, true, true, u"$B:$B"},
        {{1, 2, kRows, 4}, true, true, u"$B:$D"},
        {{3, 1, 3, kCols}, true, true, u"$3:$3"},
        {{1, 1, 5, kCols}, true, true, u"$1:$5"},
        {{1, 1, kRows, kCols}, true, true, u"$1:$1048576"},
        {{1, 1, 1, 1}, false, false, u"A1"},
        {{1, 1, 1, 1}, true, false, u"A$1"},
        {{1, 1, 1, 1}, false, true, u"$A1"},
        {{2, 3, 10, 28}, false, false, u"C2:AB10"},
        {{1, 2, kRows, 2}, false, false, u"B:B"},
        {{3, 1, 3, kCols}, false, false, u"3:3"},
        {{2, 1, kRows - 1, 1}, true, true, u"$A$2:$A$1048575"},
    };
    for (const auto& c : cases) EXPECT_EQ(engine::formatArea(c.area, c.rowAbs, c.colAbs), c.text) << host::utf8(c.text);
}

TEST(FormatAddress, AreasJoinedByComma) {
    const std::vector<Area> areas{{1, 1, 2, 2}, {4, 4, 4, 4}, {1, 3, kRows, 3}};
    EXPECT_EQ(engine::formatAddress(areas), u"$A$1:$B$2,$D$4,$C:$C");
    EXPECT_EQ(engine::formatAddress(areas, false, false), u"A1:B2,D4,C:C");
    EXPECT_EQ(engine::formatAddress({}), u"");
}

TEST(FormatAddress, ReadsBackAsTheSameAreas) {
    const char16_t* texts[] = {u"A1",      u"b2:c9",       u"B:D",          u"7:9",
                               u"A1:XFD1", u"A1:A1048576", u"A1,C3:D4,5:5", u"$1:$1048576"};
    for (const char16_t* text : texts) {
        const auto areas = engine::parseAddress(text);
        for (bool absolute : {true, false})
            EXPECT_EQ(show(engine::parseAddress(engine::formatAddress(areas, absolute, absolute))), show(areas))
                << host::utf8(text);
    }
}

TEST(ScanRefPart, ReadsTheLongestPartAtTheStart) {
    const struct {
        const char16_t* text;
        size_t length;
        long row, col;
        bool rowAbs, colAbs;
    } cases[] = {
        {u"$B$7+1", 4, 7, 2, true, true},    {u"b7)", 2, 7, 2, false, false},   {u"B:B", 1, 0, 2, false, false},
        {u"$12:$13", 3, 12, 0, true, false}, {u"IF(", 2, 0, 240, false, false}, {u"TRUE", 0, 0, 0, false, false},
        {u"A0", 0, 0, 0, false, false},      {u"$", 0, 0, 0, false, false},
    };
    for (const auto& c : cases) {
        engine::RefPart part;
        EXPECT_EQ(engine::scanRefPart(c.text, part), c.length) << host::utf8(c.text);
        if (c.length == 0) continue;
        EXPECT_EQ(part.row, c.row) << host::utf8(c.text);
        EXPECT_EQ(part.col, c.col) << host::utf8(c.text);
        EXPECT_EQ(part.rowAbs, c.rowAbs) << host::utf8(c.text);
        EXPECT_EQ(part.colAbs, c.colAbs) << host::utf8(c.text);
    }
}

TEST(AreaHelpers, ExtentsAndCounts) {
    EXPECT_TRUE(engine::isWholeColumns({1, 2, kRows, 3}));
    EXPECT_FALSE(engine::isWholeColumns({2, 2, kRows, 3}));
    EXPECT_TRUE(engine::isWholeRows({4, 1, 4, kCols}));
    EXPECT_FALSE(engine::isWholeRows({4, 1, 4, kCols - 1}));
    EXPECT_EQ(engine::cellCount({1, 1, kRows, kCols}), 17179869184LL);
    EXPECT_EQ(engine::cellCount({2, 3, 4, 3}), 3);
    EXPECT_TRUE(engine::isInsideSheet({1, 1, kRows, kCols}));
    EXPECT_FALSE(engine::isInsideSheet({0, 1, 1, 1}));
    EXPECT_FALSE(engine::isInsideSheet({1, 1, kRows + 1, 1}));
    EXPECT_FALSE(engine::isInsideSheet({1, 1, 1, kCols + 1}));
}

}  // namespace
