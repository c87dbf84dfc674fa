// csv: RFC 4180 splitting, separator detection, reading into a sheet and writing one.
#include <gtest/gtest.h>

#include "files/csv_file.h"
#include "files/file_error.h"
#include "host/constants.h"
#include "memory_book.h"

namespace files::test {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(FilesCsv, SplitsFieldsTheRfcWay) {
    const struct {
        const char* text;
        Rows rows;
    } cases[] = {
        {"a,b,c\r\n1,2,3\r\n", {{"a", "b", "c"}, {"1", "2", "3"}}},
        {"a,b\n", {{"a", "b"}}},
        {"a,b", {{"a", "b"}}},
        {"\"x,y\",\"say \"\"hi\"\"\"\n", {{"x,y", "say \"hi\""}}},
        {"\"two\nlines\",z", {{"two\nlines", "z"}}},
        {",,\n", {{"", "", ""}}},
        {"\"\"", {{""}}},
        {"a\r\rb", {{"a"}, {""}, {"b"}}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitCsv(c.text, ','), c.rows) << c.text;
}

TEST(FilesCsv, AnUnclosedQuoteIsAnError) {
    try {
        splitCsv("a,b\n\"open,c\nd", ',');
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_STREQ(e.what(), "the quoted field starting on line 2 is never closed");
    }
}

TEST(FilesCsv, DetectsTheSeparator) {
    EXPECT_EQ(detectSeparator("a,b,c\n1,2,3\n"), ',');
    EXPECT_EQ(detectSeparator("a;b;c\n1,5;2;3\n"), ';');
    EXPECT_EQ(detectSeparator("a\tb\n1\t2\n"), '\t');
    EXPECT_EQ(detectSeparator("\"x;y\",b\n\"1;2\",3\n"), ',');
    EXPECT_EQ(detectSeparator("single column\n"), ',');
}

TEST(FilesCsv, ReadsEveryFieldAsTypedInput) {
    ScratchDir dir;
    writeFile(dir.path("people.csv"), "\xEF\xBB\xBFname;age\n\"Smith; J\";42\n;\n");
    MemoryBook book;
    readCsv(dir.path("people.csv"), book);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book[0].sheetName, u"people");
    // The double enters the text as typed input; empty fields stay empty.
    EXPECT_EQ(book[0].cells.at({1, 1}).value, host::Variant(u"name"));
    EXPECT_EQ(book[0].cells.at({2, 1}).value, host::Variant(u"Smith; J"));
    EXPECT_EQ(book[0].cells.at({2, 2}).value, host::Variant(u"42"));
    EXPECT_EQ(book[0].cells.size(), 4u);
}

TEST(FilesCsv, RefusesWhatIsNotUtf8) {
    ScratchDir dir;
    writeFile(dir.path("latin1.csv"), "caf\xE9,1\n");
    MemoryBook book;
    try {
        readCsv(dir.path("latin1.csv"), book);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("latin1.csv: it is not UTF-8 text (byte 3"), std::string::npos) << e.what();
    }
}

TEST(FilesCsv, WritesValuesAsTheirText) {
    MemoryBook book;
    MemorySheet& s = static_cast<MemorySheet&>(book.addSheet(u"S", host::xlWorksheet, -1));
    s.cells[{1, 1}].value = host::Variant(u"a,b");
    s.cells[{1, 3}].value = host::Variant(0.1 + 0.2);
    s.cells[{2, 2}].value = host::Variant(true);
    s.cells[{3, 1}].value = host::Variant::date(45293.5);
    s.cells[{3, 2}].value = host::Variant::error(host::xlErrNA);
    s.cells[{3, 3}].value = host::Variant(u"say \"x\"\nthen");
    s.cells[{4, 4}].colorIndex = 3;  // a fill alone writes nothing
    EXPECT_EQ(csvOf(s), "\"a,b\",,0.3\r\n,True,\r\n1/2/2024 12:00:00 PM,#N/A,\"say \"\"x\"\"\nthen\"\r\n");
    ScratchDir dir;
    writeCsv(s, dir.path("out.csv"));
    EXPECT_EQ(readFile(dir.path("out.csv")), csvOf(s));
    MemoryBook again;
    readCsv(dir.path("out.csv"), again);
    EXPECT_EQ(again[0].cells.at({3, 3}).value, host::Variant(u"say \"x\"\nthen"));
}

}  // namespace
}  // namespace files::test
