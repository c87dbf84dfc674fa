// Bad input: every damaged or hostile file gives a FileError that names the file and the
// problem, never a crash, and the file is left as it was.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "files/file_error.h"
#include "files/xlsx_reader.h"
#include "files/zip_archive.h"
#include "memory_book.h"

namespace files::test {
namespace {

// The hand-made fixture with some parts replaced (std::nullopt removes one).
std::string variant(const ScratchDir& dir, const std::map<std::string, std::optional<std::string>>& changes) {
    ZipReader original(dataPath("handmade/book.xlsx"), {});
    const std::string path = dir.path("variant.xlsx");
    ZipWriter out;
    for (const std::string& name : original.names()) {
        const auto change = changes.find(name);
        if (change == changes.end()) out.add(name, original.read(name));
        else if (change->second) out.add(name, *change->second);
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
    expectRefused(variant(dir, {{"xl/sharedStrings.xml", std::string("<sst><si><t>open")}}), "shared strings: malformed XML");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A1\"><v>&bogus;</v></c></row>")}}),
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
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>")}}),
                  "\"XFE1\" is not valid or lies outside the sheet");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1048577\"/>")}}),
                  "row 1048577 is outside the sheet");
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A99999999999\"/></row>")}}),
                  "outside the sheet");
}

TEST(FilesBadInput, OverlongText) {
    ScratchDir dir;
    const std::string text(32768, 'x');
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml",
                                 sheetWith("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + text + "</t></is></c></row>")}}),
                  "longer than 32,767 characters");
    const std::string sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>" + text + "</t></si></sst>";
    expectRefused(variant(dir, {{"xl/sharedStrings.xml", sst}}), "longer than 32,767 characters");
    // One character less is a valid cell.
    const std::string fits(32767, 'y');
    MemoryBook book;
    readXlsx(variant(dir, {{"xl/worksheets/sheet2.xml",
                            sheetWith("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + fits + "</t></is></c></row>")}}),
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
    expectRefused(variant(dir, {{"xl/worksheets/sheet2.xml", sheetWith("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>7</v></c></row>")}}),
                  "shared string 7, which does not exist");
}

TEST(FilesBadInput, ZipBombIsStoppedAtTheInflateBound) {
    ScratchDir dir;
    // 64 MB of one repeated row compresses to a few hundred kilobytes.
    std::string huge = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
    huge.append(64u << 20, ' ');
    huge += "</sheetData></worksheet>";
    const std::string path = variant(dir, {{"xl/worksheets/sheet2.xml", huge}});
    InflateLimits limits;
    limits.maxEntryBytes = 8u << 20;
    expectRefused(path, "inflates beyond the allowed size", limits);
    limits = {};
    limits.maxTotalBytes = 1u << 20;
    expectRefused(path, "inflates beyond the allowed size", limits);
}

}  // namespace
}  // namespace files::test
