// Bad input: every damaged or hostile file gives a FileError that names the file and the
// problem, never a crash, and the file is left as it was.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include "files/file_data.h"
#include "files/file_error.h"
#include "files/sheet_data_scanner.h"
#include "files/xlsx_reader.h"
#include "files/zip_archive.h"
#include "memory_book.h"
#include "zipfile_check.h"

namespace files::test {
namespace {

// The hand-made fixture with some parts replaced (std::nullopt removes one).
std::string variant(const ScratchDir& dir, const std::map<std::string, std::optional<std::string>>& changes) {
    ZipReader original(dataPath("handmade/book.xlsx"), {});
    const std::string path = dir.path("variant.xlsx");
    ZipWriter out;
    for (const std::string& name : original.names()) {
        const auto change = changes.find(name);
        if (change == changes.end())
            out.add(name, original.read(name));
        else if (change->second)
            out.add(name, *change->second);
    }
    for (const auto& [name, bytes] : changes)
        if (bytes && !original.contains(name)) out.add(name, *bytes);
    writeFile(path, out.close());
    return path;
}

std::string sheetWith(const std::string& cells) {
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + cells +
           "</sheetData></worksheet>";
}

// Reading must fail with a message naming the file and containing `problem`.
void expectRefused(const std::string& path, const std::string& problem, InflateLimits limits = {}) {
    const std::string before = readFile(path);
    MemoryBook book;
    try {
        readXlsx(path, book, limits);
        ADD_FAILURE() << "read without complaint, expected: " << problem;
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), path);
        EXPECT_NE(std::string(e.what()).find(problem), std::string::npos) << e.what();
    }
    EXPECT_EQ(readFile(path), before);
}

TEST(FilesBadInput, NotAZipFile) {
    ScratchDir dir;
    writeFile(dir.path("text.xlsx"), "just some text, not an archive");
    expectRefused(dir.path("text.xlsx"), "not a readable zip archive");
}

TEST(FilesBadInput, TruncatedArchive) {
    ScratchDir dir;
    const std::string whole = readFile(dataPath("handmade/book.xlsx"));
    writeFile(dir.path("cut.xlsx"), whole.substr(0, whole.size() / 2));
    expectRefused(dir.path("cut.xlsx"), "zip");
}

TEST(FilesBadInput, MissingParts) {
    ScratchDir dir;
    expectRefused(variant(dir, {{"[Content_Types].xml", std::nullopt}}), "[Content_Types].xml is missing");
    expectRefused(variant(dir, {{"xl/workbook.xml", std::nullopt}}), "workbook part xl/workbook.xml is missing");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", std::nullopt}}), "sheet \"Prefixed\": its part");
    expectRefused(variant(dir, {{"xl/drawings/drawing1.xml", std::nullopt}}), "drawing part");
}

TEST(FilesBadInput, MalformedXml) {
    ScratchDir dir;
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A1\"><v>1</v></row>")}}),
                  "malformed XML in the cells: <c> is closed by </row>");
    expectRefused(variant(dir, {{"xl/sharedStrings.xml", std::string("<sst><si><t>open")}}),
                  "shared strings: malformed XML");
    expectRefused(
        variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A1\"><v>&bogus;</v></c></row>")}}),
        "the entity &bogus; is not defined");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", std::string("<worksheet><sheetData><row r=\"1\">")}}),
                  "the part ends inside <sheetData>");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"/>") + "<extra/>"}}),
                  "malformed XML at line 1");
}

TEST(FilesBadInput, EntityExpansionIsRefused) {
    ScratchDir dir;
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>&b;</t></si></sst>";
    expectRefused(variant(dir, {{"xl/sharedStrings.xml", laughs}}), "document type declaration is not allowed");
}

TEST(FilesBadInput, AbsurdDimensions) {
    ScratchDir dir;
    expectRefused(
        variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>")}}),
        "\"XFE1\" is not valid or lies outside the sheet");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1048577\"/>")}}),
                  "row 1048577 is outside the sheet");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A99999999999\"/></row>")}}),
                  "outside the sheet");
}

