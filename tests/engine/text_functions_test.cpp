#include "engine/text_functions.h"

#include <gtest/gtest.h>

#include "host/text.h"

namespace {

TEST(UpperLower, IcuWithUsEnglishRules) {
    const struct {
        const char16_t* in;
        const char16_t* upper;
        const char16_t* lower;
    } cases[] = {
        {u"abc XYZ 123", u"ABC XYZ 123", u"abc xyz 123"},
        {u"stra\u00DFe", u"STRASSE", u"stra\u00DFe"},
        {u"\u0130stanbul", u"\u0130STANBUL", u"i\u0307stanbul"},
        {u"\u039F\u0394\u039F\u03A3", u"\u039F\u0394\u039F\u03A3", u"\u03BF\u03B4\u03BF\u03C2"},
        {u"\U00010428", u"\U00010400", u"\U00010428"},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine::upper(c.in), c.upper) << host::utf8(c.in);
        EXPECT_EQ(engine::lower(c.in), c.lower) << host::utf8(c.in);
    }
}

TEST(FoldCase, FullAndSimpleFolding) {
    const struct {
        const char16_t* in;
        const char16_t* full;
        const char16_t* simple;
    } cases[] = {
        {u"Hello", u"hello", u"hello"},
        {u"Stra\u00DFe", u"strasse", u"stra\u00DFe"},
        {u"\u03A3\u03C2", u"\u03C3\u03C3", u"\u03C3\u03C3"},
        {u"\U00010400x", u"\U00010428x", u"\U00010428x"},
        {u"\xD801", u"\xD801", u"\xD801"},  // a lone surrogate stays
        {u"\uFB01", u"fi", u"\uFB01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine::foldCase(c.in), c.full) << host::utf8(c.in);
        EXPECT_EQ(engine::foldCaseSimple(c.in), c.simple) << host::utf8(c.in);
    }
}

TEST(CompareIgnoringCase, ThreeWay) {
    const struct {
        const char16_t* a;
        const char16_t* b;
        int sign;
    } cases[] = {
        {u"apple", u"APPLE", 0}, {u"apple", u"Banana", -1}, {u"b", u"A", 1},
        {u"", u"", 0},           {u"", u"a", -1},           {u"ab", u"a", 1},
    };
    for (const auto& c : cases) {
        const int r = engine::compareIgnoringCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << host::utf8(c.a) << " vs " << host::utf8(c.b);
    }
}

TEST(Len, CountsCodeUnits) {
    const struct {
        const char16_t* text;
        long length;
    } cases[] = {{u"", 0}, {u"abc", 3}, {u"\U0001F600", 2}, {u"a\U0001F600b", 4}, {u"\u00E9", 1}};
    for (const auto& c : cases) EXPECT_EQ(engine::len(c.text), c.length) << host::utf8(c.text);
}

}  // namespace
