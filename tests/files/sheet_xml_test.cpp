// The worksheet part: streaming in chunks of any size cuts the cells out of the kept text
// exactly, and writing puts regenerated elements back in the order the part requires.
#include <gtest/gtest.h>

#include <cctype>

#include "files/sheet_reader.h"
#include "files/sheet_writer.h"
#include "files/xml_parser.h"
#include "host/text.h"
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
    static const std::vector<host::Variant> strings;
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

// Cells of a shared string share its text with the table (a book of repeated texts keeps
// each once); inline texts come out the same whether plain ASCII, wider, or escaped.
TEST(FilesSheetXml, SharedStringCellsShareTheirTextAndInlineTextsDecode) {
    const std::vector<host::Variant> strings{host::Variant(u"repeated text, kept once"), host::Variant(u"")};
    static const StyleTable styles = StyleTable::parse(StyleTable::minimalXml());
    const std::string part =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData><row r=\"1\">"
        "<c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>0</v></c><c r=\"C1\" t=\"s\"><v>1</v></c>"
        "<c r=\"D1\" t=\"inlineStr\"><is><t>plain ascii</t></is></c>"
        "<c r=\"E1\" t=\"inlineStr\"><is><t>caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac</t></is></c>"
        "<c r=\"F1\" t=\"inlineStr\"><is><t>line_x000D_end</t></is></c>"
        "<c r=\"G1\" t=\"str\"><f>A1</f><v>a &amp; b</v></c></row></sheetData></worksheet>";
    for (const size_t chunk : {1u, 13u, 100000u}) {
        MemorySheet sheet;
        SheetFileData data;
        SheetXmlReader reader({strings, styles, {}}, sheet, data);
        for (size_t at = 0; at < part.size(); at += chunk) reader.feed(std::string_view(part).substr(at, chunk), false);
        reader.feed({}, true);
        const auto text = [&](long col) { return sheet.cells.at({1, col}).value.text(); };
        EXPECT_EQ(text(1), u"repeated text, kept once") << chunk;
        EXPECT_EQ(text(1).data(), strings[0].text().data()) << chunk;
        EXPECT_EQ(text(2).data(), strings[0].text().data()) << chunk;
        EXPECT_EQ(sheet.cells.at({1, 3}).value, host::Variant(u"")) << chunk;
        EXPECT_EQ(text(4), u"plain ascii") << chunk;
        EXPECT_EQ(text(5), u"caf\u00e9 \u65e5\u672c") << chunk;
        EXPECT_EQ(text(6), u"line\rend") << chunk;
        EXPECT_EQ(text(7), u"a & b") << chunk;
    }
}