TEST(FilesBadInput, OverlongText) {
    ScratchDir dir;
    const std::string text(32768, 'x');
    expectRefused(
        variant(dir, {{"xl/worksheets/sheet2.xml",
                       sheetWith("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + text + "</t></is></c></row>")}}),
        "longer than 32,767 characters");
    const std::string sst =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>" + text + "</t></si></sst>";
    expectRefused(variant(dir, {{"xl/sharedStrings.xml", sst}}), "longer than 32,767 characters");
    // One character less is a valid cell.
    const std::string fits(32767, 'y');
    MemoryBook book;
    readXlsx(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" +
                                                                  fits + "</t></is></c></row>")}}),
             book);
    EXPECT_EQ(book[1].cells.at({1, 1}).value.text().size(), 32767u);
}

TEST(FilesBadInput, DuplicateSheetNames) {
    ScratchDir dir;
    ZipReader original(dataPath("handmade/book.xlsx"), {});
    std::string workbook = original.read("xl/workbook.xml");
    workbook.replace(workbook.find("name=\"Prefixed\""), 15, "name=\"EDGE CASES\"");
    expectRefused(variant(dir, {{"xl/workbook.xml", workbook}}), "two sheets are named \"EDGE CASES\"");
}

TEST(FilesBadInput, MissingSharedString) {
    ScratchDir dir;
    expectRefused(
        variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>7</v></c></row>")}}),
        "shared string 7, which does not exist");
}

// The hand-made fixture written byte by byte, its parts deflated by zlib, with `sheet` for
// xl/worksheets/sheet2.xml and `damage` done to that entry.
std::string byteByByte(const ScratchDir& dir, const std::string& file, const std::string& sheet,
                       const std::function<void(RawEntry&)>& damage) {
    ZipReader original(dataPath("handmade/book.xlsx"), {});
    std::vector<RawEntry> entries;
    for (const std::string& name : original.names()) {
        const bool damaged = name == "xl/worksheets/sheet2.xml";
        entries.push_back(zlibEntry(name, damaged ? sheet : original.read(name)));
        if (damaged) damage(entries.back());
    }
    const std::string path = dir.path(file);
    writeFile(path, zipOf(entries));
    return path;
}

// A deflated part whose bytes are damaged, cut short, or that does not inflate to the CRC or
// the size its entry records, is refused as damaged, naming the part.
TEST(FilesBadInput, DamagedDeflatedPartsAreRefused) {
    ScratchDir dir;
    std::string rows;
    for (long row = 1; rows.size() < (3u << 20); ++row)
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\"><v>" +
                std::to_string(row * 7919 % 100003) + "</v></c></row>";
    const std::string sheet = sheetWith(rows);
    MemoryBook book;
    readXlsx(byteByByte(dir, "sound.xlsx", sheet, [](RawEntry&) {}), book);
    EXPECT_EQ(book[1].cells.at({2, 1}).value, host::Variant(static_cast<double>(2 * 7919 % 100003)));

    const std::string part = "the part xl/worksheets/sheet2.xml is damaged (";
    // Read whole, and read by the workbook's reader, which names the file.
    const auto refused = [&](const std::string& file, const std::function<void(RawEntry&)>& damage,
                             const std::string& problem) {
        const std::string path = byteByByte(dir, file, sheet, damage);
        ZipReader reader(path, {});
        try {
            reader.read("xl/worksheets/sheet2.xml");
            ADD_FAILURE() << file << " read without complaint, expected: " << problem;
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(part + problem), std::string::npos) << e.what();
        }
        expectRefused(path, part + problem);
    };
    refused(
        "cut.xlsx", [](RawEntry& e) { e.stored.resize(e.stored.size() / 2); },
        "its deflated bytes end before the deflate stream does)");
    // Cut where a block ends (a sync flush): nothing is wrong with it but its end.
    refused(
        "flushed.xlsx", [&](RawEntry& e) { e.stored = zlibDeflated(sheet, false); },
        "its deflated bytes end before the deflate stream does)");
    refused(
        "crc.xlsx", [](RawEntry& e) { e.crc ^= 1; }, "CRC error)");
    refused(
        "short.xlsx", [](RawEntry& e) { e.size += 1000; },
        "it inflates to fewer bytes than its archive entry records)");
    // A block of the reserved type 3 (the first byte: final block, type bits 11).
    refused(
        "reserved.xlsx", [](RawEntry& e) { e.stored[0] = '\x07'; },
        "its deflated bytes are not a valid deflate stream)");
    // Bytes changed in the middle inflate to something else, here to more than the entry
    // records: refused as that; the workbook's reader may trip over the changed XML first.
    const std::string flipped = byteByByte(dir, "flipped.xlsx", sheet, [](RawEntry& e) {
        for (size_t i = 0; i < 64; ++i) e.stored[e.stored.size() / 2 + i] ^= '\x5A';
    });
    ZipReader reader(flipped, {});
    EXPECT_THROW(reader.read("xl/worksheets/sheet2.xml"), FormatError);
    expectRefused(flipped, "");
}

