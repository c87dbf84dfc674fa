// A workbook of 150,001 rows made by openpyxl goes through a cellwash run into a new file;
// openpyxl and LibreOffice read every sheet of it back and every value is compared. Row
// numbers, shared-string indexes and values pass 100,000 on the way.
#include <unistd.h>

#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

constexpr const char* kRows = "150001";  // with the header row

class ScaleRun : public ::testing::Test {
protected:
    // Made and run once for the checks below, which only read.
    static void SetUpTestSuite() {
        if (!haveOpenpyxl()) return;
        dir_ = fs::temp_directory_path() / ("cw_scale_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        made_ = shell(scaleScript("sheet_values.py") + " make-xlsx " + quoted(dir_ / "in.xlsx") + " " + kRows);
        if (made_.status != 0) return;
        ran_ = cellwash("run remove-extra-spaces " + quoted(dir_ / "in.xlsx") + " --select A1:A" + kRows + " -o " +
                            quoted(dir_ / "out.xlsx"),
                        dir_ / "stderr.txt");
    }
    static void TearDownTestSuite() {
        if (!dir_.empty()) fs::remove_all(dir_);
    }

    void SetUp() override {
        if (!haveOpenpyxl()) GTEST_SKIP() << kPython << " with openpyxl is not installed";
        ASSERT_EQ(made_.status, 0) << made_.text;
        ASSERT_EQ(ran_.status, 0) << ran_.out << slurp(dir_ / "stderr.txt");
    }

    static Output check(const std::string& arguments) { return shell(scaleScript("sheet_values.py") + " " + arguments); }

    static inline fs::path dir_;
    static inline Output made_{-1, ""};
    static inline Result ran_{-1, ""};
};

TEST_F(ScaleRun, TheRunChangedEveryPaddedName) {
    EXPECT_NE(ran_.out.find("changed: 75000 cell(s); added Data_Undo (hidden)"), std::string::npos) << ran_.out;
}

TEST_F(ScaleRun, OpenpyxlReadsEveryValueOfEverySheetBack) {
    const Output read = check("check-xlsx " + quoted(dir_ / "out.xlsx") + " " + kRows + " Data=trimmed Data_Undo=made");
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.text, std::string("ok: ") + kRows + " rows\n");
}

TEST_F(ScaleRun, LibreOfficeExportsEveryValueOfEverySheet) {
    if (!haveLibreOffice()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const fs::path exported = dir_ / "exported";
    const Output converted = exportSheetsWithLibreOffice(dir_ / "out.xlsx", exported);
    ASSERT_EQ(converted.status, 0) << converted.text;
    const Output cleaned = check("check-csv " + quoted(exported / "out-Data.csv") + " " + kRows + " trimmed");
    EXPECT_EQ(cleaned.status, 0);
    EXPECT_EQ(cleaned.text, std::string("ok: ") + kRows + " rows\n");
    const Output undo = check("check-csv " + quoted(exported / "out-Data_Undo.csv") + " " + kRows + " made");
    EXPECT_EQ(undo.status, 0);
    EXPECT_EQ(undo.text, std::string("ok: ") + kRows + " rows\n");
}

}  // namespace
