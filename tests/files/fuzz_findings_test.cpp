// Inputs the fuzz targets (fuzz/) found mishandled, each reduced to what the fault needs:
// damaged or unusual parts must be refused with a FormatError or read consistently, and what
// is written from them must read back as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/file_error.h"
#include "files/shared_strings.h"
#include "files/styles.h"
#include "files/workbook_xml.h"
#include "files/xml_splice.h"

namespace files::test {
namespace {

const std::string kMain = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
const std::string kRel = "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

TEST(FuzzFindings, InsertWhereAReplacementBeginsKeepsBoth) {
    const std::string document = "<a><b/></a>";
    const std::string out = applyEdits(document, {{3, 7, "<c/>"}, {3, 3, "<i/>"}});
    EXPECT_EQ(out, "<a><i/><c/></a>");
}

TEST(FuzzFindings, ActiveSheetSurvivesAWorkbookPartWithoutViews) {
    // No <bookViews>: the new one goes where the sheet list, also rewritten, begins.
    const WorkbookPart part = parseWorkbookXml("<workbook " + kMain + " " + kRel +
                                               "><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/>"
                                               "<sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>");
    std::vector<SheetOut> sheets{{part.sheets[0], 0}, {part.sheets[1], 1}};
    std::vector<std::u16string> notes;
    const WorkbookPart again = parseWorkbookXml(writeWorkbookXml(part, sheets, 1, notes));
    EXPECT_EQ(again.activeTab, 1);
    ASSERT_EQ(again.sheets.size(), 2u);
    EXPECT_EQ(again.sheets[1].name, u"B");
}

TEST(FuzzFindings, NewElementsGoAfterTheRootTagEvenWhenAnAttributeHoldsAGreaterThanSign) {
    // A '>' and the word "workbook" inside the namespace value and a comment before the root.
    const WorkbookPart part = parseWorkbookXml("<!-- workbook > --><workbook xmlns=\"urn:a>b\" " + kRel +
                                               "><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/>"
                                               "<sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>");
    std::vector<SheetOut> sheets{{part.sheets[0], 0}, {part.sheets[1], 1}};
    std::vector<std::u16string> notes;
    const std::string written = writeWorkbookXml(part, sheets, 1, notes);
    const WorkbookPart again = parseWorkbookXml(written);
    EXPECT_EQ(again.activeTab, 1) << written;
    EXPECT_EQ(written.find("<!-- workbook > --><workbook xmlns=\"urn:a>b\""), 0u) << written;
}

TEST(FuzzFindings, TwoSheetListsAreRefused) {
    // A save would rewrite the first list with every sheet and keep the second.
    const std::string xml = "<workbook " + kMain + " " + kRel +
                            "><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                            "<sheets><sheet name=\"B\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>";
    EXPECT_THROW(parseWorkbookXml(xml), FormatError);
}

TEST(FuzzFindings, SharedStringItemsDoNotNest) {
    EXPECT_THROW(parseSharedStrings("<sst " + kMain + "><si><t>a</t><si><t>b</t></si></si></sst>"), FormatError);
}

TEST(FuzzFindings, TextElementOutsideAnItemDoesNotReachIntoIt) {
    // The <t> left open around the item made its run properties part of the text, so the kept
    // rich item and its flattened text disagreed.
    const std::string xml = "<sst " + kMain + "><t>stray<si><r><rPr>junk</rPr><t>kept</t></r></si></t></sst>";
    RichStrings rich;
    const std::vector<std::u16string> strings = parseSharedStrings(xml, &rich);
    ASSERT_EQ(strings, std::vector<std::u16string>{u"kept"});
    ASSERT_EQ(rich.count(u"kept"), 1u);
    EXPECT_EQ(parseSharedStrings("<sst " + kMain + ">" + rich.at(u"kept") + "</sst>"), strings);
}

std::string stylesWith(const std::string& cellFormats) {
    return "<styleSheet " + kMain +
           "><fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill>"
           "<fill><patternFill patternType=\"solid\"><fgColor indexed=\"10\"/></patternFill></fill></fills>"
           "<cellXfs>" +
           cellFormats + "</cellXfs></styleSheet>";
}

TEST(FuzzFindings, FillsNestedInAFormatDoNotRecolourTheFillList) {
    const StyleTable plain = StyleTable::parse(stylesWith("<xf fillId=\"0\"/><xf fillId=\"2\"/>"));
    const StyleTable nested = StyleTable::parse(stylesWith(
        "<xf fillId=\"0\"><fills><fill><patternFill patternType=\"solid\"><fgColor indexed=\"12\"/></patternFill>"
        "</fill></fills></xf><xf fillId=\"2\"/>"));
    ASSERT_EQ(nested.formats.size(), 2u);
    EXPECT_EQ(nested.fillColors, plain.fillColors);
    EXPECT_EQ(nested.formats[1].colorIndex, plain.formats[1].colorIndex);
    EXPECT_NE(plain.formats[1].colorIndex, 0);
}

TEST(FuzzFindings, TwoFillListsOrFormatListsAreRefused) {
    const std::string fills = "<fills><fill><patternFill patternType=\"none\"/></fill></fills>";
    EXPECT_THROW(StyleTable::parse("<styleSheet " + kMain + ">" + fills + fills + "</styleSheet>"), FormatError);
    EXPECT_THROW(StyleTable::parse("<styleSheet " + kMain + "><cellXfs><xf/></cellXfs><cellXfs/></styleSheet>"),
                 FormatError);
}

}  // namespace
}  // namespace files::test
