// The file layer on the real engine: opening into engine books, typed csv input, saving through
// the embedded application's saver, and kept parts following deleted rows.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/engine_binding.h"
#include "files/file_error.h"
#include "files/office_convert.h"
#include "files/zip_archive.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/error.h"
#include "host/text.h"
#include "memory_book.h"

namespace files::test {
namespace {

using host::embedded::EmbeddedApplication;

std::string partOf(const std::string& path, const std::string& name) { return ZipReader(path, {}).read(name); }

TEST(FilesEngineBinding, OpensAWorkbookIntoTheEngine) {
    const auto book = openWorkbook(host::utf16(dataPath("openpyxl/book.xlsx")));
    ASSERT_EQ(book->sheets().size(), 4u);
    EXPECT_EQ(book->name(), u"book.xlsx");
    EXPECT_EQ(book->title, u"Fruit & more");
    EXPECT_EQ(book->activeSheet()->name(), u"Last");
    EXPECT_EQ(book->sheets()[2]->visible(), host::xlSheetVeryHidden);
    const auto& data = *book->sheets()[0];
    EXPECT_EQ(data.valueAt(2, 3), host::Variant::date(45293));
    EXPECT_EQ(data.cell(2, 1)->colorIndex, 3);
    EXPECT_EQ(data.cell(3, 2)->comment()->text, u"negative\nsecond line");
    EXPECT_EQ(data.validations().size(), 2u);
    EXPECT_EQ(data.drawings().size(), 1u);
    EXPECT_EQ(data.activeRow(), 3);
}

TEST(FilesEngineBinding, WhatTheEngineRefusesIsAFileError) {
    ScratchDir dir;
    ZipReader original(dataPath("handmade/book.xlsx"), {});
    ZipWriter out;
    for (const std::string& name : original.names()) {
        std::string bytes = original.read(name);
        if (name == "xl/workbook.xml") bytes.replace(bytes.find("name=\"Prefixed\""), 15, "name=\"Pre/fixed\"");
        out.add(name, bytes);
    }
    writeFile(dir.path("bad.xlsx"), out.close());
    try {
        openWorkbook(host::utf16(dir.path("bad.xlsx")));
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(
            std::string(e.what()).find(
                "bad.xlsx: the engine refused its content: That name is already taken or is not a valid sheet name."),
            std::string::npos)
            << e.what();
    }
}

TEST(FilesEngineBinding, CsvFieldsAreTypedInput) {
    ScratchDir dir;
    writeFile(dir.path("typed.csv"), "1/2/2024,=1+1,TRUE,'0012,50%,plain\n");
    const auto book = openWorkbook(host::utf16(dir.path("typed.csv")));
    const auto& sheet = *book->sheets()[0];
    EXPECT_TRUE(sheet.valueAt(1, 1).isDate());
    EXPECT_TRUE(sheet.cell(1, 2)->formula().empty());  // a csv field is never a formula
    EXPECT_EQ(sheet.valueAt(1, 2), host::Variant(u"=1+1"));
    EXPECT_EQ(sheet.valueAt(1, 3), host::Variant(true));
    EXPECT_EQ(sheet.valueAt(1, 4), host::Variant(u"0012"));
    EXPECT_EQ(sheet.valueAt(1, 5), host::Variant(0.5));
    EXPECT_EQ(sheet.valueAt(1, 6), host::Variant(u"plain"));
    const auto notes = saveWorkbook(*book, host::utf16(dir.path("back.csv")));
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(readFile(dir.path("back.csv")), "1/2/2024,=1+1,TRUE,'0012,50%,plain\n");  // unchanged fields as read
}

TEST(FilesEngineBinding, ACsvSaveNamesTheSheetsItLeavesOut) {
    ScratchDir dir;
    writeFile(dir.path("data.csv"), "a,b\n");
    const auto book = openWorkbook(host::utf16(dir.path("data.csv")));
    book->addSheet(u"data_Undo", host::xlWorksheet, book->sheets()[0]);
    const auto notes = saveWorkbook(*book, host::utf16(dir.path("back.csv")));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], u"only the active sheet is saved in a csv file (not saved: data_Undo)");
    EXPECT_EQ(readFile(dir.path("back.csv")), "a,b\n");
}