// A sheet with `bytes` of `unit` repeated between its two rows.
std::string paddedSheet(size_t bytes, const std::string& unit = " ") {
    std::string filler;
    filler.reserve(bytes);
    while (filler.size() + unit.size() <= bytes) filler += unit;
    return sheetWith("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + filler +
                     "<row r=\"2\"><c r=\"A2\"><v>2</v></c></row>");
}

// The bounds with a floor of 1 MiB, so that archives of a few megabytes show each of them.
InflateLimits smallLimits() {
    InflateLimits limits;
    limits.ratioFloorBytes = 1u << 20;
    return limits;
}

// Opening the archive (inflating nothing) must fail with `problem`.
void expectRefusedWhenOpened(const std::string& path, const InflateLimits& limits, const std::string& problem) {
    try {
        ZipReader reader(path, limits);
        ADD_FAILURE() << "opened without complaint, expected: " << problem;
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find(problem), std::string::npos) << e.what();
    }
}

// The archive with another inflated size recorded for `name`, in its local and central
// headers alike, as a forged archive would have it.
std::string withRecordedSize(std::string zip, const std::string& name, std::uint32_t size) {
    const auto u16 = [&](size_t at) {
        return static_cast<size_t>(static_cast<unsigned char>(zip[at])) |
               static_cast<size_t>(static_cast<unsigned char>(zip[at + 1])) << 8;
    };
    int patched = 0;
    // Signature, where the name's length is, where the name is, where the inflated size is.
    const struct {
        std::string_view signature;
        size_t nameLength, name, inflated;
    } headers[] = {{std::string_view("PK\x03\x04", 4), 26, 30, 22}, {std::string_view("PK\x01\x02", 4), 28, 46, 24}};
    for (const auto& h : headers)
        for (size_t at = zip.find(h.signature); at != std::string::npos; at = zip.find(h.signature, at + 4)) {
            if (u16(at + h.nameLength) != name.size() || zip.compare(at + h.name, name.size(), name) != 0) continue;
            for (int i = 0; i < 4; ++i) zip[at + h.inflated + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
            ++patched;
        }
    EXPECT_EQ(patched, 2);
    return zip;
}

TEST(FilesZipBombs, RecordedSizesPastABoundAreRefusedWhenTheArchiveIsOpened) {
    ScratchDir dir;
    // 4 MiB of spaces deflate to a few kilobytes: about a thousand to one.
    const std::string path = variant(dir, {{"xl/worksheets/sheet2.xml", paddedSheet(4u << 20)}});
    expectRefusedWhenOpened(
        path, smallLimits(),
        "the part xl/worksheets/sheet2.xml inflates to more than 100 times its compressed size (a zip bomb?)");
    InflateLimits limits;
    limits.maxEntryBytes = 2u << 20;
    expectRefusedWhenOpened(path, limits,
                            "the part xl/worksheets/sheet2.xml inflates to more than 2 MiB (a zip bomb?)");
    limits = {};
    limits.maxTotalBytes = 1u << 20;
    expectRefusedWhenOpened(path, limits,
                            "the package inflates to more than 1 MiB in all, reaching it at xl/worksheets/sheet2.xml");
    // The reader says so, naming the file.
    expectRefused(path, "the part xl/worksheets/sheet2.xml inflates to more than 100 times its compressed size",
                  smallLimits());
    // Below the floor, the same inflation is allowed.
    MemoryBook book;
    readXlsx(path, book);
    EXPECT_EQ(book[1].cells.at({2, 1}).value, host::Variant(2.0));
}

TEST(FilesZipBombs, ThePackageAsAWholeIsBoundByItsCompressedSize) {
    ScratchDir dir;
    // Each part below the floor, together past it at about a thousand to one.
    const std::string filler(700u << 10, ' ');
    const std::string path = variant(
        dir, {{"docProps/filler1.xml", filler}, {"docProps/filler2.xml", filler}, {"docProps/filler3.xml", filler}});
    expectRefusedWhenOpened(
        path, smallLimits(),
        "the package inflates to more than 100 times its compressed size, reaching it at docProps/filler");
    InflateLimits generous = smallLimits();
    generous.maxRatio = 2000;
    EXPECT_NO_THROW(ZipReader(path, generous));
}

TEST(FilesZipBombs, APartInflatingPastItsRecordedSizeIsStoppedThere) {
    ScratchDir dir;
    const std::string original = variant(dir, {{"xl/worksheets/sheet2.xml", paddedSheet(4u << 20)},
                                               {"xl/sharedStrings.xml", std::string(3u << 20, ' ') + "<sst/>"}});
    std::string zip = withRecordedSize(readFile(original), "xl/worksheets/sheet2.xml", 100000);
    writeFile(dir.path("forged.xlsx"), withRecordedSize(zip, "xl/sharedStrings.xml", 200000));
    ZipReader reader(dir.path("forged.xlsx"), {});  // the sizes it records are harmless
    size_t handed = 0;
    try {
        reader.stream("xl/worksheets/sheet2.xml", [&](std::string_view chunk) { handed += chunk.size(); });
        ADD_FAILURE() << "inflated past the recorded size";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("the part xl/worksheets/sheet2.xml inflates to more than the 100000 bytes "
                                             "its archive entry records (a forged archive)"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_LE(handed, 100000u);
    EXPECT_THROW(reader.read("xl/sharedStrings.xml"), FormatError);
    expectRefused(dir.path("forged.xlsx"), "inflates to more than the ");
}

TEST(FilesZipBombs, BigPartsThatDeflateAsCellsDoAreRead) {
    ScratchDir dir;
    // Six megabytes of numbers: past the floor, but only a few times their compressed size.
    std::string rows;
    std::uint32_t seed = 12345;
    long row = 0;
    while (rows.size() < (6u << 20)) {
        seed = seed * 1664525u + 1013904223u;
        ++row;
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\"><v>" +
                std::to_string(seed % 100000) + "</v></c></row>";
    }
    MemoryBook book;
    readXlsx(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith(rows)}}), book, smallLimits());
    EXPECT_EQ(book[1].cells.size(), static_cast<size_t>(row));
    EXPECT_EQ(book[1].cells.at({row, 1}).value, host::Variant(static_cast<double>(seed % 100000)));
}

