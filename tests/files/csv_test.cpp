// csv: RFC 4180 splitting, separator detection, reading into a sheet and writing one.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "files/csv_file.h"
#include "files/file_error.h"
#include "host/constants.h"
#include "host/text.h"
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
    EXPECT_EQ(book[0].cells.at({1, 1}).value, host::Variant(u"name"));
    EXPECT_EQ(book[0].cells.at({2, 1}).value, host::Variant(u"Smith; J"));
    EXPECT_EQ(book[0].cells.at({2, 2}).value, host::Variant(42.0));
    EXPECT_EQ(book[0].cells.size(), 4u);  // empty fields stay empty
    // Each cell carries the field it was read from.
    const auto* read = dynamic_cast<const CsvFileData*>(book.data.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->field(book[0].cells.at({2, 1}).styleId), "\"Smith; J\"");
    EXPECT_EQ(read->field(book[0].cells.at({2, 2}).styleId), "42");
    EXPECT_EQ(read->field(0), "");
    EXPECT_TRUE(read->byteOrderMark);
    EXPECT_EQ(read->separator, ';');
    EXPECT_EQ(read->lineEnd, "\n");
}

TEST(FilesCsv, FieldValues) {
    const struct {
        std::u16string field;
        host::Variant value;
    } cases[] = {
        {u"007", host::Variant(7.0)},
        {u"12345678901234567890", host::Variant(12345678901234567890.0)},
        {u"TRUE", host::Variant(true)},
        {u"false", host::Variant(false)},
        {u"2024-01-02", host::Variant::date(45293)},
        {u"1,234.5", host::Variant(1234.5)},
        {u"'007", host::Variant(u"007")},
        {u"plain text", host::Variant(u"plain text")},
        // Never a formula: plain numbers with a sign are numbers, the rest text as it stands.
        {u"=1+2", host::Variant(u"=1+2")},
        {u"=HYPERLINK(\"http://x\",\"y\")", host::Variant(u"=HYPERLINK(\"http://x\",\"y\")")},
        {u"-5", host::Variant(-5.0)},
        {u"+3.5", host::Variant(3.5)},
        {u"-.5e2", host::Variant(-50.0)},
        {u"-1,234", host::Variant(u"-1,234")},
        {u"+5%", host::Variant(u"+5%")},
        {u"-2+3", host::Variant(u"-2+3")},
        {u"-", host::Variant(u"-")},
        {u"+1e", host::Variant(u"+1e")},
        {u"@SUM(A1)", host::Variant(u"@SUM(A1)")},
        {u"=", host::Variant(u"=")},
    };
    for (const auto& c : cases) EXPECT_EQ(csvFieldValue(c.field, 2024), c.value) << host::utf8(c.field);
    EXPECT_EQ(csvFieldValue(u"1/2", 2024), host::Variant::date(45293));
}

TEST(FilesCsv, AFormulaFieldLongerThanACellHoldsIsRefused) {
    ScratchDir dir;
    writeFile(dir.path("long.csv"), "a\n=" + std::string(40000, 'x') + "\n");
    MemoryBook book;
    try {
        readCsv(dir.path("long.csv"), book);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("row 2, field 1: Text is longer than 32767"), std::string::npos)
            << e.what();
    }
}

