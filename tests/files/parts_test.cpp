// Modelled parts in isolation: styles extended on save, comments and their VML, drawings,
// the workbook part, and the reader running on a worker thread.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "files/background_reader.h"
#include "files/comments_xml.h"
#include "files/drawing_xml.h"
#include "files/file_error.h"
#include "files/shared_strings.h"
#include "files/styles.h"
#include "files/workbook_xml.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"
#include "memory_book.h"

namespace files::test {
namespace {

TEST(FilesStyles, NewFillsAndFormatsAreAppendedAndCounted) {
    const StyleTable table = StyleTable::parse(StyleTable::minimalXml());
    ASSERT_EQ(table.formats.size(), 1u);
    StyleWriter writer(table);
    EXPECT_EQ(writer.formatFor(0, 0, false), 0u);  // nothing to change
    const auto red = writer.formatFor(0, 3, false);
    EXPECT_EQ(red, 1u);
    EXPECT_EQ(writer.formatFor(0, 3, false), red);  // asked again: the same format
    const auto redDate = writer.formatFor(0, 3, true);
    EXPECT_EQ(redDate, 2u);
    const StyleTable again = StyleTable::parse(writer.toXml());
    ASSERT_EQ(again.formats.size(), 3u);
    EXPECT_EQ(again.formats[1].colorIndex, 3);
    EXPECT_FALSE(again.formats[1].isDate);
    EXPECT_EQ(again.formats[2].colorIndex, 3);
    EXPECT_TRUE(again.formats[2].isDate);
    EXPECT_EQ(again.fillColors.size(), 3u);  // one new fill shared by both formats
}

TEST(FilesStyles, EmptyListsAreOpenedUp) {
    const std::string xml =
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><fills count=\"0\"/>"
        "<cellXfs count=\"1\"><xf numFmtId=\"0\"/></cellXfs></styleSheet>";
    const StyleTable table = StyleTable::parse(xml);
    StyleWriter writer(table);
    EXPECT_EQ(writer.formatFor(0, 5, false), 1u);
    const StyleTable again = StyleTable::parse(writer.toXml());
    ASSERT_EQ(again.formats.size(), 2u);
    EXPECT_EQ(again.formats[1].colorIndex, 5);
}

TEST(FilesSharedStrings, RichTextIsFlattenedAndKeptAsWritten) {
    const std::string xml =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>plain</t></si>"
        "<si><r><rPr><b/></rPr><t>bold</t></r><r><t xml:space=\"preserve\"> and plain: 10:30</t></r></si>"
        "<si><t>kanji</t><rPh sb=\"0\" eb=\"1\"><t>KANA</t></rPh></si></sst>";
    RichStrings rich;
    const auto strings = parseSharedStrings(xml, &rich);
    ASSERT_EQ(strings, (std::vector<std::u16string>{u"plain", u"bold and plain: 10:30", u"kanji"}));
    EXPECT_EQ(rich.size(), 2u);
    SharedStringWriter writer(&rich);
    EXPECT_EQ(writer.indexOf(u"bold and plain: 10:30"), 0u);
    EXPECT_EQ(writer.indexOf(u"new"), 1u);
    EXPECT_EQ(writer.indexOf(u"bold and plain: 10:30"), 0u);
    const std::string out = writer.toXml();
    EXPECT_NE(out.find("<si><r><rPr><b/></rPr><t>bold</t></r>"), std::string::npos);
    EXPECT_NE(out.find("count=\"3\" uniqueCount=\"2\""), std::string::npos);
    EXPECT_EQ(parseSharedStrings(out), (std::vector<std::u16string>{u"bold and plain: 10:30", u"new"}));
}

TEST(FilesComments, RoundTripWithAuthors) {
    const std::string xml = commentsToXml(
        {{{2, 3}, {u"first & <one>", u"Ann"}}, {{5, 1}, {u"second", u"Bob"}}, {{6, 1}, {u"third", u"Ann"}}});
    const CommentMap read = parseComments(xml);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read.at({2, 3}).text, u"first & <one>");
    EXPECT_EQ(read.at({6, 1}).author, u"Ann");
    EXPECT_EQ(read.at({5, 1}).author, u"Bob");
}

TEST(FilesComments, NoteBoxesAreReplacedAndOtherShapesKept) {
    const std::string kept =
        "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\">\n"
        "<v:shape id=\"_x0000_s1025\" type=\"#_x0000_t202\"><x:ClientData "
        "ObjectType=\"Note\"><x:Row>0</x:Row></x:ClientData></v:shape>\n"
        "<v:shape id=\"_x0000_s1030\" type=\"#_x0000_t201\"><br><x:ClientData "
        "ObjectType=\"Button\"/></v:shape>\n</xml>";
    const std::string vml = vmlWithNotes(kept, {{4, 2}});
    EXPECT_EQ(vml.find("_x0000_s1025"), std::string::npos);
    EXPECT_NE(vml.find("ObjectType=\"Button\""), std::string::npos);
    EXPECT_NE(vml.find("<x:Row>3</x:Row><x:Column>1</x:Column>"), std::string::npos);
    EXPECT_NE(vml.find("id=\"_x0000_s1031\""), std::string::npos);  // after the ids in use
    EXPECT_NE(vml.find("<v:shapetype id=\"_x0000_t202\""), std::string::npos);
    EXPECT_THROW(vmlWithNotes("<xml>", {{1, 1}}), FormatError);
}

TEST(FilesDrawings, DeletedObjectsLeaveAndTextIsRewritten) {
    DrawingPartData data;
    const std::string xml =
        "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\" "
        "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
        "<xdr:absoluteAnchor><xdr:sp><xdr:nvSpPr><xdr:cNvPr id=\"1\" name=\"A\"/></xdr:nvSpPr>"
        "<xdr:txBody><a:bodyPr/><a:p><a:r><a:t>one</a:t></a:r></a:p></xdr:txBody></xdr:sp></xdr:absoluteAnchor>"
        "<xdr:absoluteAnchor><xdr:cxnSp><xdr:nvCxnSpPr><xdr:cNvPr id=\"2\" "
        "name=\"Line\"/></xdr:nvCxnSpPr></xdr:cxnSp></xdr:absoluteAnchor>"
        "</xdr:wsDr>";
    std::vector<DrawingObject> objects = readDrawing(xml, data);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].frameText, u"one");
    EXPECT_FALSE(objects[1].frameText.has_value());
    objects[0].frameText = u"two\nthree";
    objects.pop_back();
    const DrawingWrite w = writeDrawing(data, objects, nullptr);
    EXPECT_EQ(w.xml.find("Line"), std::string::npos);
    DrawingPartData again;
    const auto reread = readDrawing(w.xml, again);
    ASSERT_EQ(reread.size(), 1u);
    EXPECT_EQ(reread[0].frameText, u"two\nthree");
    objects.clear();
    EXPECT_TRUE(writeDrawing(data, objects, nullptr).xml.empty());
    DrawingObject added;
    EXPECT_EQ(writeDrawing(data, {added}, nullptr).notes.size(), 1u);
}