TEST(FilesHostileXml, LongRunsBetweenElementsAreReadAndKept) {
    ScratchDir dir;
    const std::string head(8u << 20, '\n');
    std::string sheet = paddedSheet(8u << 20, "\t \r\n");
    sheet.insert(sheet.find("<sheetData>"), head);
    MemoryBook book;
    readXlsx(variant(dir, {{"xl/worksheets/sheet2.xml", sheet}}), book);
    EXPECT_EQ(book[1].cells.at({1, 1}).value, host::Variant(1.0));
    EXPECT_EQ(book[1].cells.at({2, 1}).value, host::Variant(2.0));
    const auto* data = dynamic_cast<const SheetFileData*>(book[1].data.get());
    ASSERT_NE(data, nullptr);
    EXPECT_NE(data->xml.find(head + "</worksheet>"), std::string::npos)
        << "the text beside the cells is not kept whole";
}

TEST(FilesHostileXml, OverlongMarkupIsRefused) {
    ScratchDir dir;
    const std::string spaces(5u << 20, ' ');
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<!--" + spaces + "-->")}}),
                  "malformed XML in the cells: a tag, comment or CDATA section longer than 4 MiB");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\" x=\"" + spaces + "\"/>")}}),
                  "malformed XML in the cells: a tag, comment or CDATA section longer than 4 MiB");
    std::string attribute = sheetWith("");
    attribute.insert(attribute.find("<sheetData"), "<sheetPr codeName=\"" + spaces + "\"/>");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", attribute}}),
                  "more than 4 MiB without an element or text");
    std::string longStart = sheetWith("");
    longStart.insert(longStart.find("<sheetData") + 10, spaces);
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", longStart}}), "malformed XML: a tag longer than 4 MiB");
}

TEST(FilesHostileXml, TextGatheredForOneCellIsBounded) {
    ScratchDir dir;
    const std::string text(2u << 20, 'x');
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml",
                                 sheetWith("<row r=\"3\"><c r=\"B3\" t=\"str\"><v>" + text + "</v></c></row>")}}),
                  "the cell at row 3, column 2 holds more than 1 MiB of text");
    std::string runs;
    for (int i = 0; i < 40; ++i) runs += "<r><t>" + std::string(32000, 'y') + "</t></r>";
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>" +
                                                                       runs + "</is></c></row>")}}),
                  "the cell at row 1, column 1 holds more than 1 MiB of text");
}