TEST(FilesEngineBinding, DeletedRowsMoveWhatTheFileKeeps) {
    ScratchDir dir;
    const auto book = openWorkbook(host::utf16(dataPath("handmade/book.xlsx")));
    auto sheet = book->sheets()[0];
    sheet->deleteCells(engine::Area{2, 1, 3, host::kMaxColumns}, host::xlShiftUp);  // rows 2 and 3
    const auto notes = saveWorkbook(*book, host::utf16(dir.path("moved.xlsx")));
    EXPECT_EQ(saveNotes(*book), notes);
    const std::string xml = partOf(dir.path("moved.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_NE(xml.find("<row r=\"2\" hidden=\"1\">"), std::string::npos);  // was row 4
    EXPECT_NE(xml.find("<mergeCell ref=\"A5:B6\"/>"), std::string::npos);  // was A7:B8
    EXPECT_NE(xml.find("<hyperlink ref=\"A7\""), std::string::npos);       // was A9
    EXPECT_NE(xml.find("sqref=\"A2:A3\""), std::string::npos);             // was A2:A5
    const std::string drawing = partOf(dir.path("moved.xlsx"), "xl/drawings/drawing1.xml");
    EXPECT_NE(drawing.find("<xdr:row>4</xdr:row>"), std::string::npos);  // the picture, was row 7
    EXPECT_NE(drawing.find("<xdr:row>1</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:from>"),
              std::string::npos);  // group starts in the deleted rows
    bool formulasNoted = false, namesNoted = false, chartsNoted = false;
    for (const auto& n : notes) {
        formulasNoted |= host::utf8(n).find("conditional formats") != std::string::npos;
        namesNoted |=
            host::utf8(n).find("defined names (print areas, named ranges) were not adjusted") != std::string::npos;
        chartsNoted |=
            host::utf8(n).find("charts, tables and pivot tables that refer to sheet Edge Cases") != std::string::npos;
    }
    EXPECT_TRUE(formulasNoted);
    EXPECT_TRUE(namesNoted);
    EXPECT_TRUE(chartsNoted);
    const auto again = openWorkbook(host::utf16(dir.path("moved.xlsx")));
    EXPECT_EQ(again->sheets()[0]->valueAt(2, 1), host::Variant(3.0));
}

// The part's dimension spans the stored cells (a fill-only one too); comments land on their
// cells in row order, also after cells that held one were cleared, overwritten or deleted.
TEST(FilesEngineBinding, TheSavedSheetSpansItsCellsAndKeepsItsComments) {
    ScratchDir dir;
    const auto book = openWorkbook(host::utf16(dataPath("openpyxl/book.xlsx")));
    const auto sheet = book->addSheet(u"Notes");
    auto commented = [](const char16_t* text) {
        engine::Cell cell;
        cell.value = host::Variant(text);
        cell.setComment(engine::CommentData{text, u"me"});
        return cell;
    };
    sheet->setCell(9, 2, commented(u"B9"));
    sheet->setCell(2, 4, commented(u"D2"));
    sheet->setCell(5, 3, commented(u"C5"));
    sheet->setCell(7, 3, commented(u"gone"));
    sheet->setCell(8, 5, commented(u"overwritten"));
    engine::Cell number;
    number.value = host::Variant(1.0);
    sheet->setCell(8, 5, number);
    sheet->setCell(30, 3, commented(u"deleted"));
    sheet->deleteCells(engine::Area{30, 1, 30, host::kMaxColumns}, host::xlShiftUp);
    sheet->setCell(7, 3, engine::Cell{});
    engine::Cell filled;
    filled.colorIndex = 6;
    book->sheets()[0]->setCell(200, 20, filled);
    saveWorkbook(*book, host::utf16(dir.path("notes.xlsx")));
    const auto again = openWorkbook(host::utf16(dir.path("notes.xlsx")));
    const auto read = again->sheetNamed(u"Notes");
    ASSERT_TRUE(read);
    std::vector<std::u16string> comments;
    read->forEachCellByRows(read->usedArea(), [&](long, long, const engine::Cell& cell) {
        if (cell.comment()) comments.push_back(cell.comment()->text);
        return true;
    });
    EXPECT_EQ(comments, (std::vector<std::u16string>{u"D2", u"C5", u"B9"}));
    EXPECT_EQ(read->cell(5, 3)->comment()->text, u"C5");
    const std::string xml = partOf(dir.path("notes.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_NE(xml.find("<dimension ref=\"A1:T200\"/>"), std::string::npos) << xml.substr(0, 400);
}