TEST(FilesWorkbookPart, SheetListActiveTabAndRecalculation) {
    const WorkbookPart part = parseWorkbookXml(
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<bookViews><workbookView firstSheet=\"1\" activeTab=\"1\"/></bookViews><sheets>"
        "<sheet name=\"A &amp; B\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"C\" sheetId=\"4\" state=\"veryHidden\" "
        "r:id=\"rId2\"/>"
        "</sheets></workbook>");
    ASSERT_EQ(part.sheets.size(), 2u);
    EXPECT_EQ(part.sheets[0].name, u"A & B");
    EXPECT_EQ(part.sheets[1].visibility, host::xlSheetVeryHidden);
    EXPECT_EQ(part.activeTab, 1);
    std::vector<std::u16string> notes;
    const std::string xml = writeWorkbookXml(part, {{{u"C", "4", 0, "rId2"}, 1}}, 0, notes);
    const WorkbookPart again = parseWorkbookXml(xml);
    ASSERT_EQ(again.sheets.size(), 1u);
    EXPECT_EQ(again.sheets[0].visibility, host::xlSheetHidden);
    EXPECT_EQ(again.activeTab, 0);
    EXPECT_NE(xml.find("<calcPr fullCalcOnLoad=\"1\"/>"), std::string::npos);
    EXPECT_EQ(xml.find("firstSheet"), std::string::npos);
}

