// Saving after edits: what the engine changed is written, parts that lost their last
// reference go with their relationships and content types, and everything else stays.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/file_error.h"
#include "files/xlsx_reader.h"
#include "files/xlsx_writer.h"
#include "files/zip_archive.h"
#include "host/constants.h"
#include "host/text.h"
#include "memory_book.h"
#include "zipfile_check.h"

namespace files::test {
namespace {

MemoryBook load(const std::string& path) {
    MemoryBook book;
    readXlsx(path, book);
    return book;
}

MemoryBook fixture(const std::string& producer) { return load(dataPath(producer + "/book.xlsx")); }

struct Saved {
    ScratchDir dir;
    std::vector<std::u16string> notes;
    std::string path() const { return dir.path("saved.xlsx"); }
    std::string part(const std::string& name) const {
        ZipReader zip(path(), {});
        return zip.contains(name) ? zip.read(name) : std::string();
    }
    bool has(const std::string& name) const { return ZipReader(path(), {}).contains(name); }
};

std::unique_ptr<Saved> save(const MemoryBook& book) {
    auto saved = std::make_unique<Saved>();
    saved->notes = writeXlsx(book, saved->path());
    return saved;
}

TEST(FilesXlsxEdit, DeletingEveryDrawingObjectRemovesTheDrawingAndWhatOnlyItUsed) {
    MemoryBook book = fixture("handmade");
    book[0].objects.clear();
    const auto saved = save(book);
    EXPECT_FALSE(saved->has("xl/drawings/drawing1.xml"));
    EXPECT_FALSE(saved->has("xl/charts/chart1.xml"));
    EXPECT_FALSE(saved->has("xl/media/image1.png"));
    EXPECT_TRUE(saved->has("customXml/item1.xml"));  // nothing referred to it before either
    EXPECT_EQ(saved->part("xl/worksheets/sheet1.xml").find("<drawing"), std::string::npos);
    EXPECT_EQ(saved->part("[Content_Types].xml").find("drawing1.xml"), std::string::npos);
    EXPECT_TRUE(load(saved->path())[0].objects.empty());
}

TEST(FilesXlsxEdit, DeletingTheChartKeepsThePicture) {
    MemoryBook book = fixture("handmade");
    auto& objects = book[0].objects;
    std::erase_if(objects, [](const DrawingObject& o) { return o.type == host::msoChart; });
    const auto saved = save(book);
    EXPECT_FALSE(saved->has("xl/charts/chart1.xml"));
    EXPECT_TRUE(saved->has("xl/media/image1.png"));
    EXPECT_EQ(saved->part("xl/drawings/_rels/drawing1.xml.rels").find("chart"), std::string::npos);
    const MemoryBook again = load(saved->path());
    ASSERT_EQ(again.sheets[0]->objects.size(), 3u);
    EXPECT_EQ(again.sheets[0]->objects[1].name, u"Picture 4");
}

TEST(FilesXlsxEdit, ChangedShapeTextIsWrittenWithTheShapesOwnFormatting) {
    MemoryBook book = fixture("handmade");
    book[0].objects[2].frameText = u"Title with spaces\nsecond\vline";
    book[0].objects[0].groupItems[0].frameText = u"renamed oval";
    const auto saved = save(book);
    const std::string drawing = saved->part("xl/drawings/drawing1.xml");
    EXPECT_NE(drawing.find("<a:pPr algn=\"ctr\"/><a:r><a:rPr lang=\"en-US\" b=\"1\"/><a:t>Title with spaces</a:t>"),
              std::string::npos);
    const MemoryBook again = load(saved->path());
    EXPECT_EQ(again.sheets[0]->objects[2].frameText, u"Title with spaces\nsecond\vline");
    EXPECT_EQ(again.sheets[0]->objects[0].groupItems[0].frameText, u"renamed oval");
    EXPECT_EQ(again.sheets[0]->objects[0].groupItems[1].effectText, u"Fancy");
}

TEST(FilesXlsxEdit, FillsAndDatesGetCellFormatsOfTheirOwn) {
    MemoryBook book = fixture("handmade");
    Cell filled = book[0].cells.at({2, 1});
    filled.colorIndex = 46;
    book[0].cells[{2, 1}] = filled;
    Cell unfilled = book[0].cells.at({2, 3});
    unfilled.colorIndex = 0;
    book[0].cells[{2, 3}] = unfilled;
    Cell date;
    date.value = host::Variant::date(45000.5);
    date.colorIndex = 3;
    book[0].cells[{12, 1}] = date;
    const auto saved = save(book);
    MemoryBook again = load(saved->path());
    EXPECT_EQ(again[0].cells.at({2, 1}).colorIndex, 46);
    EXPECT_EQ(again[0].cells.at({2, 1}).value, host::Variant(1.0));
    EXPECT_EQ(again[0].cells.at({2, 3}).colorIndex, 0);
    EXPECT_EQ(again[0].cells.at({2, 3}).formula(), u"=SUM(A2:A5)");
    EXPECT_EQ(again[0].cells.at({12, 1}).value, host::Variant::date(45000.5));
    EXPECT_EQ(again[0].cells.at({12, 1}).colorIndex, 3);
    EXPECT_NE(saved->part("xl/styles.xml").find("<fgColor rgb=\"FFFF6600\"/>"), std::string::npos);
}

TEST(FilesXlsxEdit, CommentsAddedChangedAndRemoved) {
    MemoryBook book = fixture("xlsxwriter");
    const engine::CommentData note{u"new <note> & more", u"Eve"};
    book[1].cells[{3, 2}].setComment(note);                                  // a sheet without comments
    book[0].cells[{3, 1}].setComment(engine::CommentData{u"changed", u""});  // a sheet whose VML also holds a button
    const auto saved = save(book);
    MemoryBook again = load(saved->path());
    ASSERT_TRUE(again[1].cells.at({3, 2}).comment());
    EXPECT_EQ(again[1].cells.at({3, 2}).comment()->text, u"new <note> & more");
    EXPECT_EQ(again[1].cells.at({3, 2}).comment()->author, u"Eve");
    EXPECT_EQ(again[0].cells.at({3, 1}).comment()->text, u"changed");
    std::string vml;
    const ZipReader zip(saved->path(), {});
    for (const std::string& name : zip.names())
        if (name.find(".vml") != std::string::npos && saved->part(name).find("Button") != std::string::npos) vml = name;
    ASSERT_FALSE(vml.empty());
    EXPECT_NE(saved->part(vml).find("ObjectType=\"Note\""), std::string::npos);
    EXPECT_NE(saved->part(vml).find("pressed"), std::string::npos);  // the button's macro stays

    MemoryBook removed = fixture("openpyxl");
    for (auto& [at, cell] : removed[0].cells) cell.clearComment();
    const auto without = save(removed);
    EXPECT_FALSE(without->has("xl/comments/comment1.xml"));
    EXPECT_FALSE(without->has("xl/drawings/commentsDrawing1.vml"));
    EXPECT_EQ(without->part("xl/worksheets/sheet1.xml").find("legacyDrawing"), std::string::npos);
}

TEST(FilesXlsxEdit, ValidationsAddedAndRemoved) {
    MemoryBook book = fixture("openpyxl");
    book[0].rules.clear();
    ValidationRule rule;
    rule.type = host::xlValidateList;
    rule.formula1 = u"=$A$1:$A$3";
    rule.areas = {Area{2, 8, 4, 8}};
    rule.anchorRow = 2;
    rule.anchorCol = 8;
    book[2].rules.push_back(rule);
    const auto saved = save(book);
    MemoryBook again = load(saved->path());
    EXPECT_TRUE(again[0].rules.empty());
    ASSERT_EQ(again[2].rules.size(), 1u);
    EXPECT_EQ(again[2].rules[0].formula1, u"=$A$1:$A$3");
    EXPECT_EQ(again[2].rules[0].areas[0].row2, 4);
}

TEST(FilesXlsxEdit, SheetsDeletedReorderedRenamedAndHidden) {
    MemoryBook book = fixture("handmade");
    std::swap(book.sheets[0], book.sheets[1]);
    book[0].sheetName = u"Renamed";
    book[0].sheetVisibility = host::xlSheetVeryHidden;
    book[1].sheetVisibility = host::xlSheetVisible;
    book.active = 1;
    const auto saved = save(book);
    const std::string workbook = saved->part("xl/workbook.xml");
    EXPECT_NE(workbook.find("localSheetId=\"1\""), std::string::npos);  // the print area follows its sheet
    EXPECT_NE(workbook.find("fullCalcOnLoad=\"1\""), std::string::npos);
    MemoryBook again = load(saved->path());
    EXPECT_EQ(again[0].sheetName, u"Renamed");
    EXPECT_EQ(again[0].sheetVisibility, host::xlSheetVeryHidden);
    EXPECT_EQ(again.active, 1u);

    MemoryBook fewer = fixture("handmade");
    fewer.sheets.erase(fewer.sheets.begin());
    const auto saved2 = save(fewer);
    ASSERT_EQ(saved2->notes.size(), 1u);
    EXPECT_NE(host::utf8(saved2->notes[0]).find("_xlnm.Print_Area"), std::string::npos);
    EXPECT_FALSE(saved2->has("xl/worksheets/sheet1.xml"));
    EXPECT_FALSE(saved2->has("xl/drawings/drawing1.xml"));
    EXPECT_EQ(load(saved2->path()).sheets.size(), 1u);
}

TEST(FilesXlsxEdit, ACopiedSheetKeepsWhatItCanAndSaysWhatNot) {
    MemoryBook book = fixture("handmade");
    auto copy = std::make_unique<MemorySheet>(book[0]);  // shares the original's file data, as the engine's copies do
    copy->sheetName = u"Edge Cases (2)";
    book.sheets.push_back(std::move(copy));
    const auto saved = save(book);
    bool drawingNoted = false, objectsNoted = false;
    for (const auto& note : saved->notes) {
        drawingNoted |= host::utf8(note).find("without the original's drawing") != std::string::npos;
        objectsNoted |=
            host::utf8(note).find("drawing objects of sheet Edge Cases (2) are not saved") != std::string::npos;
    }
    EXPECT_TRUE(drawingNoted);
    EXPECT_TRUE(objectsNoted);
    const std::string part = saved->part("xl/worksheets/sheet3.xml");
    EXPECT_NE(part.find("<mergeCell ref=\"A7:B8\"/>"), std::string::npos);
    EXPECT_NE(part.find("<col min=\"1\" max=\"1\" width=\"20\" customWidth=\"1\"/>"), std::string::npos);
    EXPECT_NE(part.find("<row r=\"4\" hidden=\"1\">"), std::string::npos);
    EXPECT_EQ(part.find("drawing"), std::string::npos);
    EXPECT_EQ(part.find("hyperlink"), std::string::npos);
    MemoryBook again = load(saved->path());
    ASSERT_EQ(again.sheets.size(), 3u);
    EXPECT_EQ(again[2].cells.size(), book[0].cells.size());
    EXPECT_EQ(again[2].cells.at({2, 2}).formula(), u"=A2*2+$A$2");
    EXPECT_TRUE(again[2].objects.empty());
    EXPECT_EQ(again[0].objects.size(), 4u);  // the original keeps its own
}

// The hand-made fixture with a macro project, as an .xlsm.
std::string macroWorkbook(const ScratchDir& dir) {
    ZipReader original(dataPath("handmade/book.xlsx"), {});
    const std::string path = dir.path("macros.xlsm");
    ZipWriter out;
    for (const std::string& name : original.names()) {
        std::string bytes = original.read(name);
        if (name == "[Content_Types].xml") {
            bytes.replace(bytes.find("spreadsheetml.sheet.main+xml"), 28, "x");
            bytes.replace(bytes.find("application/vnd.openxmlformats-officedocument.x"), 47,
                          "application/vnd.ms-excel.sheet.macroEnabled.main+xml");
            bytes.insert(bytes.find("<Override"),
                         "<Default Extension=\"bin\" ContentType=\"application/vnd.ms-office.vbaProject\"/>");
        }
        if (name == "xl/_rels/workbook.xml.rels")
            bytes.insert(
                bytes.find("</Relationships>"),
                "<Relationship Id=\"rId9\" Type=\"http://schemas.microsoft.com/office/2006/relationships/vbaProject\" "
                "Target=\"vbaProject.bin\"/>");
        out.add(name, bytes);
    }
    out.add("xl/vbaProject.bin", std::string("\xD0\xCF\x11\xE0 macro project bytes", 24));
    writeFile(path, out.close());
    return path;
}

TEST(FilesXlsxEdit, MacrosAreKeptInXlsmAndNotDroppedIntoXlsx) {
    ScratchDir dir;
    const MemoryBook book = load(macroWorkbook(dir));
    writeXlsx(book, dir.path("again.xlsm"));
    ZipReader again(dir.path("again.xlsm"), {});
    EXPECT_EQ(again.read("xl/vbaProject.bin"), ZipReader(macroWorkbook(dir), {}).read("xl/vbaProject.bin"));
    EXPECT_NE(again.read("[Content_Types].xml").find("macroEnabled.main+xml"), std::string::npos);
    try {
        writeXlsx(book, dir.path("plain.xlsx"));
        FAIL() << "macros were written into an .xlsx";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("plain.xlsx: the workbook holds macros; save it as .xlsm"),
                  std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path("plain.xlsx")));
    writeXlsx(fixture("handmade"), dir.path("now.xlsm"));
    EXPECT_NE(ZipReader(dir.path("now.xlsm"), {}).read("[Content_Types].xml").find("macroEnabled.main+xml"),
              std::string::npos);
}

TEST(FilesXlsxEdit, WhatTheEngineDoesNotModelIsNamedInTheNotes) {
    ScratchDir dir;
    ZipReader original(dataPath("handmade/book.xlsx"), {});
    ZipWriter out;
    for (const std::string& name : original.names()) {
        std::string bytes = original.read(name);
        if (name == "xl/worksheets/sheet2.xml")
            bytes.replace(bytes.find("<x:v>7</x:v>"), 12, "<x:f t=\"dataTable\" ref=\"C2\" r1=\"B2\"/><x:v>7</x:v>");
        if (name == "xl/worksheets/sheet1.xml") bytes.replace(bytes.find("<c r=\"A2\">"), 10, "<c r=\"A2\" cm=\"1\">");
        out.add(name, bytes);
    }
    writeFile(dir.path("table.xlsx"), out.close());
    const MemoryBook book = load(dir.path("table.xlsx"));
    EXPECT_EQ(book.sheets[1]->cells.at({2, 3}).value, host::Variant(7.0));
    const auto saved = save(book);
    ASSERT_EQ(saved->notes.size(), 2u);
    EXPECT_EQ(saved->notes[0],
              u"cell metadata on sheet Edge Cases (dynamic array spills, linked data types) is not kept; formulas and "
              u"values are");
    EXPECT_EQ(saved->notes[1], u"what-if data tables on sheet Prefixed are saved as their last values only");
}

TEST(FilesXlsxEdit, ANewBookIsAWholePackage) {
    MemoryBook book;
    MemorySheet& sheet = static_cast<MemorySheet&>(book.addSheet(u"Fresh", host::xlWorksheet, -1));
    sheet.cells[{1, 1}].value = host::Variant(u"hello");
    sheet.cells[{2, 2}].value = host::Variant::date(45292);
    sheet.cells[{3, 3}].setFormula(u"=1+1");
    sheet.cells[{3, 3}].value = host::Variant(2.0);
    sheet.selected = {Area{2, 2, 3, 3}};
    sheet.activeR = sheet.activeC = 2;
    const auto saved = save(book);
    EXPECT_TRUE(saved->notes.empty());
    EXPECT_EQ(dump(load(saved->path())), dump(book));
}

// A sheet whose part passes a megabyte goes into the archive piece by piece as it is
// written: it reads back the same (cells, comment, shared strings), names the cells' whole
// area as its dimension, is still the selected tab, and zipfile finds every CRC right.
TEST(FilesXlsxEdit, ABigSheetIsWrittenPieceByPiece) {
    MemoryBook book = fixture("openpyxl");
    book.active = 0;
    MemorySheet& sheet = book[0];
    for (long row = 1; row <= 60000; ++row) {
        sheet.cells[{row, 7}].value = host::Variant(u"entry " + host::utf16(std::to_string(row % 977)));
        sheet.cells[{row, 8}].value = host::Variant(static_cast<double>(row) / 4);
    }
    sheet.cells[{59999, 8}].setComment(engine::CommentData{u"near the end", u"me"});
    const auto saved = save(book);
    const std::string part = saved->part("xl/worksheets/sheet1.xml");
    ASSERT_GT(part.size(), ZipWriter::kBackgroundBytes);
    EXPECT_NE(part.find("<dimension ref=\"A1:H60000\"/>"), std::string::npos);
    EXPECT_NE(part.find("tabSelected=\"1\""), std::string::npos);
    EXPECT_EQ(part.find('\x01'), std::string::npos) << "the mark of the rows was left in the part";
    EXPECT_EQ(dump(load(saved->path())), dump(book));
    const std::string check = zipfileCheck(saved->path());
    if (check.empty()) GTEST_SKIP() << "/usr/bin/python3 could not read the archive back";
    EXPECT_TRUE(check.starts_with("None [")) << "zipfile found a bad CRC: " << check;
}

TEST(FilesXlsxEdit, SavingOverTheOpenedFileMustBeAskedFor) {
    ScratchDir dir;
    const std::string path = dir.path("book.xlsx");
    std::filesystem::copy_file(dataPath("handmade/book.xlsx"), path);
    MemoryBook book = load(path);
    book[0].cells[{1, 1}].value = host::Variant(u"changed");
    EXPECT_THROW(writeXlsx(book, path), FileError);
    EXPECT_EQ(readFile(path), readFile(dataPath("handmade/book.xlsx")));
    SaveOptions asked;
    asked.overwriteSource = true;
    writeXlsx(book, path, asked);
    EXPECT_EQ(load(path)[0].cells.at({1, 1}).value, host::Variant(u"changed"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("")), {}), 1);  // no temporary left
}

TEST(FilesXlsxEdit, AFailedSaveNamesTheFileAndLeavesNothingBehind) {
    MemoryBook book = fixture("handmade");
    ScratchDir dir;
    try {
        writeXlsx(book, dir.path("missing-folder/out.xlsx"));
        FAIL() << "saving into a missing folder succeeded";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing-folder/out.xlsx"), std::string::npos);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("")), {}), 0);
}

}  // namespace
}  // namespace files::test