TEST(FilesCsv, RefusesWhatIsNotUtf8) {
    ScratchDir dir;
    writeFile(dir.path("latin1.csv"), "caf\xE9,1\n");
    MemoryBook book;
    try {
        readCsv(dir.path("latin1.csv"), book);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("latin1.csv: it is not UTF-8 text (byte 3"), std::string::npos)
            << e.what();
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

// A csv file read and written again without edits, byte for byte.
class CsvKept : public ::testing::Test {
protected:
    MemoryBook& read(const std::string& text, std::optional<char> separator = std::nullopt) {
        writeFile(dir.path("in.csv"), text);
        readCsv(dir.path("in.csv"), book, separator);
        return book;
    }
    const CsvFileData* data() const { return dynamic_cast<const CsvFileData*>(book.data.get()); }
    std::string written() const { return csvOf(*book.sheets[0], data()); }

    ScratchDir dir;
    MemoryBook book;
};

TEST_F(CsvKept, EveryLayoutComesBackAsRead) {
    const char* files[] = {
        "007,=1+2,2024-01-02\nx\n",
        "a,b\r\n1,2\r\n",
        "a,b\r1,2\r",
        "a,b\n1,2",
        "\xEF\xBB\xBFname,city\nAda,London\n",
        "12345678901234567890,TRUE,true,1e5,0.10\n",
        "\"=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",=1+2,@SUM(A1),-5,+3.5,-x\n",
        "\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"crlf\r\ninside\"\n",
        "\"quoted\"after,  padded  ,\"\"\n",
        "a,b,,\n,,c\nd\n\ne,\n",
        "'007,'=x,1/2/2024 10:00\n",
        "caf\xC3\xA9,\xE2\x82\xAC"
        "5\n",
    };
    for (const char* text : files) {
        book = MemoryBook();
        read(text);
        EXPECT_EQ(written(), text) << text;
    }
}

TEST_F(CsvKept, TheSeparatorReadIsTheOneWritten) {
    read("id;amount;note\n1;2,5;\"x;y\"\n");
    EXPECT_EQ(written(), "id;amount;note\n1;2,5;\"x;y\"\n");
    book = MemoryBook();
    read("id\tnote\r\n7\t\"tab\there\"\r\n", '\t');
    EXPECT_EQ(written(), "id\tnote\r\n7\t\"tab\there\"\r\n");
}

TEST_F(CsvKept, AChangedFieldIsWrittenFromItsValueBesideUnchangedOnes) {
    read("\"  a  \";007;x\n1;2;3\n");
    auto& cells = book[0].cells;
    cells.at({1, 1}).value = host::Variant(u"a");          // trimmed
    cells.at({1, 3}).value = host::Variant(u"x;y \"z\"");  // needs quotes with this separator
    cells.at({2, 2}).value = host::Variant(2.5);
    EXPECT_EQ(written(), "a;007;\"x;y \"\"z\"\"\"\n1;2.5;3\n");
}

TEST_F(CsvKept, AValueEqualToTheOneReadKeepsItsField) {
    read("007,TRUE\n");
    book[0].cells.at({1, 1}).value = host::Variant(7.0);
    book[0].cells.at({1, 2}).value = host::Variant(false);
    EXPECT_EQ(written(), "007,False\n");
}

TEST_F(CsvKept, FieldsTravelWithTheirCells) {
    read("h1,h2,h3\r\n\"a,1\",007,\r\n,,\r\n\"b\"\"2\",=x,tail,\r\n");
    // Row 2 and the empty row 3 deleted; the rows below move up.
    std::map<std::pair<long, long>, Cell> moved;
    for (auto& [at, cell] : book[0].cells)
        if (at.first == 1)
            moved[at] = cell;
        else if (at.first >= 4)
            moved[{at.first - 2, at.second}] = cell;
    book[0].cells = moved;
    EXPECT_EQ(written(), "h1,h2,h3\r\n\"b\"\"2\",=x,tail,\r\n");
}

TEST_F(CsvKept, EmptyFieldsBetweenMovedCellsAreWrittenPlain) {
    read("a,\"\",b,\"\"\nc,,d\n");
    // Column A deleted: the cells on its right move left; the empty fields read between
    // them no longer fit and are written as plain separators, the tail as it was.
    std::map<std::pair<long, long>, Cell> moved;
    for (auto& [at, cell] : book[0].cells)
        if (at.second > 1) moved[{at.first, at.second - 1}] = cell;
    book[0].cells = moved;
    EXPECT_EQ(written(), ",b,\"\"\n,d\n");
}

TEST_F(CsvKept, AClearedFieldKeepsItsPlace) {
    read("a,b,c\nd,e,f\n");
    book[0].cells.at({1, 2}).value = host::Variant();
    book[0].cells.at({2, 3}).value = host::Variant();
    EXPECT_EQ(written(), "a,,c\nd,e,\n");
}

TEST_F(CsvKept, CellsNotReadFromTheFileAreWrittenInItsLayout) {
    read(
        "\xEF\xBB\xBF"
        "a;b\r\n");
    book[0].cells[{2, 3}].value = host::Variant(u"new;cell");
    book[0].cells[{1, 2}].setFormula(u"=A1");  // a formula is never the field read
    EXPECT_EQ(written(),
              "\xEF\xBB\xBF"
              "a;b\r\n;;\"new;cell\"\r\n");
}

TEST_F(CsvKept, IdsOfAnotherFileAreNotFields) {
    // Cells of a book read from xlsx carry style ids: without a csv read they mean nothing.
    MemorySheet s;
    s.cells[{1, 1}].value = host::Variant(u"x");
    s.cells[{1, 1}].styleId = 1;
    s.cells[{1, 2}].styleId = 2;  // formatted, empty
    EXPECT_EQ(csvOf(s), "x\r\n");
    read("only,fields\n");
    MemorySheet t;
    t.cells[{1, 1}].value = host::Variant(u"x");
    t.cells[{1, 1}].styleId = 9;  // not one of this file's
    EXPECT_EQ(csvOf(t, data()), "x\n");
}

}  // namespace
}  // namespace files::test
