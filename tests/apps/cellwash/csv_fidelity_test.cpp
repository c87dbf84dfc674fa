// A csv file through a cellwash run: the fields the tool did not change come back byte for
// byte in the file's own layout (separator, quoting, line ends, byte-order mark), nothing is
// evaluated as a formula, changed fields are written from their new values, and a csv saved
// as xlsx holds plain cells that openpyxl reads.
#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

class CsvRun : public Cli {
protected:
    // `text` as n.csv through `arguments` (a tool and its options) into o.csv; its bytes.
    std::string through(const std::string& text, const std::string& arguments, const std::string& name = "n.csv") {
        writeBytes(dir / name, text);
        const Result r = run("run " + arguments.substr(0, arguments.find(' ')) + " " + quoted(dir / name) +
                             arguments.substr(arguments.find(' ')) + " -o " + quoted(dir / "o.csv"));
        EXPECT_EQ(r.status, 0) << r.out << err();
        return slurp(dir / "o.csv");
    }

    static void writeBytes(const fs::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
};

// Only the cells to clean are selected: a text tool writes every selected cell back as
// typed input (as the host does), which turns "=1+2" into a formula.
TEST_F(CsvRun, FieldsThatLookLikeNumbersDatesOrFormulasComeBackAsTheyWere) {
    EXPECT_EQ(through("007,=1+2,2024-01-02\n  x   y \n", "remove-extra-spaces --select A2"),
              "007,=1+2,2024-01-02\nx y\n");
    EXPECT_EQ(through("12345678901234567890,TRUE,\"=HYPERLINK(\"\"http://example.org\"\",\"\"site\"\")\"\n"
                      "@SUM(A1),-5,+3.5,-x,  a  b\n",
                      "remove-extra-spaces --select E2"),
              "12345678901234567890,TRUE,\"=HYPERLINK(\"\"http://example.org\"\",\"\"site\"\")\"\n"
              "@SUM(A1),-5,+3.5,-x,a b\n");
}

TEST_F(CsvRun, NothingIsEvaluatedAsAFormula) {
    writeBytes(dir / "n.csv", "=1+2,\"=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",-5,+3.5,@x,-1+1\n");
    const Result shown = run("show " + quoted(dir / "n.csv") + " --range A1:F1 --json");
    ASSERT_EQ(shown.status, 0) << err();
    const std::string json = shown.out;
    for (const char* text : {"\"=1+2\"", "\"=HYPERLINK(\\\"http://x\\\",\\\"y\\\")\"", "\"@x\"", "\"-1+1\""})
        EXPECT_NE(json.find(text), std::string::npos) << text << " in " << json;
    EXPECT_EQ(json.find("#NAME?"), std::string::npos) << json;
}

TEST_F(CsvRun, TheSeparatorLineEndsAndByteOrderMarkOfTheFileAreKept) {
    EXPECT_EQ(through("\xEF\xBB\xBFname;amount;note\r\n  Ada  ;1,5;\"x;y\"\r\nBob;2;\r\n",
                      "remove-extra-spaces --select A1:C3"),
              "\xEF\xBB\xBFname;amount;note\r\nAda;1,5;\"x;y\"\r\nBob;2;\r\n");
    EXPECT_EQ(through("id\tnote\n7\t  tab  \n8\t\"a\tb\"\n", "remove-extra-spaces --select A1:B3"),
              "id\tnote\n7\ttab\n8\t\"a\tb\"\n");
    EXPECT_EQ(through("a\r  b  ", "remove-extra-spaces --select A1:A2"), "a\rb");
}

TEST_F(CsvRun, QuotedFieldsKeepTheirBytes) {
    const std::string kept = "\"x, y\",\"say \"\"hi\"\"\",\"two\nlines\",\"crlf\r\nhere\",\"\",\"plain\"";
    EXPECT_EQ(through(kept + ",  p   q  \r\n", "remove-extra-spaces --select A1:G1"), kept + ",p q\r\n");
}

TEST_F(CsvRun, AChangedFieldIsQuotedWhenItNeedsTo) {
    EXPECT_EQ(through("\"  a,   b  \",007,\"  say  \"\"x\"\" \"\n", "remove-extra-spaces --select A1:C1"),
              "\"a, b\",007,\"say \"\"x\"\"\"\n");
}

TEST_F(CsvRun, RowsDeletedByAToolLeaveTheOtherFieldsAsTheyWere) {
    EXPECT_EQ(through("h1,h2\n\"q,1\",007\n,\n\n3,\"x\"\"y\"\n", "remove-rows --select A1:B5"),
              "h1,h2\n\"q,1\",007\n3,\"x\"\"y\"\n");
    EXPECT_EQ(through("key,note\r\nA,\"1,0\"\r\na,0012\r\nB,=x\r\nA,last\r\n",
                      "remove-duplicates-keep-first --select A2:A5 --set optDelEntireIfBlank=true"),
              "key,note\r\nA,\"1,0\"\r\nB,=x\r\n");
}

TEST_F(CsvRun, WrittenInPlaceTheFileKeepsItsLayout) {
    writeBytes(dir / "n.csv", "\xEF\xBB\xBFk;v\r\n  x  ;0012\r\n");
    ASSERT_EQ(run("run remove-extra-spaces " + quoted(dir / "n.csv") + " --select A2 --in-place").status, 0) << err();
    EXPECT_EQ(slurp(dir / "n.csv"), "\xEF\xBB\xBFk;v\r\nx;0012\r\n");
}

TEST_F(CsvRun, AnXlsxSavedAsCsvIsWrittenAsBefore) {
    ASSERT_EQ(run("run remove-extra-spaces " + book().string() + " --select A2:A3 -o " + quoted(dir / "o.csv")).status,
              0)
        << err();
    const std::string csv = slurp(dir / "o.csv");
    ASSERT_GE(csv.size(), 2u);
    EXPECT_EQ(csv.substr(0, 24), "Name,City,Email,Orders\r\n") << csv;
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
}

TEST_F(CsvRun, ACsvSavedAsXlsxHoldsPlainCellsThatOpenpyxlReads) {
    if (!haveOpenpyxl()) GTEST_SKIP() << kPython << " with openpyxl is not installed";
    writeBytes(dir / "n.csv",
               "007,=1+2,2024-01-02,TRUE,12345678901234567890,  x  \n"
               "100000,-5,+3.5,@x,'0012,1e15\n");
    const Result r = run("run remove-extra-spaces " + quoted(dir / "n.csv") + " --select F1 -o " + quoted(out()));
    ASSERT_EQ(r.status, 0) << r.out << err();
    const Output cells = shell(scaleScript("xlsx_cells.py") + " " + quoted(out()));
    ASSERT_EQ(cells.status, 0) << cells.text;
    std::string cleaned;  // the sheet read, without its undo copy
    std::istringstream lines(cells.text);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("n!")) cleaned += line + "\n";
    EXPECT_EQ(cleaned,
              "n!A1 n 7 General\n"
              "n!B1 s '=1+2' General\n"
              "n!C1 d datetime.datetime(2024, 1, 2, 0, 0) mm-dd-yy\n"
              "n!D1 b True General\n"
              "n!E1 n 12345678901234567168 General\n"
              "n!F1 s 'x' General\n"
              "n!A2 n 100000 General\n"
              "n!B2 n -5 General\n"
              "n!C2 n 3.5 General\n"
              "n!D2 s '@x' General\n"
              "n!E2 s '0012' General\n"
              "n!F2 n 1000000000000000.0 General\n");
}

}  // namespace