// Inline texts that repeat, as a column of categories does, share one text; texts that
// differ, and a long text, each keep their own.
TEST(FilesSheetXml, RepeatedInlineTextsShareOneText) {
    static const std::vector<host::Variant> strings;
    static const StyleTable styles = StyleTable::parse(StyleTable::minimalXml());
    const std::string longText(300, 'x');
    std::string part = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    const char* texts[] = {"open", "closed", "open", "opened", "open", "", ""};
    long row = 1;
    for (const char* text : texts) {
        part += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\" t=\"inlineStr\"><is><t>" +
                text + "</t></is></c></row>";
        ++row;
    }
    for (long last = row + 2; row < last; ++row)
        part += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\" t=\"inlineStr\"><is><t>" +
                longText + "</t></is></c></row>";
    part += "</sheetData></worksheet>";
    MemorySheet sheet;
    SheetFileData data;
    SheetXmlReader reader({strings, styles, {}}, sheet, data);
    reader.feed(part, true);
    const auto text = [&](long r) { return sheet.cells.at({r, 1}).value.text(); };
    EXPECT_EQ(text(1), u"open");
    EXPECT_EQ(text(3).data(), text(1).data());
    EXPECT_EQ(text(5).data(), text(1).data());
    EXPECT_EQ(text(2), u"closed");
    EXPECT_EQ(text(4), u"opened");
    EXPECT_NE(text(4).data(), text(1).data());
    EXPECT_EQ(sheet.cells.at({6, 1}).value, host::Variant(u""));
    EXPECT_EQ(text(8), host::utf16(longText));
    EXPECT_EQ(text(9), text(8));
    EXPECT_NE(text(9).data(), text(8).data());
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

// Cells in every shape the scanner reads whole, and in shapes close to them that it must leave
// to the element-by-element road: a formula, a rich or phonetic inline string, metadata and
// unknown attributes, references in attribute values, CDATA, a comment inside a cell, an empty
// <v/>, a start tag that only begins with "c", pretty-printed children.
std::string cellShapesPart(const std::string& prefix) {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    const std::string cells =
        "<c r=\"A1\"><v>1.25</v></c><c r=\"B1\" t=\"b\"><v>1</v></c><c r='C1' t='str'><v>a&amp;b&#x41;</v></c>"
        "<c r=\"D1\" t=\"e\"><v>#N/A</v></c><c r=\"E1\" s=\"1\"/><c r=\"F1\" "
        "t=\"inlineStr\"><is><t>x_x000D_y</t></is></c>"
        "<c r=\"G1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">  two  words </t></is></c>"
        "<c t=\"str\"><v>after G1</v></c><c><v>7</v></c>"
        "<c r=\"A2\">\n  <v> 3 </v>\n</c><c r=\"B2\"><f>A2*2</f><v>6</v></c>"
        "<c r=\"L2\" t=\"str\"><f>A2&amp;\"&lt;\"</f><v>3&lt;</v></c><c r=\"M2\"><f t=\"shared\" ref=\"M2:M3\" "
        "si=\"0\">A2+1</f><v>4</v></c><c r=\"M3\"><f t=\"shared\" si=\"0\"/><v>1</v></c>"
        "<c r=\"C2\" t=\"inlineStr\"><is><r><t>ri</t></r><r><t>ch</t></r></is></c>"
        "<c r=\"D2\" t=\"inlineStr\"><is><t>base</t><rPh><t>ruby</t></rPh></is></c>"
        "<c r=\"E2\" cm=\"1\"><v>2</v></c><c r=\"F2\" x=\"y\"><v>4</v></c><c r=\"G&#49;0\" t=\"str\"><v>ref</v></c>"
        "<c r=\"H2\" t=\"str\"><v><![CDATA[1 < 2]]></v></c><c r=\"I2\"><!-- note --><v>9</v></c>"
        "<c r=\"J2\" t=\"str\"><v/></c><c r=\"K2\" t=\"inlineStr\"><is><t xml:space=\"default\">d</t></is></c>";
    std::string body;  // the same cells with the part's prefix on every element
    for (size_t at = 0; at < cells.size(); ++at) {
        body += cells[at];
        if (cells[at] == '<' && at + 1 < cells.size() && std::isalpha(static_cast<unsigned char>(cells[at + 1])))
            body += p;
        else if (cells[at] == '<' && at + 1 < cells.size() && cells[at + 1] == '/')
            body += "/" + p, ++at;
    }
    return "<" + p + "worksheet xmlns" + (prefix.empty() ? "" : ":" + prefix) +
           "=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><" + p + "sheetData><" + p + "row r=\"1\">" +
           body + "</" + p + "row></" + p + "sheetData></" + p + "worksheet>";
}

std::string dumpRead(const std::string& part, size_t chunk, bool* metadata = nullptr) {
    static const std::vector<host::Variant> strings;
    static const StyleTable styles = StyleTable::parse(StyleTable::minimalXml());
    MemoryBook book;
    SheetFileData data;
    SheetXmlReader reader({strings, styles, {}}, book.addSheet(u"S", -4167, -1), data);
    for (size_t at = 0; at < part.size(); at += chunk) reader.feed(std::string_view(part).substr(at, chunk), false);
    reader.feed({}, true);
    if (metadata) *metadata = data.cellMetadata;
    return dump(book);
}

TEST(FilesSheetXml, CellsReadWholeAreReadAsElementByElement) {
    for (const std::string prefix : {"", "x"}) {
        const std::string part = cellShapesPart(prefix);
        bool metadata = false;
        const std::string whole = dumpRead(part, part.size(), &metadata);
        EXPECT_TRUE(metadata) << "cm=\"1\" is seen";
        for (const std::string expected : {"1.25", "a&bA", "#N/A", "F1 text \"x", "  two  words ", "after G1", "rich",
                                           "base", "A2*2", "1 < 2", "G10", "J2 text \"\"", "A2&\\\"<\\\"", "=A3+1"})
            EXPECT_NE(whole.find(expected), std::string::npos) << prefix << ": " << expected << "\n" << whole;
        EXPECT_EQ(whole.find("ruby"), std::string::npos);
        // Cut into small chunks, no cell arrives whole and the elements carry every cell.
        for (const size_t chunk : {1u, 5u, 64u}) EXPECT_EQ(dumpRead(part, chunk), whole) << prefix << " " << chunk;
    }
}

// Counts the cells the scanner hands on whole, and names the elements it hands on one by one.
class ShapeRecorder : public XmlHandler, public CellSink {
public:
    void startElement(const XmlName& name, const XmlAttributes&) override { elements += std::string(name.local) + " "; }
    void endElement(const XmlName&) override {}
    void text(std::string_view) override {}
    void cell(const ScannedCell& c) override {
        ++whole;
        texts += std::string(c.value.value_or("-")) + "|" + std::string(c.formula.value_or("-")) + "|" +
                 std::string(c.inlineText.value_or("-")) + " ";
    }
    int whole = 0;
    std::string elements, texts;
};

TEST(FilesSheetXml, PlainCellsAreReadWholeAndOthersByElement) {
    ShapeRecorder recorder;
    SheetDataScanner scanner(recorder, "", &recorder);
    std::string rest;
    ASSERT_TRUE(
        scanner.feed("<row><c r=\"A1\" s=\"2\" t=\"str\"><v>a&lt;b</v></c><c/><c r=\"A3\"><f t=\"shared\" "
                     "si=\"0\">1</f></c><c r=\"A4\"><f>A3&amp;\"x\"</f><v>1x</v></c>"
                     "<c t=\"inlineStr\"> <is> <t xml:space=\"preserve\"> s </t> </is> </c>"
                     "<c r=\"B1\" vm=\"1\"><v>1</v></c><c r=\"B2\" r=\"B3\"><v>2</v></c></row></sheetData>",
                     rest));
    EXPECT_EQ(recorder.whole, 4);
    EXPECT_EQ(recorder.texts, "a<b|-|- -|-|- 1x|A3&\"x\"|- -|-| s  ");
    EXPECT_EQ(recorder.elements, "row c f c v c v ");
}

}  // namespace
}  // namespace files::test
