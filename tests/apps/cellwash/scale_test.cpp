// A workbook of 150,001 rows made by openpyxl goes through a cellwash run into a new file;
// openpyxl and LibreOffice read every sheet of it back and every value is compared. Row
// numbers, shared-string indexes and values pass 100,000 on the way.
#include <unistd.h>

#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

constexpr const char* kRows = "150001";  // with the header row

// One test, since making and running take most of its time: each ctest test is a process.
TEST_F(Cli, AWorkbookOf150001RowsIsReadBackWholeByOpenpyxlAndLibreOffice) {
    if (!haveOpenpyxl()) GTEST_SKIP() << kPython << " with openpyxl is not installed";
    auto values = [](const std::string& arguments) { return shell(scaleScript("sheet_values.py") + " " + arguments); };
    const Output made = values("make-xlsx " + quoted(dir / "in.xlsx") + " " + kRows);
    ASSERT_EQ(made.status, 0) << made.text;
    const Result ran =
        run("run remove-extra-spaces " + quoted(dir / "in.xlsx") + " --select A1:A" + kRows + " -o " + quoted(out()));
    ASSERT_EQ(ran.status, 0) << ran.out << err();
    EXPECT_NE(ran.out.find("changed: 75000 cell(s); added Data_Undo (hidden)"), std::string::npos) << ran.out;

    const std::string ok = std::string("ok: ") + kRows + " rows\n";
    const Output read = values("check-xlsx " + quoted(out()) + " " + kRows + " Data=trimmed Data_Undo=made");
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.text, ok) << "openpyxl";

    if (!haveLibreOffice()) GTEST_SKIP() << "LibreOffice (soffice) is not installed; openpyxl read every value back";
    const fs::path exported = dir / "exported";
    const Output converted = exportSheetsWithLibreOffice(out(), exported);
    ASSERT_EQ(converted.status, 0) << converted.text;
    const Output cleaned = values("check-csv " + quoted(exported / "out-Data.csv") + " " + kRows + " trimmed");
    EXPECT_EQ(cleaned.status, 0);
    EXPECT_EQ(cleaned.text, ok) << "LibreOffice, sheet Data";
    const Output undo = values("check-csv " + quoted(exported / "out-Data_Undo.csv") + " " + kRows + " made");
    EXPECT_EQ(undo.status, 0);
    EXPECT_EQ(undo.text, ok) << "LibreOffice, sheet Data_Undo";
}

}  // namespace
