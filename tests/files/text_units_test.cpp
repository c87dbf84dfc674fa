// Small table-driven checks of the text-level helpers: cell references, formula shifting,
// number formats, palette, XML text escapes.
#include <gtest/gtest.h>

#include "files/cell_ref.h"
#include "files/file_error.h"
#include "files/formula_shift.h"
#include "files/number_format.h"
#include "files/palette.h"
#include "files/sheet_reader.h"
#include "files/xml_text.h"

namespace files::test {
namespace {

TEST(FilesCellRefs, ParseAndFormat) {
    const struct {
        const char* text;
        bool ok;
        long row, col;
    } cases[] = {{"A1", true, 1, 1},    {"$B$12", true, 12, 2},    {"xfd1048576", true, 1048576, 16384},
                 {"XFE1", false, 0, 0}, {"A1048577", false, 0, 0}, {"A0", false, 0, 0},
                 {"1A", false, 0, 0},   {"A", false, 0, 0},        {"AAAA1", false, 0, 0}};
    for (const auto& c : cases) {
        CellRef ref;
        EXPECT_EQ(parseCellRef(c.text, ref), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(ref.row * 100000 + ref.col, c.row * 100000 + c.col) << c.text;
        }
    }
    std::string out;
    appendCellRef(out, 1048576, 16384);
    EXPECT_EQ(out, "XFD1048576");
    EXPECT_EQ(sqrefOf(parseSqref("B2:A1 C3")), "A1:B2 C3");
    EXPECT_THROW(parseSqref("A1:ZZZZ9"), FormatError);
}

TEST(FilesFormulaShift, MovesRelativePartsOnly) {
    const struct {
        const char16_t* formula;
        long rows, cols;
        const char16_t* shifted;
    } cases[] = {
        {u"A1*2+$A$1", 1, 0, u"A2*2+$A$1"},
        {u"SUM(A1:B2)", 2, 1, u"SUM(B3:C4)"},
        {u"$A1+A$1", 3, 3, u"$A4+D$1"},
        {u"Sheet2!A1+'My Sheet'!B2", 1, 1, u"Sheet2!B2+'My Sheet'!C3"},
        {u"\"A1\"&A1", 1, 0, u"\"A1\"&A2"},
        {u"LOG10(A1)", 1, 0, u"LOG10(A2)"},
        {u"SUM(A:A)+SUM(1:1)", 1, 1, u"SUM(B:B)+SUM(2:2)"},
        {u"Table1[Col1]+A1", 1, 0, u"Table1[Col1]+A2"},
        {u"A1-1", -1, 0, u"#REF!-1"},
        {u"1.5E+3+A1", 0, 1, u"1.5E+3+B1"},
        {u"TRUE", 5, 5, u"TRUE"},
    };
    for (const auto& c : cases) EXPECT_EQ(shiftFormula(c.formula, c.rows, c.cols), c.shifted);
}

TEST(FilesNumberFormats, DatesAreRecognised) {
    const struct {
        const char* code;
        bool date;
    } cases[] = {{"dd/mm/yyyy", true}, {"h:mm AM/PM", true},        {"[h]:mm", true},
                 {"0.00", false},      {"\"day\" 0", false},        {"0.00E+00", false},
                 {"[Red]0.00", false}, {"General", false},          {"\\d 0", false},
                 {"yyyy\"-Q\"", true}, {"#,##0;[Red]-#,##0", false}};
    for (const auto& c : cases) EXPECT_EQ(isDateFormatCode(c.code), c.date) << c.code;
    EXPECT_TRUE(isBuiltinDateFormat(14));
    EXPECT_TRUE(isBuiltinDateFormat(22));
    EXPECT_FALSE(isBuiltinDateFormat(10));
}

TEST(FilesPalette, IndexedAndRgbMapToColorIndex) {
    EXPECT_EQ(colorIndexOfIndexed(10), 3);  // ColorIndex n is indexed n + 7
    EXPECT_EQ(colorIndexOfIndexed(2), 3);   // 0..7 repeat the first eight
    EXPECT_EQ(colorIndexOfIndexed(64), 0);  // system colour
    EXPECT_EQ(nearestColorIndex(0xFF0000), 3);
    EXPECT_EQ(nearestColorIndex(0xFE0101), 3);
    EXPECT_EQ(nearestColorIndex(0x000080), 11);  // 11 and 25 are both navy: the lower wins
    for (int i = 1; i <= 56; ++i) EXPECT_EQ(paletteRgb(nearestColorIndex(paletteRgb(i))), paletteRgb(i));
}

TEST(FilesXmlText, EscapesAndTheUnderscoreForm) {
    std::string out;
    appendXmlText(out, u"a<b>&\"c\" \x0001 _x0041_");
    EXPECT_EQ(out, "a&lt;b&gt;&amp;\"c\" _x0001_ _x005F_x0041_");
    EXPECT_EQ(decodeXmlText("_x0001_ _x005F_x0041_ _x00"), u"\x0001 _x0041_ _x00");
    EXPECT_EQ(decodeXmlText(out.substr(out.find("_x0001_"))), u"\x0001 _x0041_");
    // Appended after what the buffer holds: plain ASCII, and texts that turn escaping or
    // non-ASCII only after a plain start.
    std::string row = "<c>";
    appendXmlText(row, u"plain text 12");
    appendXmlText(row, u"plain then <");
    appendXmlText(row, u"caf\u00E9 \U0001F600");
    appendXmlText(row, u"tab\there", true);
    EXPECT_EQ(row, "<c>plain text 12plain then &lt;caf\xC3\xA9 \xF0\x9F\x98\x80tab&#9;here");
}

TEST(FilesIsoDates, BecomeSerials) {
    double serial = 0;
    ASSERT_TRUE(isoDateToSerial("1900-01-01", serial));
    EXPECT_EQ(serial, 1);
    ASSERT_TRUE(isoDateToSerial("1900-03-01", serial));
    EXPECT_EQ(serial, 61);  // after the phantom 29 February 1900
    ASSERT_TRUE(isoDateToSerial("2024-01-02T18:00:00", serial));
    EXPECT_EQ(serial, 45293.75);
    EXPECT_FALSE(isoDateToSerial("yesterday", serial));
}

}  // namespace
}  // namespace files::test
