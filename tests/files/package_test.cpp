// Package plumbing: relationship targets, content types, part names, splicing and the zip
// container's round trip, in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "files/content_types.h"
#include "files/file_error.h"
#include "files/package.h"
#include "files/relationships.h"
#include "files/xlsx_reader.h"
#include "files/xlsx_writer.h"
#include "files/xml_splice.h"
#include "files/zip_archive.h"
#include "memory_book.h"
#include "zipfile_check.h"

namespace files::test {
namespace {

TEST(FilesRelationships, TargetsResolveRelativeOrAbsolute) {
    const struct {
        const char* source;
        const char* target;
        const char* part;
    } cases[] = {{"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
                 {"xl/workbook.xml", "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
                 {"xl/worksheets/sheet1.xml", "../drawings/drawing1.xml", "xl/drawings/drawing1.xml"},
                 {"xl/worksheets/sheet1.xml", "./../media/a%20b.png", "xl/media/a b.png"},
                 {"", "xl/workbook.xml", "xl/workbook.xml"},
                 {"xl/workbook.xml", "../../../x.xml", "x.xml"}};
    for (const auto& c : cases) EXPECT_EQ(resolveTarget(c.source, c.target), c.part) << c.target;
    EXPECT_EQ(relativeTarget("xl/worksheets/sheet1.xml", "xl/comments1.xml"), "../comments1.xml");
    EXPECT_EQ(relativeTarget("xl/workbook.xml", "xl/worksheets/sheet9.xml"), "worksheets/sheet9.xml");
    EXPECT_EQ(relsPartName("xl/workbook.xml"), "xl/_rels/workbook.xml.rels");
    EXPECT_EQ(relsPartName(""), "_rels/.rels");
}

TEST(FilesRelationships, RoundTripAndFreshIds) {
    Relationships rels = Relationships::parse(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
        "Target=\"https://x.org/?a=1&amp;b=2\" TargetMode=\"External\"/></Relationships>");
    ASSERT_EQ(rels.items.size(), 1u);
    EXPECT_TRUE(rels.items[0].external);
    EXPECT_EQ(rels.items[0].target, "https://x.org/?a=1&b=2");
    EXPECT_EQ(rels.add("comments", "../comments1.xml"), "rId3");  // rId2 is taken
    const Relationships again = Relationships::parse(rels.toXml());
    ASSERT_EQ(again.items.size(), 2u);
    EXPECT_EQ(again.items[0].target, "https://x.org/?a=1&b=2");
    EXPECT_EQ(again.items[1].kind(), "comments");
}

TEST(FilesContentTypes, OverridesWinOverDefaults) {
    ContentTypes types = ContentTypes::parse(
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"XML\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"main\"/></Types>");
    EXPECT_EQ(types.of("xl/workbook.xml"), "main");
    EXPECT_EQ(types.of("/XL/Workbook.xml"), "main");
    EXPECT_EQ(types.of("xl/other.xml"), "application/xml");
    EXPECT_EQ(types.of("xl/x.bin"), "");
    types.setOverride("xl/workbook.xml", "changed");
    types.removeOverride("xl/none.xml");
    EXPECT_EQ(ContentTypes::parse(types.toXml()).of("xl/workbook.xml"), "changed");
}

TEST(FilesPackage, UnreachablePartsAreFound) {
    Package p;
    Relationships root;
    root.items.push_back({"rId1", "x/officeDocument", "xl/workbook.xml", false});
    p.setRels("", root);
    p.put("xl/workbook.xml", "<w/>");
    Relationships wb;
    wb.items.push_back({"rId1", "x/styles", "/xl/styles.xml", false});
    p.setRels("xl/workbook.xml", wb);
    p.put("xl/styles.xml", "<s/>");
    p.put("xl/orphan.xml", "<o/>");
    EXPECT_EQ(p.unreachable(), std::vector<std::string>{"xl/orphan.xml"});
}

TEST(FilesXmlSplice, AttributesAndEdits) {
    std::string tag = "<xf numFmtId=\"0\" fillId='2'/>";
    setAttribute(tag, "fillId", "7");
    setAttribute(tag, "applyFill", "1");
    EXPECT_EQ(tag, "<xf numFmtId=\"0\" fillId='7' applyFill=\"1\"/>");
    removeAttribute(tag, "numFmtId");
    EXPECT_EQ(tag, "<xf fillId='7' applyFill=\"1\"/>");
    EXPECT_EQ(attributeOf("<c a=\"x>y\" b=\"2\">", "b"), "2");
    EXPECT_EQ(applyEdits("abcdef", {{4, 4, "X"}, {1, 3, ""}, {4, 4, "Y"}}), "adXYef");
}

TEST(FilesZip, WritesInMemoryAndReadsBack) {
    ScratchDir dir;
    ZipWriter writer;
    writer.add("one.txt", "first");
    writer.add("dir/two.txt", std::string(100000, 'z'), true);
    const std::string bytes = writer.close();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path(""))) << "the writer put something on disk";
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_LT(bytes.size(), 10000u) << "the long run of z was not deflated";
    writeFile(dir.path("a.zip"), bytes);
    ZipReader reader(dir.path("a.zip"), {});
    EXPECT_EQ(reader.names(), (std::vector<std::string>{"one.txt", "dir/two.txt"}));
    EXPECT_EQ(reader.read("one.txt"), "first");
    EXPECT_EQ(reader.read("dir/two.txt"), std::string(100000, 'z'));
    EXPECT_THROW(reader.read("missing"), FormatError);
    EXPECT_THROW(writer.close(), FormatError);
}

// Parts past a size are deflated on threads of their own and copied in as deflated bytes:
// the entries keep the order they were added in, and Python's zipfile checks every CRC.
TEST(FilesZip, LargeEntriesDeflatedInTheBackgroundKeepOrderAndChecksums) {
    ScratchDir dir;
    auto text = [](size_t bytes, unsigned seed) {
        std::string out;
        for (unsigned n = seed; out.size() < bytes; n = n * 1103515245u + 12345u)
            out += "<c r=\"A" + std::to_string(n % 100000) + "\"><v>" + std::to_string(n >> 8) + "</v></c>";
        return out;
    };
    const std::string big1 = text(ZipWriter::kBackgroundBytes * 3, 1), big2 = text(ZipWriter::kBackgroundBytes + 1, 2);
    ZipWriter writer;
    writer.add("a.xml", "small");
    writer.add("big1.xml", big1, true);
    writer.add("b.xml", "also small");
    writer.add("big2.xml", big2);
    writeFile(dir.path("big.zip"), writer.close());
    ZipReader reader(dir.path("big.zip"), {});
    EXPECT_EQ(reader.names(), (std::vector<std::string>{"a.xml", "big1.xml", "b.xml", "big2.xml"}));
    EXPECT_EQ(reader.read("big1.xml"), big1);
    EXPECT_EQ(reader.read("big2.xml"), big2);
    EXPECT_EQ(reader.read("b.xml"), "also small");
    EXPECT_LT(std::filesystem::file_size(dir.path("big.zip")), (big1.size() + big2.size()) / 2) << "not deflated";
    const std::string check = zipfileCheck(dir.path("big.zip"));
    if (check.empty()) GTEST_SKIP() << "/usr/bin/python3 could not read the archive back";
    EXPECT_EQ(check, "None [8, 8, 8, 8]\n") << "zipfile found a bad CRC or a stored entry";
}

// A part made piece by piece, once past kBackgroundBytes, is deflated while it is made: it
// reads back the same and zipfile finds its CRC right; a small made part is added whole; and
// arrange() sets the order, dropping what it does not name.
TEST(FilesZip, MadePartsReadBackAndTakeTheArrangedOrder) {
    ScratchDir dir;
    std::string big;
    ZipWriter writer;
    writer.add("dropped.xml", "left out");
    writer.addMade("big.xml", [&](const ZipWriter::PieceSink& out) {
        for (unsigned n = 1; big.size() < ZipWriter::kBackgroundBytes * 3; n = n * 1103515245u + 12345u) {
            const std::string piece =
                "<c r=\"A" + std::to_string(n % 100000) + "\"><v>" + std::to_string(n >> 8) + "</v></c>";
            big += piece;
            out(piece);
        }
        const std::string oneBigPiece(ZipWriter::kBackgroundBytes * 2, 'q');
        big += oneBigPiece;
        out(oneBigPiece);
    });
    writer.addMade("small.xml", [](const ZipWriter::PieceSink& out) {
        out("<a>");
        out("</a>");
    });
    writer.add("first.xml", "1");
    EXPECT_TRUE(writer.holds("big.xml"));
    EXPECT_FALSE(writer.holds("none.xml"));
    writer.arrange({"first.xml", "big.xml", "small.xml"});
    std::string archive;
    size_t pieces = 0;
    writer.close([&](std::string_view piece) {
        archive += piece;
        ++pieces;
    });
    EXPECT_GT(pieces, 0u);
    writeFile(dir.path("made.zip"), archive);
    ZipReader reader(dir.path("made.zip"), {});
    EXPECT_EQ(reader.names(), (std::vector<std::string>{"first.xml", "big.xml", "small.xml"}));
    EXPECT_EQ(reader.read("big.xml"), big);
    EXPECT_EQ(reader.read("small.xml"), "<a></a>");
    EXPECT_EQ(reader.read("first.xml"), "1");
    EXPECT_LT(std::filesystem::file_size(dir.path("made.zip")), big.size() / 2) << "not deflated";
    const std::string check = zipfileCheck(dir.path("made.zip"));
    if (check.empty()) GTEST_SKIP() << "/usr/bin/python3 could not read the archive back";
    EXPECT_EQ(check, "None [8, 8, 8]\n") << "zipfile found a bad CRC or a stored entry";
}

// Parts another deflater made (zlib, at another level than ours, in an archive written byte
// by byte) read back the same, handed over in chunks; a stored part and an empty deflated
// one too, next to them.
TEST(FilesZip, PartsAnotherDeflaterMadeReadBackInChunks) {
    ScratchDir dir;
    std::string big;
    for (unsigned n = 7; big.size() < (6u << 20); n = n * 1103515245u + 12345u)
        big += "<row r=\"" + std::to_string(n % 1000000) + "\"><c><v>" + std::to_string(n >> 7) + "</v></c></row>";
    const std::string plain = "<stored>as it is</stored>";
    const RawEntry stored{"stored.xml", plain, 0, zlibCrc(plain), static_cast<std::uint32_t>(plain.size())};
    writeFile(dir.path("zlib.zip"), zipOf({zlibEntry("big.xml", big), stored, zlibEntry("empty.xml", "")}));
    ASSERT_GT(zlibDeflated(big).size(), 4u << 16) << "the deflated bytes should take several reads";

    ZipReader reader(dir.path("zlib.zip"), {});
    EXPECT_EQ(reader.read("big.xml"), big);
    EXPECT_EQ(reader.read("stored.xml"), plain);
    EXPECT_EQ(reader.read("empty.xml"), "");
    std::string streamed;
    size_t chunks = 0, largest = 0;
    reader.stream("big.xml", [&](std::string_view chunk) {
        streamed += chunk;
        ++chunks;
        largest = std::max(largest, chunk.size());
    });
    EXPECT_EQ(streamed, big);
    EXPECT_GT(chunks, 50u);
    EXPECT_LE(largest, 1u << 16) << "handed over in chunks of at most 64 KiB";

    const std::string check = zipfileCheck(dir.path("zlib.zip"));
    if (check.empty()) GTEST_SKIP() << "/usr/bin/python3 could not read the archive back";
    EXPECT_EQ(check, "None [8, 0, 8]\n") << "the archive written byte by byte is not a sound zip archive";
}

TEST(FilesZip, SavingLeavesOnlyTheWorkbookInItsFolder) {
    ScratchDir dir;
    MemoryBook book;
    readXlsx(dataPath("handmade/book.xlsx"), book);
    writeXlsx(book, dir.path("saved.xlsx"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path("")))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"saved.xlsx"});
    EXPECT_TRUE(ZipReader(dir.path("saved.xlsx"), {}).contains("xl/workbook.xml"));
}

}  // namespace
}  // namespace files::test
