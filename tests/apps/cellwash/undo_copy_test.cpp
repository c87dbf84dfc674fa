// --no-undo-copy: the hidden snapshot sheets the add-in keeps for its one level of undo
// ("<sheet>_Undo", "<sheet>_Redo") are left out of the written file, for people who clean a
// file for another program; without it they are written as before.
#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

class UndoCopy : public Cli {
protected:
    // The sheet names of a written file as openpyxl reads them, one line.
    std::string sheetNames(const fs::path& file) {
        const auto r = shell(std::string(kPython) +
                             " -c 'import openpyxl,sys; print(openpyxl.load_workbook(sys.argv[1])"
                             ".sheetnames)' " +
                             quoted(file));
        EXPECT_EQ(r.status, 0) << r.text;
        return r.text;
    }
    std::string csvOf(const fs::path& file, const std::string& sheet) {
        const auto r = run("show " + quoted(file) + " --sheet " + sheet + " --format csv");
        EXPECT_EQ(r.status, 0) << err();
        return r.out;
    }
};

TEST_F(UndoCopy, ARunLeavesTheSnapshotOutOnlyWhenAsked) {
    if (!haveOpenpyxl()) GTEST_SKIP() << "needs python3 with openpyxl";
    const std::string clean = "run remove-extra-spaces " + quoted(book()) + " --select A2:C10";
    ASSERT_EQ(run(clean + " -o " + quoted(dir / "with.xlsx")).status, 0) << err();
    const auto r = run(clean + " --no-undo-copy -o " + quoted(dir / "without.xlsx"));
    ASSERT_EQ(r.status, 0) << err();
    EXPECT_NE(r.out.find("note: the undo copy Customers_Undo is left out"), std::string::npos) << r.out;

    EXPECT_EQ(sheetNames(book()), "['Customers', 'Notes']\n");
    EXPECT_EQ(sheetNames(dir / "with.xlsx"), "['Customers_Undo', 'Customers', 'Notes']\n");
    EXPECT_EQ(sheetNames(dir / "without.xlsx"), sheetNames(book()));
    // The cleaned cells are the same either way.
    EXPECT_EQ(csvOf(dir / "without.xlsx", "Customers"), csvOf(dir / "with.xlsx", "Customers"));
    EXPECT_NE(csvOf(dir / "without.xlsx", "Customers"), csvOf(book(), "Customers"));
}

TEST_F(UndoCopy, CopiesAFileAlreadyHadGoToo) {
    if (!haveOpenpyxl()) GTEST_SKIP() << "needs python3 with openpyxl";
    const std::string clean = "run remove-extra-spaces " + quoted(book()) + " --select A2:C10 --in-place";
    ASSERT_EQ(run(clean).status, 0) << err();
    ASSERT_EQ(run("undo " + quoted(book()) + " --in-place").status, 0) << err();  // leaves Customers_Redo
    ASSERT_EQ(sheetNames(book()), "['Customers', 'Customers_Redo', 'Notes']\n");
    ASSERT_EQ(run("run change-to-upper-case " + quoted(book()) + " --select A2:A10 --no-undo-copy -o " + quoted(out()))
                  .status,
              0)
        << err();
    EXPECT_EQ(sheetNames(out()), "['Customers', 'Notes']\n");
}

TEST_F(UndoCopy, ApplyLeavesThemOutOfEveryWorkbook) {
    if (!haveOpenpyxl()) GTEST_SKIP() << "needs python3 with openpyxl";
    std::ofstream(dir / "recipe.json") << R"({"steps": [{"tool": "remove-extra-spaces", "select": "A2:C10"},
                                                      {"tool": "change-to-upper-case", "select": "A2:A10"}]})";
    fs::copy_file(book(), dir / "second.xlsx");
    fs::create_directories(dir / "clean");
    const auto r = run("apply " + quoted(dir / "recipe.json") + " " + quoted(book()) + " " +
                       quoted(dir / "second.xlsx") + " --no-undo-copy --out-dir " + quoted(dir / "clean"));
    ASSERT_EQ(r.status, 0) << err();
    EXPECT_EQ(sheetNames(dir / "clean" / "customers.xlsx"), "['Customers', 'Notes']\n");
    EXPECT_EQ(sheetNames(dir / "clean" / "second.xlsx"), "['Customers', 'Notes']\n");
    ASSERT_EQ(run("apply " + quoted(dir / "recipe.json") + " " + quoted(book()) + " -o " + quoted(out())).status, 0);
    EXPECT_EQ(sheetNames(out()), "['Customers_Undo', 'Customers', 'Notes']\n");
}

TEST_F(UndoCopy, LibreOfficeReadsTheFileWithoutTheCopy) {
    if (!haveLibreOffice()) GTEST_SKIP() << "needs LibreOffice (soffice)";
    ASSERT_EQ(
        run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 --no-undo-copy -o " + quoted(out())).status,
        0)
        << err();
    ASSERT_EQ(
        run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 -o " + quoted(dir / "with.xlsx")).status,
        0);
    for (const fs::path& file : {out(), dir / "with.xlsx"}) {
        const auto exported = exportSheetsWithLibreOffice(file, dir / "lo");
        ASSERT_EQ(exported.status, 0) << exported.text;
    }
    EXPECT_TRUE(fs::exists(dir / "lo" / "out-Customers.csv"));
    EXPECT_TRUE(fs::exists(dir / "lo" / "out-Notes.csv"));
    EXPECT_FALSE(fs::exists(dir / "lo" / "out-Customers_Undo.csv"));
    // The same export of the file with its copy does hold it.
    EXPECT_TRUE(fs::exists(dir / "lo" / "with-Customers_Undo.csv"));
    EXPECT_EQ(slurp(dir / "lo" / "out-Customers.csv"), slurp(dir / "lo" / "with-Customers.csv"));
}

}  // namespace