TEST(FilesHostileXml, DeepNestingAndCountlessElementsAreRefused) {
    ScratchDir dir;
    std::string deep;
    for (int i = 0; i < 300; ++i) deep += "<x>";
    for (int i = 0; i < 300; ++i) deep += "</x>";
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\">" + deep + "</row>")}}),
                  "malformed XML in the cells: elements nested more than 256 deep");
    std::string styles = ZipReader(dataPath("handmade/book.xlsx"), {}).read("xl/styles.xml");
    styles.insert(styles.rfind("</"), deep);
    expectRefused(variant(dir, {{"xl/styles.xml", styles}}),
                  "the styles: malformed XML: elements nested more than 256 deep");
    std::string many = sheetWith("");
    for (int i = 0; i < 100001; ++i) many.insert(many.size() - 12, "<x/>");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", many}}),
                  "the sheet part holds more than 100000 elements beside its cells");
}

// Records what the cell scanner hands on.
class Recorder : public XmlHandler {
public:
    void startElement(const XmlName& name, const XmlAttributes& attributes) override {
        events += "<" + std::string(name.local);
        attributes.forEach(
            [&](const XmlName& n, std::string_view v) { events += " " + std::string(n.local) + "=" + std::string(v); });
        events += ">";
    }
    void endElement(const XmlName& name) override { events += "</" + std::string(name.local) + ">"; }
    void text(std::string_view t) override {
        textBytes += t.size();
        if (t.find_first_not_of(" \n") != std::string_view::npos) events += std::string(t);
    }
    std::string events;
    size_t textBytes = 0;
};

TEST(FilesHostileXml, TheCellScannerHandsTextOnAsItArrives) {
    Recorder handler;
    SheetDataScanner scanner(handler, "");
    std::string rest;
    EXPECT_FALSE(scanner.feed("<row r=\"1\"><c r=\"A1\" t=\"str\"><v>", rest));
    for (size_t i = 1; i <= 100; ++i) {
        EXPECT_FALSE(scanner.feed(std::string(1000, ' '), rest));
        ASSERT_EQ(handler.textBytes, 1000 * i) << "text held back";
    }
    EXPECT_FALSE(scanner.feed("x&am", rest));
    EXPECT_EQ(handler.textBytes, 100001u) << "only the reference cut short waits";
    EXPECT_TRUE(scanner.feed("p;</v></c></row></sheetData><more/>", rest));
    EXPECT_EQ(handler.textBytes, 100002u);
    EXPECT_EQ(rest, "</sheetData><more/>");
    EXPECT_EQ(handler.events, "<row r=1><c r=A1 t=str><v>x&</v></c></row>");
}

TEST(FilesHostileXml, MarkupCutAtAnyByteReadsTheSame) {
    const std::string cells =
        "<row r=\"1\"><!-- a -- comment - with -> inside --><c r=\"A1\" t='str' x=\"a>b\" "
        "y='q\"uote'><v>x&amp;y&#x41;&#66;</v></c>"
        "<?pi with ? and > inside?><c r=\"B1\" t=\"str\"><v><![CDATA[<not a tag> ]] ]>]]></v></c></row>";
    Recorder whole;
    SheetDataScanner wholeScanner(whole, "");
    std::string rest;
    ASSERT_TRUE(wholeScanner.feed(cells + "</sheetData>", rest));
    EXPECT_EQ(
        whole.events,
        "<row r=1><c r=A1 t=str x=a>b y=q\"uote><v>x&yAB</v></c><c r=B1 t=str><v><not a tag> ]] ]></v></c></row>");
    for (size_t chunk = 1; chunk <= 13; ++chunk) {
        Recorder cut;
        SheetDataScanner scanner(cut, "");
        const std::string all = cells + "</sheetData>";
        bool done = false;
        for (size_t at = 0; at < all.size() && !done; at += chunk) done = scanner.feed(all.substr(at, chunk), rest);
        EXPECT_TRUE(done) << chunk;
        EXPECT_EQ(cut.events, whole.events) << chunk;
    }
}

}  // namespace
}  // namespace files::test