TEST(FilesEngineBinding, AbsolutelyPlacedShapesStayWhereTheyAre) {
    ScratchDir dir;
    const auto book = openWorkbook(host::utf16(dataPath("libreoffice/book.xlsx")));
    book->sheets()[0]->deleteCells(engine::Area{1, 1, 2, host::kMaxColumns}, host::xlShiftUp);
    saveWorkbook(*book, host::utf16(dir.path("moved.xlsx")));
    EXPECT_EQ(partOf(dir.path("moved.xlsx"), "xl/drawings/drawing1.xml"),
              partOf(dataPath("libreoffice/book.xlsx"), "xl/drawings/drawing1.xml"));
}

TEST(FilesEngineBinding, TheApplicationSavesThroughTheRegisteredSaver) {
    ScratchDir dir;
    const std::string path = dir.path("book.xlsx");
    std::filesystem::copy_file(dataPath("xlsxwriter/book.xlsx"), path);
    auto app = EmbeddedApplication::create();
    app->setOpener(openForHost);
    app->setSaver(saveForHost);
    const auto book = app->openBook(host::utf16(path));
    book->model().sheets()[0]->setValueAt(1, 1, host::Variant(u"saved by the host"));
    app->saveBook(book->model(), book->model().path);  // Save: writing over its own file is what was asked
    const auto again = openWorkbook(host::utf16(path));
    EXPECT_EQ(again->sheets()[0]->valueAt(1, 1), host::Variant(u"saved by the host"));
    EXPECT_EQ(again->sheets()[0]->cell(1, 1)->colorIndex, 3);
    try {
        app->saveBook(book->model(), host::utf16(dir.path("book.ods")));
        FAIL();
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), host::errApplication);
        EXPECT_NE(e.description().find("book.ods: workbooks can be saved as .xlsx, .xlsm or .csv only"),
                  std::string::npos);
    }
}

TEST(FilesEngineBinding, OtherFormatsGoThroughLibreOffice) {
    ScratchDir dir;
    const std::string ods = dir.path("sheet.ods");
    std::filesystem::copy_file(dataPath("makers/libreoffice_book.fods"),
                               ods);  // LibreOffice reads flat files by content
    if (findOfficeProgram().empty()) {
        try {
            openWorkbook(host::utf16(ods));
            FAIL();
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find("libreoffice-calc-nogui"), std::string::npos);
        }
        return;
    }
    const auto book = openWorkbook(host::utf16(ods));
    EXPECT_EQ(book->sheets()[0]->valueAt(1, 1), host::Variant(u"hello"));
    EXPECT_EQ(host::utf8(book->path), dir.path("sheet.xlsx"));
    ASSERT_EQ(openNotes(*book).size(), 1u);
    EXPECT_EQ(openNotes(*book)[0], u"sheet.ods was converted by LibreOffice; it is saved as sheet.xlsx");
}

}  // namespace
}  // namespace files::test
