// Inputs the fuzz targets (fuzz/) found mishandled, each reduced to what the fault needs:
// damaged or unusual parts must be refused with a FormatError or read consistently, and what
// is written from them must read back as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/drawing_xml.h"
#include "files/file_data.h"
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

TEST(FuzzFindings, APartWithoutAFillListGetsOneForTheFillsASaveAdds) {
    // The new fill ids pointed into a list that was never written, so the cells lost their colour.
    for (const char* next : {"<borders count=\"1\"><border/></borders><cellXfs>", "<cellXfs>"}) {
        const StyleTable table =
            StyleTable::parse("<styleSheet " + kMain + "><fonts><font/></fonts>" + std::string(next) +
                              "<xf numFmtId=\"0\"/><xf numFmtId=\"0\"/></cellXfs></styleSheet>");
        StyleWriter writer(table);
        const std::uint32_t yellow = writer.formatFor(0, 6, false);
        const std::uint32_t red = writer.formatFor(1, 3, false);
        const std::string written = writer.toXml();
        const StyleTable again = StyleTable::parse(written);
        ASSERT_LT(red, again.formats.size()) << written;
        EXPECT_EQ(again.formats[yellow].colorIndex, 6) << written;
        EXPECT_EQ(again.formats[red].colorIndex, 3) << written;
        // The two fills every reader reserves come first, and the list sits before the formats.
        EXPECT_EQ(again.fillColors, (std::vector<int>{0, 0, 6, 3})) << written;
        EXPECT_LT(written.find("<fills"), written.find("<cellXfs")) << written;
    }
}

TEST(FuzzFindings, AnAnchorWithoutAnObjectDoesNotTakeOverTheFirstObjectsAnchor) {
    // The empty anchor claimed object 0's span, so deleting object 0 deleted the empty anchor.
    const std::string anchor = "<xdr:twoCellAnchor><xdr:from><xdr:col>1</xdr:col><xdr:row>1</xdr:row></xdr:from>";
    const std::string shape = [](const char* id, const char* name) {
        return std::string("<xdr:sp><xdr:nvSpPr><xdr:cNvPr id=\"") + id + "\" name=\"" + name +
               "\"/></xdr:nvSpPr><xdr:spPr/></xdr:sp><xdr:clientData/></xdr:twoCellAnchor>";
    }("2", "First");
    const std::string xml =
        "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
        "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">" +
        anchor + shape + "<mc:AlternateContent><mc:Choice Requires=\"c\">" + anchor +
        "</xdr:twoCellAnchor></mc:Choice><mc:Fallback>" + anchor + "<xdr:sp/></xdr:twoCellAnchor></mc:Fallback>" +
        "</mc:AlternateContent>" + anchor +
        "<xdr:sp><xdr:nvSpPr><xdr:cNvPr id=\"3\" name=\"Last\"/></xdr:nvSpPr><xdr:spPr/></xdr:sp>"
        "<xdr:clientData/></xdr:twoCellAnchor></xdr:wsDr>";
    DrawingPartData part;
    const std::vector<DrawingObject> objects = readDrawing(xml, part);
    ASSERT_EQ(objects.size(), 2u);
    const DrawingWrite written = writeDrawing(part, {objects[1]}, nullptr);
    DrawingPartData again;
    EXPECT_EQ(readDrawing(written.xml, again).size(), 1u) << written.xml;
    EXPECT_EQ(written.xml.find("First"), std::string::npos) << written.xml;
    EXPECT_NE(written.xml.find("mc:AlternateContent"), std::string::npos) << written.xml;
}

TEST(FuzzFindings, SheetIdsAndRelationshipIdsAreEscapedWhenWritten) {
    // Attribute values are read decoded; written back as they were, a '<' broke the part.
    const WorkbookPart part = parseWorkbookXml("<workbook " + kMain + " " + kRel +
                                               "><sheets><sheet name=\"A\" sheetId=\"1&lt;2&amp;&quot;\" "
                                               "r:id=\"rId&lt;1\"/></sheets></workbook>");
    std::vector<SheetOut> sheets{{part.sheets[0], 0}};
    std::vector<std::u16string> notes;
    const WorkbookPart again = parseWorkbookXml(writeWorkbookXml(part, sheets, 0, notes));
    ASSERT_EQ(again.sheets.size(), 1u);
    EXPECT_EQ(again.sheets[0].sheetId, "1<2&\"");
    EXPECT_EQ(again.sheets[0].relId, "rId<1");
}

}  // namespace
}  // namespace files::test