TEST(FilesBackgroundReader, DeliversEverythingInOrder) {
    MemoryBook target;
    readInBackground(
        [](BookSink& sink) {
            SheetSink& a = sink.addSheet(u"A", host::xlWorksheet, -1);
            for (long r = 1; r <= 50000; ++r) {
                Cell c;
                c.value = host::Variant(static_cast<double>(r));
                a.setCell(r, 1, std::move(c));
            }
            SheetSink& b = sink.addSheet(u"B", host::xlWorksheet, 0);
            b.setSelection({Area{2, 2, 2, 2}}, 2, 2);
            sink.setActiveSheet(1);
        },
        target);
    ASSERT_EQ(target.sheets.size(), 2u);
    EXPECT_EQ(target[0].cells.size(), 50000u);
    EXPECT_EQ(target[0].cells.at({50000, 1}).value, host::Variant(50000.0));
    EXPECT_EQ(target[1].activeR, 2);
    EXPECT_EQ(target.active, 1u);
}

// Plain texts travel as their bytes and are made into texts on the applying side: each
// arrives in its cell with the rest of the cell, in order with the cells around it, across
// batches cut by their count and by their texts' size; a text repeated down a column is kept
// once (each of the 401 texts here comes 100 times in a row).
TEST(FilesBackgroundReader, PlainTextsArriveWholeAndRepeatsShareOneText) {
    MemoryBook target;
    const long rows = 40000;  // more cells than one batch holds
    auto item = [](long r) { return "item-" + std::to_string(r / 100); };
    auto longText = [](long r) { return std::string(30000, static_cast<char>('a' + r / 1000 % 26)); };
    readInBackground(
        [&](BookSink& sink) {
            RecentTexts unused;  // the queue makes its texts on the other side
            SheetSink& s = sink.addSheet(u"T", host::xlWorksheet, -1);
            for (long r = 1; r <= rows; ++r) {
                Cell styled;
                styled.styleId = static_cast<std::uint32_t>(r % 3);
                s.setAsciiTextCell(r, 1, std::move(styled), item(r), unused);
                if (r % 1000 == 0) {  // 40 texts of 30,000 bytes: more than a batch's texts
                    s.setAsciiTextCell(r, 2, Cell{}, longText(r), unused);
                } else {
                    Cell number;
                    number.value = host::Variant(static_cast<double>(r));
                    s.setCell(r, 2, std::move(number));
                }
            }
        },
        target);
    ASSERT_EQ(target.sheets.size(), 1u);
    ASSERT_EQ(target[0].cells.size(), static_cast<size_t>(2 * rows));
    std::set<const char16_t*> stored;
    for (long r = 1; r <= rows; ++r) {
        const Cell& first = target[0].cells.at({r, 1});
        ASSERT_EQ(first.value, host::Variant(host::utf16(item(r)))) << "row " << r;
        ASSERT_EQ(first.styleId, static_cast<std::uint32_t>(r % 3)) << "row " << r;
        stored.insert(first.value.text().data());
        const host::Variant second = target[0].cells.at({r, 2}).value;
        if (r % 1000 == 0)
            ASSERT_EQ(second, host::Variant(host::utf16(longText(r)))) << "row " << r;
        else
            ASSERT_EQ(second, host::Variant(static_cast<double>(r))) << "row " << r;
    }
    EXPECT_EQ(stored.size(), 401u);
}

class RefusingBook : public MemoryBook {
public:
    SheetSink& addSheet(const std::u16string& name, int type, int visibility) override {
        if (name == u"bad") throw host::Error(host::errApplication, "refused");
        return MemoryBook::addSheet(name, type, visibility);
    }
};

TEST(FilesBackgroundReader, ErrorsFromEitherSideArriveHere) {
    MemoryBook target;
    EXPECT_THROW(readInBackground([](BookSink&) { throw FormatError("worker side"); }, target), FormatError);
    RefusingBook refusing;
    // The worker keeps producing after the refusal; it must be stopped, not left waiting.
    EXPECT_THROW(readInBackground(
                     [](BookSink& sink) {
                         sink.addSheet(u"bad", host::xlWorksheet, -1);
                         for (long r = 1; r <= 2000000; ++r) sink.setActiveSheet(0);
                         SheetSink& s = sink.addSheet(u"ok", host::xlWorksheet, -1);
                         Cell one;
                         one.value = host::Variant(1.0);
                         for (long r = 1; r <= 1000000; ++r) s.setCell(r, 1, one);
                     },
                     refusing),
                 host::Error);
}

}  // namespace
}  // namespace files::test
