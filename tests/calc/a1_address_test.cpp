#include "host/calc/a1_address.h"

#include <gtest/gtest.h>

namespace host::calc {
namespace {

const SheetSize kSheet{};  // 1,048,576 rows by 16,384 columns, Calc's size since 7.4

struct ParseCase {
    const char16_t* text;
    std::vector<Area> areas;  // empty: refused
};

TEST(A1Address, ParsesTheFormsTheObjectModelTakes) {
    const ParseCase cases[] = {
        {u"A1", {{1, 1, 1, 1}}},
        {u"$B$3", {{3, 2, 3, 2}}},
        {u"b3", {{3, 2, 3, 2}}},
        {u"A1:C4", {{1, 1, 4, 3}}},
        {u"C4:A1", {{1, 1, 4, 3}}},
        {u"$A1:C$4", {{1, 1, 4, 3}}},
        {u"B:B", {{1, 2, kSheet.rows, 2}}},
        {u"$B:$D", {{1, 2, kSheet.rows, 4}}},
        {u"3:3", {{3, 1, 3, kSheet.columns}}},
        {u"$2:$5", {{2, 1, 5, kSheet.columns}}},
        {u"A1:B2,D4", {{1, 1, 2, 2}, {4, 4, 4, 4}}},
        {u"A1, C3", {{1, 1, 1, 1}, {3, 3, 3, 3}}},
        {u"XFD1048576", {{kSheet.rows, kSheet.columns, kSheet.rows, kSheet.columns}}},
        {u"XFE1", {}},
        {u"A1048577", {}},
        {u"A0", {}},
        {u"B", {}},
        {u"3", {}},
        {u"A1:B", {}},
        {u"$$A1", {}},
        {u"A$", {}},
        {u"", {}},
        {u"A1,", {}},
        {u"Sheet1!A1", {}},
    };
    for (const auto& c : cases) {
        const auto parsed = parseAddress(c.text, kSheet);
        if (c.areas.empty())
            EXPECT_FALSE(parsed) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
        else
            EXPECT_EQ(parsed, c.areas) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    }
}

TEST(A1Address, WritesAbsoluteAddressesWithWholeRowsAndColumnsShort) {
    EXPECT_EQ(areaAddress({1, 1, 1, 1}, kSheet), u"$A$1");
    EXPECT_EQ(areaAddress({2, 1, 9, 3}, kSheet), u"$A$2:$C$9");
    EXPECT_EQ(areaAddress({1, 2, kSheet.rows, 2}, kSheet), u"$B:$B");
    EXPECT_EQ(areaAddress({3, 1, 4, kSheet.columns}, kSheet), u"$3:$4");
    EXPECT_EQ(areaAddress({1, 1, kSheet.rows, kSheet.columns}, kSheet), u"$A$1:$XFD$1048576");
    EXPECT_EQ(areaAddress({2, 1, 9, 3}, kSheet, false, false), u"A2:C9");
    EXPECT_EQ(areaAddress({2, 27, 2, 27}, kSheet, true, false), u"AA$2");
}

TEST(A1Address, ColumnLettersRunPastZ) {
    EXPECT_EQ(columnLetters(1), u"A");
    EXPECT_EQ(columnLetters(26), u"Z");
    EXPECT_EQ(columnLetters(27), u"AA");
    EXPECT_EQ(columnLetters(702), u"ZZ");
    EXPECT_EQ(columnLetters(703), u"AAA");
    EXPECT_EQ(columnLetters(16384), u"XFD");
}

TEST(A1Address, IntersectGivesTheOverlapOrNothing) {
    EXPECT_EQ(intersect({1, 1, 5, 1}, {1, 1, 4, 3}), (Area{1, 1, 4, 1}));
    EXPECT_EQ(intersect({2, 2, 3, 3}, {3, 3, 9, 9}), (Area{3, 3, 3, 3}));
    EXPECT_FALSE(intersect({1, 1, 2, 2}, {3, 3, 4, 4}));
}

}  // namespace
}  // namespace host::calc
