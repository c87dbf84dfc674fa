// Pipes: "-" as the workbook reads csv from standard input, -o - writes the result to
// standard output (csv, or xlsx with --format) while the report goes to standard error, and
// show --format csv|tsv|json prints a sheet for other tools.
#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

class Pipes : public Cli {
protected:
    fs::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return dir / name;
    }
    // Runs a Python script in the test's folder; its output.
    Output python(const std::string& script) {
        write("script.py", script);
        return shell("cd " + quoted(dir) + " && " + kPython + " script.py");
    }
};

const std::string kNames = "name,city\n  ada   lovelace ,london\nalan  turing,\"wilmslow, cheshire\"\n";

TEST_F(Pipes, CsvFromStandardInputToStandardOutputIsTheFileRunsResult) {
    const fs::path in = write("names.csv", kNames);
    ASSERT_EQ(run("run remove-extra-spaces " + quoted(in) + " --select A2:B3 -o " + quoted(dir / "file.csv")).status, 0)
        << err();
    const auto piped = run("run remove-extra-spaces - --select A2:B3 -o - < " + quoted(in));
    ASSERT_EQ(piped.status, 0) << err();
    EXPECT_EQ(piped.out, slurp(dir / "file.csv"));  // standard output carries the data and nothing else
    EXPECT_NE(piped.out, kNames);
    // The report went to standard error.
    EXPECT_NE(err().find("All Extra Spaces Removed"), std::string::npos) << err();
    EXPECT_NE(err().find("written to standard output"), std::string::npos) << err();
}

TEST_F(Pipes, OneRunFeedsTheNext) {
    const fs::path in = write("names.csv", kNames);
    const auto chained =
        shell("(" + std::string(CELLWASH_BINARY) + " run remove-extra-spaces - --select A2:B3 -o - < " + quoted(in) +
              " 2>/dev/null | " + CELLWASH_BINARY + " run change-to-upper-case - --select A2:A3 -o - 2>/dev/null)");
    ASSERT_EQ(chained.status, 0) << chained.text;
    ASSERT_EQ(run("run remove-extra-spaces " + quoted(in) + " --select A2:B3 -o " + quoted(dir / "one.csv")).status, 0);
    ASSERT_EQ(
        run("run change-to-upper-case " + quoted(dir / "one.csv") + " --select A2:A3 -o " + quoted(dir / "two.csv"))
            .status,
        0);
    EXPECT_EQ(chained.text, slurp(dir / "two.csv"));
}

TEST_F(Pipes, XlsxGoesToAPipeButNotToATerminal) {
    if (!haveOpenpyxl()) GTEST_SKIP() << "needs python3 with openpyxl";
    const auto r = run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 -o - --format xlsx > " +
                       quoted(dir / "piped.xlsx"));
    ASSERT_EQ(r.status, 0) << err();
    ASSERT_EQ(run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 -o " + quoted(out())).status, 0);
    const auto read = python(
        "import openpyxl\n"
        "def rows(name): return [list(r) for r in "
        "openpyxl.load_workbook(name)['Customers'].iter_rows(values_only=True)]\n"
        "print(rows('piped.xlsx') == rows('out.xlsx'), len(rows('piped.xlsx')))\n");
    EXPECT_EQ(read.text, "True 10\n");

    if (shell("command -v script").status != 0) GTEST_SKIP() << "script (util-linux) is not installed";
    const auto terminal = shell("script -qec \"" + std::string(CELLWASH_BINARY) + " run remove-extra-spaces " +
                                quoted(book()) + " --select A2:C10 -o - --format xlsx\" /dev/null");
    EXPECT_EQ(terminal.status, 2) << terminal.text;
    EXPECT_NE(terminal.text.find("xlsx is not written to a terminal"), std::string::npos) << terminal.text;
}

TEST_F(Pipes, AFormatForANameThatDoesNotSayIt) {
    ASSERT_EQ(run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 -o " + quoted(dir / "result") +
                  " --format csv")
                  .status,
              0)
        << err();
    ASSERT_EQ(
        run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 -o " + quoted(dir / "result.csv")).status,
        0);
    EXPECT_EQ(slurp(dir / "result"), slurp(dir / "result.csv"));
    ASSERT_EQ(run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 -o " + quoted(dir / "book") +
                  " --format xlsx")
                  .status,
              0)
        << err();
    EXPECT_EQ(slurp(dir / "book").substr(0, 2), "PK");  // a zip package
}

