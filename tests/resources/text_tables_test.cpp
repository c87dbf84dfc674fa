// Layout of the text tables 102 to 106, read back from the library.
#include <gtest/gtest.h>

#include <set>

#include "host/error.h"
#include "tests/resources/table_reading.h"

namespace restest {
namespace {

constexpr char16_t bom = u'\uFEFF';
// Control numbers of the tools (the buttons that start a tool).
const std::set<int> toolNumbers = {7,  8,  9,  10, 11, 13, 14, 15, 17, 18, 19, 20, 21, 22, 25, 26, 28, 29, 30,
                                   31, 34, 35, 36, 38, 39, 40, 41, 42, 43, 44, 45, 49, 50, 51, 52, 53, 61};

TEST(LabelTable, CodeListThenAnEnglishAndAHindiRow) {
    std::u16string text = table(106);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], bom);
    auto lines = split(text, u"\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], u"\uFEFFEn;Hi;");
    auto en = split(lines[1], u";");
    auto hi = split(lines[2], u";");
    ASSERT_EQ(en.size(), 85u) << "84 fields and the empty one after the closing separator";
    EXPECT_EQ(en[84], u"");
    ASSERT_EQ(hi.size(), 84u);
    EXPECT_EQ(en[0], u"En");
    EXPECT_EQ(hi[0], u"Hi");
    EXPECT_EQ(text.find(u'\n'), text.find(u"\r\n") + 1) << "no bare line feeds";
}

TEST(LabelTable, EnglishRowHoldsTheTextsVerbatim) {
    auto en = split(split(table(106), u"\r\n")[1], u";");
    const std::vector<std::pair<int, std::u16string>> expected = {
        {1, u"Undo or Redo"},
        {7, u"1. Remove all Numbers (0-9) in Selected Cells"},
        {14, u"7. Remove Leading and Trailing Spaces  in Selected Cells"},
        {15, u"8. Remove all Excessive Spaces  in Selected Cells"},
        {19, u"11. Remove/Replace X nos. of Character(s) before nth Character(s)"},
        {28, u"3. Remove Duplicate Entries from 1st Column Exist in 2nd Column"},
        {45, u"12. Convert Columnar Data into Tabular Form"},
        {55, u"About Cellwash"},
        {61, u"4. Remove all objects in ActiveSheet"},
        {62, u"हिन्दी"},
        {64, u"Россию"},
        {67, u"中文"},
        {69, u"Please Add a Workbook or Open a File"},
        {71, u"List is Updated"},
        {81, u"Include Text Frames, WordArt &Shapes"},
        {83, u"Count"},
    };
    for (const auto& [field, text] : expected) EXPECT_EQ(en[field], text) << "field " << field;
    EXPECT_EQ(en[56], u"");
    EXPECT_EQ(en[70], u"");
}

TEST(LabelTable, HindiRowIsHindiWhereEnglishHasText) {
    auto lines = split(table(106), u"\r\n");
    auto en = split(lines[1], u";");
    auto hi = split(lines[2], u";");
    for (int i = 1; i < 84; ++i) {
        if (en[i].empty()) {
            EXPECT_EQ(hi[i], u"") << "field " << i << " is not used";
            continue;
        }
        EXPECT_TRUE(hasDevanagari(hi[i])) << "field " << i;
        if (i != 62) {  // 62 is Hindi's own name in both rows
            EXPECT_NE(hi[i], en[i]) << "field " << i;
        }
    }
    for (int tool : toolNumbers)  // numbered captions keep their number
        EXPECT_EQ(hi[tool].substr(0, hi[tool].find(u'.')), en[tool].substr(0, en[tool].find(u'.'))) << tool;
}

TEST(ScreenTips, SeventyTwoEntriesMostOnLinesOfTheirOwn) {
    std::u16string text = table(102);
    EXPECT_EQ(text[0], bom);
    auto tips = split(text, u";");
    ASSERT_EQ(tips.size(), 72u);
    EXPECT_EQ(tips[0], u"\uFEFFEn");
    int ownLine = 0;
    for (const auto& tip : tips) ownLine += tip.starts_with(u"\r\n");
    EXPECT_GT(ownLine, 36);
    auto en = split(split(table(106), u"\r\n")[1], u";");
    EXPECT_EQ(tips[5], u"\r\n" + en[5]) << "a menu's tip is its label";
    EXPECT_EQ(tips[46], u"\r\n" + en[46]);
}

TEST(ScreenTips, AToolTipIsItsShortCaptionPaddedWithNoBreakSpaces) {
    auto tips = split(table(102), u";");
    std::u16string seven = tips[7].substr(2);
    ASSERT_TRUE(seven.starts_with(u"Remove all Numbers (0-9)"));
    std::u16string padding = seven.substr(std::u16string(u"Remove all Numbers (0-9)").size());
    EXPECT_FALSE(padding.empty());
    EXPECT_EQ(padding.find_first_not_of(u'\u00A0'), std::u16string::npos);
    for (int tool : toolNumbers) {
        EXPECT_EQ(tips[tool].back(), u'\u00A0') << tool;
        EXPECT_FALSE(tips[tool].substr(2, 3).starts_with(u"1")) << "no leading number: " << tool;
    }
}

TEST(SuperTips, SeventyTwoEntriesAndToolsDescribedInThreeParts) {
    std::u16string text = table(103);
    EXPECT_EQ(text[0], bom);
    auto tips = split(text, u";");
    ASSERT_EQ(tips.size(), 72u);
    EXPECT_EQ(tips[2], u"This Command Undo all Actions taken after last command");
    EXPECT_EQ(tips[5], u"A Collection of Tools to Clean Text in Selected Cells");
    EXPECT_TRUE(tips[34].starts_with(u"This tool is used to delete all empty rows in selection"));
    EXPECT_TRUE(tips[7].ends_with(u"Example : CWKver5@39 >>> CWKver@"));
    EXPECT_EQ(text.find(u'\r'), std::u16string::npos) << "lines inside an entry end with line feeds";
    int withExample = 0;
    for (int tool : toolNumbers) {
        if (tool == 29) continue;  // the hidden tool has no work to describe
        auto paragraphs = split(tips[tool], u"\n\n");
        EXPECT_GE(paragraphs.size(), 2u) << tool;
        EXPECT_TRUE(paragraphs[0].starts_with(u"This tool is used to")) << tool;
        withExample += tips[tool].find(u"\n\nExample : ") != std::u16string::npos;
    }
    EXPECT_GT(withExample, 25) << "most tools carry an example";
}

TEST(TourLists, NamesInMenuOrderEndingWithANul) {
    std::u16string text = table(104);
    EXPECT_EQ(text[0], bom);
    EXPECT_EQ(text.back(), u'\0');
    EXPECT_EQ(text.find(u'\0'), text.size() - 1);
    auto names = split(text, u";");
    ASSERT_EQ(names.size(), 49u);
    EXPECT_EQ(names[0], u"\uFEFFText Cleaner >>");
    EXPECT_EQ(names[3], u"2. Remove ll Alphabets (a-z) in Selected Cells");
    EXPECT_EQ(names[9], u"7. Remove Leading and Trailing Spaces  in Selected Cells");
    EXPECT_EQ(names[32], u"4. Remove all objects in ActiveSheet");
    EXPECT_EQ(names[48], std::u16string(u"5. Count Unique Rows in Selection") + u'\0');
    int families = 0, groups = 0;
    for (const auto& n : names) {
        families += n.ends_with(u" >>");
        groups += n.ends_with(u" >") && !n.ends_with(u" >>");
    }
    EXPECT_EQ(families, 4);
    EXPECT_EQ(groups, 8);
}

TEST(TourLists, DescriptionsMatchTheirNames) {
    std::u16string text = table(105);
    EXPECT_EQ(text[0], bom);
    auto names = split(table(104), u";");
    auto descriptions = split(text, u";");
    ASSERT_EQ(descriptions.size(), 49u);
    EXPECT_EQ(descriptions[0], u"\uFEFFA Collection of Tools to Clean Text in Selected Cells");
    EXPECT_EQ(descriptions[1], u"Regular Text Cleaner");
    EXPECT_TRUE(descriptions[2].starts_with(u"This tool is used to delete all numbers in Selected Cells Values."));
    EXPECT_TRUE(descriptions[2].ends_with(u"Example : CWKver5@39 >>> CWKver@"));
    for (std::size_t i = 1; i < names.size(); ++i) {
        const auto& name = names[i];
        if (name.ends_with(u" >>")) {
            EXPECT_TRUE(descriptions[i].starts_with(u"A Collection of Tools")) << i;
            EXPECT_EQ(descriptions[i].find(u'\n'), std::u16string::npos) << i;
        } else if (name.ends_with(u" >")) {
            EXPECT_EQ(descriptions[i], name.substr(0, name.size() - 2)) << i;
        } else {
            EXPECT_NE(descriptions[i].find(u"\n\n"), std::u16string::npos) << "paragraphs: " << i;
        }
    }
}

TEST(Lookup, MissingResourcesFailWithError326) {
    EXPECT_FALSE(resources::findResource(u"CUSTOM", 107).has_value());
    EXPECT_FALSE(resources::findResource(u"BITMAP", 106 + 100).has_value());
    try {
        resources::customResource(999);
        FAIL() << "no error";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), 326);
    }
    EXPECT_THROW(resources::bitmapResource(100), host::Error);
    EXPECT_TRUE(resources::findResource(u"BITMAP", 101).has_value());
    EXPECT_FALSE(resources::findResource(u"custom", 101).has_value()) << "types are compared exactly";
}

TEST(TextOfBytes, WideKeepsTheMarkAndNarrowMapsTheCodePage) {
    const std::uint8_t wide[] = {0xFF, 0xFE, 'A', 0, 0x3F, 0x09, 'z'};
    EXPECT_EQ(resources::wideText(wide), std::u16string(u"\uFEFFA\u093Fz"));
    const std::uint8_t narrow[] = {'<', 0x80, 0xE9, 0x9F};
    EXPECT_EQ(resources::narrowText(narrow), u"<\u20AC\u00E9\u0178");
}

}  // namespace
}  // namespace restest
