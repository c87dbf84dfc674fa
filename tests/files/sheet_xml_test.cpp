// The worksheet part: streaming in chunks of any size cuts the cells out of the kept text
// exactly, and writing puts regenerated elements back in the order the part requires.
#include <gtest/gtest.h>

#include "files/sheet_reader.h"
#include "files/sheet_writer.h"
#include "files/xml_parser.h"
#include "memory_book.h"

namespace files::test {
namespace {

const std::string kPart =
    "<?xml version=\"1.0\"?>\n<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"><selection activeCell=\"B2\" sqref=\"B2\"/>"
    "</sheetView></sheetViews><cols><col min=\"1\" max=\"1\" width=\"30\"/></cols>"
    "<sheetData><row r=\"1\" ht=\"20\" customHeight=\"1\"><c r=\"A1\"><v>1.25</v></c><c r=\"B1\" "
    "t=\"b\"><v>0</v></c></row>"
    "<row r=\"3\"><c r=\"C3\" t=\"inlineStr\"><is><t>three</t></is></c></row></sheetData>"
    "<mergeCells count=\"1\"><mergeCell ref=\"D1:E2\"/></mergeCells><pageMargins left=\"1\"/></worksheet>";

struct Read {
    MemorySheet sheet;
    SheetFileData data;
};

std::unique_ptr<Read> readInChunks(const std::string& part, size_t chunk) {
    static const std::vector<std::u16string> strings;
    static const StyleTable styles = StyleTable::parse(StyleTable::minimalXml());
    auto read = std::make_unique<Read>();
    SheetXmlReader reader({strings, styles, {}}, read->sheet, read->data);
    for (size_t at = 0; at < part.size(); at += chunk) reader.feed(std::string_view(part).substr(at, chunk), false);
    reader.feed({}, true);
    return read;
}

TEST(FilesSheetXml, ChunkSizeDoesNotMatter) {
    const std::string expectedKept =
        kPart.substr(0, kPart.find("<sheetData>")) + kPart.substr(kPart.find("<mergeCells"));
    for (const size_t chunk : {1u, 2u, 3u, 7u, 64u, 100000u}) {
        const auto read = readInChunks(kPart, chunk);
        EXPECT_EQ(read->data.xml, expectedKept) << chunk;
        EXPECT_EQ(read->data.sheetDataAt, kPart.find("<sheetData>")) << chunk;
        ASSERT_EQ(read->sheet.cells.size(), 3u) << chunk;
        EXPECT_EQ(read->sheet.cells.at({3, 3}).value, host::Variant(u"three"));
        EXPECT_EQ(read->data.rowAttributes.at(1), " ht=\"20\" customHeight=\"1\"");
        EXPECT_EQ(read->sheet.activeR * 10 + read->sheet.activeC, 22);
        std::vector<std::string> names;
        for (const ElementSpan& c : read->data.children) names.push_back(c.name + "@" + std::to_string(c.begin));
        const std::string merge = "mergeCells@" + std::to_string(expectedKept.find("<mergeCells"));
        EXPECT_NE(std::find(names.begin(), names.end(), merge), names.end()) << chunk;
    }
}

TEST(FilesSheetXml, WritingKeepsEverythingElseAndInsertsInOrder) {
    auto read = readInChunks(kPart, 5);
    read->sheet.cells[{2, 2}].value = host::Variant(u"new");
    read->sheet.selected = {Area{4, 4, 5, 5}};
    read->sheet.activeR = read->sheet.activeC = 4;
    ValidationRule rule;
    rule.type = 1;
    rule.formula1 = u"1";
    rule.areas = {Area{1, 1, 1, 1}};
    read->sheet.rules.push_back(rule);
    SharedStringWriter strings;
    const StyleTable styles = StyleTable::parse(StyleTable::minimalXml());
    StyleWriter styleWriter(styles);
    std::vector<std::u16string> notes;
    SheetWriteContext ctx{strings, styleWriter, "", "rId9", notes, {}, {}};
    const std::string xml = writeSheetXml(read->sheet, &read->data, ctx);
    EXPECT_EQ(xml,
              "<?xml version=\"1.0\"?>\n<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
              "<dimension ref=\"A1:C3\"/><sheetViews><sheetView workbookViewId=\"0\"><selection activeCell=\"D4\" "
              "sqref=\"D4:E5\"/>"
              "</sheetView></sheetViews><cols><col min=\"1\" max=\"1\" width=\"30\"/></cols>"
              "<sheetData><row r=\"1\" ht=\"20\" customHeight=\"1\"><c r=\"A1\"><v>1.25</v></c><c r=\"B1\" "
              "t=\"b\"><v>0</v></c></row>"
              "<row r=\"2\"><c r=\"B2\" t=\"s\"><v>0</v></c></row><row r=\"3\"><c r=\"C3\" "
              "t=\"s\"><v>1</v></c></row></sheetData>"
              "<mergeCells count=\"1\"><mergeCell ref=\"D1:E2\"/></mergeCells>"
              "<dataValidations count=\"1\"><dataValidation type=\"whole\" allowBlank=\"1\" showInputMessage=\"1\" "
              "showErrorMessage=\"1\" sqref=\"A1\"><formula1>1</formula1></dataValidation></dataValidations>"
              "<pageMargins left=\"1\"/><legacyDrawing "
              "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" r:id=\"rId9\"/>"
              "</worksheet>");
    EXPECT_TRUE(notes.empty());
}

TEST(FilesSheetXml, APrefixedPartGetsCellsInTheMainNamespace) {
    const std::string part =
        "<x:worksheet "
        "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData/></x:worksheet>";
    auto read = readInChunks(part, 4);
    read->sheet.cells[{1, 1}].value = host::Variant(2.0);
    SharedStringWriter strings;
    const StyleTable styles = StyleTable::parse(StyleTable::minimalXml());
    StyleWriter styleWriter(styles);
    std::vector<std::u16string> notes;
    SheetWriteContext ctx{strings, styleWriter, "", "", notes, {}, {}};
    const std::string xml = writeSheetXml(read->sheet, &read->data, ctx);
    const auto again = readInChunks(xml, 3);
    EXPECT_EQ(again->sheet.cells.at({1, 1}).value, host::Variant(2.0));
    EXPECT_NE(xml.find("<sheetData xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"),
              std::string::npos);
}

}  // namespace
}  // namespace files::test