TEST_F(Pipes, WhatCannotBeWrittenIsAUsageError) {
    const fs::path in = write("names.csv", kNames);
    struct Case {
        std::string arguments, says;
    };
    const Case cases[] = {
        {"- --in-place < " + quoted(in), "--in-place cannot save over standard input"},
        {quoted(book()) + " -o " + quoted(out()) + " --format csv", "is xlsx by its name, not csv"},
        {quoted(book()) + " --format csv", "--format says how -o writes"},
        {"- - -o - < " + quoted(in), "standard input (-) can be read once"},
        {"- --out-dir " + quoted(dir) + " < " + quoted(in), "standard input has no name to write under --out-dir"},
    };
    for (const auto& c : cases) {
        const auto r = run("run remove-extra-spaces " + c.arguments + " --select A1");
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_NE(err().find(c.says), std::string::npos) << c.arguments << ": " << err();
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    EXPECT_FALSE(fs::exists(out()));
}

TEST_F(Pipes, ShowPrintsASheetAsCsvAndTsvForOtherTools) {
    if (!haveOpenpyxl()) GTEST_SKIP() << "needs python3 with openpyxl";
    const auto csv = run("show " + quoted(book()) + " --sheet Customers --format csv");
    ASSERT_EQ(csv.status, 0) << err();
    write("shown.csv", csv.out);
    const auto tsv = run("show " + quoted(book()) + " --sheet Customers --format tsv");
    ASSERT_EQ(tsv.status, 0) << err();
    write("shown.tsv", tsv.out);
    // What another program reads from each is what openpyxl reads from the workbook.
    const auto compared = python(
        "import csv, openpyxl\n"
        "sheet = openpyxl.load_workbook('customers.xlsx')['Customers']\n"
        "book = [['' if v is None else str(v) for v in row] for row in sheet.iter_rows(values_only=True)]\n"
        "shown = list(csv.reader(open('shown.csv', newline='')))\n"
        "tabbed = [line.split('\\t') for line in open('shown.tsv').read().splitlines()]\n"
        "print(shown == book, tabbed == book, len(book))\n");
    EXPECT_EQ(compared.text, "True True 10\n");
    EXPECT_EQ(run("show " + quoted(book()) + " --format json").out, run("show " + quoted(book()) + " --json").out);
}

TEST_F(Pipes, ShowQuotesAndEscapesWhatCsvAndTsvCannotHoldPlain) {
    const std::string text = "plain,\"with, comma\",\"say \"\"hi\"\"\",\"two\nlines\"\n\"tab\there\",\\back,,end\n";
    const fs::path in = write("odd.csv", text);
    const auto csv = run("show - --format csv < " + quoted(in));
    ASSERT_EQ(csv.status, 0) << err();
    write("shown.csv", csv.out);
    // Python's csv module reads the same fields from what show printed as from the file.
    const auto compared = python(
        "import csv\n"
        "read = lambda name: list(csv.reader(open(name, newline='')))\n"
        "print(read('odd.csv') == read('shown.csv'))\n");
    EXPECT_EQ(compared.text, "True\n") << csv.out;
    const auto tsv = run("show - --format tsv < " + quoted(in));
    ASSERT_EQ(tsv.status, 0) << err();
    EXPECT_EQ(tsv.out, "plain\twith, comma\tsay \"hi\"\ttwo\\nlines\ntab\\there\t\\\\back\t\tend\n");
}

TEST_F(Pipes, NothingIsLeftInTheTemporaryFolderAndWhatAnEndedRunLeftGoes) {
    // The runs get a temporary folder of their own (TMPDIR), holding a folder as a run killed
    // mid-pipe leaves it: named after a process that has ended.
    const fs::path temp = dir / "tmp";
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const fs::path stale = temp / ("cellwash-pipe-" + std::to_string(child) + "-1");
    fs::create_directories(stale);
    std::ofstream(stale / "stdin.csv") << "left behind";
    const fs::path in = write("names.csv", kNames);
    const std::string tmpdir = "TMPDIR=" + quoted(temp) + " ";
    const auto piped = shell(tmpdir + CELLWASH_BINARY + " run remove-extra-spaces - --select A2:B3 -o - < " +
                             quoted(in) + " 2>/dev/null");
    ASSERT_EQ(piped.status, 0) << piped.text;
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::is_empty(temp));  // the run's own folders went with it
    const auto xlsx = shell(tmpdir + CELLWASH_BINARY + " run remove-extra-spaces " + quoted(book()) +
                            " --select A2:C10 -o - --format xlsx > " + quoted(dir / "piped.xlsx"));
    ASSERT_EQ(xlsx.status, 0) << xlsx.text;
    EXPECT_TRUE(fs::is_empty(temp));
}

}  // namespace
