// Hostile workbooks through the binary: long runs of filler in a part and zip bombs are
// loaded or refused quickly (the refusal naming the part, exit 3, the input untouched), and a
// part that inflates a lot but is no bomb still opens. The files are made by
// hostile_xlsx.py, which writes gigabytes of filler as a few megabytes of archive.
#include <cstdlib>

#include "cli_fixture.h"

namespace {

const std::string kPython = "/usr/bin/python3";

class HostileFiles : public Cli {
protected:
    void SetUp() override {
        Cli::SetUp();
        if (!fs::exists(kPython)) GTEST_SKIP() << kPython << " is not installed";
    }

    // A workbook whose `part` has `size` bytes of filler; `options` go to hostile_xlsx.py.
    fs::path make(const std::string& name, const std::string& options) {
        const fs::path file = dir / name;
        const std::string script = (fs::path(CW_SOURCE_DIR) / "tests/apps/cellwash/hostile_xlsx.py").string();
        const std::string command = kPython + " " + script + " " + file.string() + " " + options;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return file;
    }

    // `cellwash show` refuses the file with exit 3 and a message containing `problem`; neither
    // it nor a save in place changes the file.
    void expectRefused(const fs::path& file, const std::string& problem) {
        const std::string before = slurp(file);
        const Result shown = run("show " + file.string());
        EXPECT_EQ(shown.status, 3) << shown.out;
        EXPECT_NE(err().find(file.string() + ": "), std::string::npos) << err();
        EXPECT_NE(err().find(problem), std::string::npos) << err();
        const Result cleaned = run("run remove-extra-spaces " + file.string() + " --select A1:B2 --in-place");
        EXPECT_EQ(cleaned.status, 3) << cleaned.out;
        EXPECT_NE(err().find(problem), std::string::npos) << err();
        EXPECT_TRUE(slurp(file) == before) << "the refused file was changed";
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3)
            << "something beside the two workbooks and stderr.txt was left behind";
    }

    // `cellwash show` loads the file and shows the four cells every made workbook holds.
    void expectLoaded(const fs::path& file) {
        const Result shown = run("show " + file.string());
        ASSERT_EQ(shown.status, 0) << err();
        EXPECT_NE(shown.out.find("Data A1:B2"), std::string::npos) << shown.out;
        for (const char* value : {"first", "42", "second", "last"})
            EXPECT_NE(shown.out.find(value), std::string::npos) << value << " missing from\n" << shown.out;
    }
};

TEST_F(HostileFiles, LongWhitespaceRunsLoadWherePartsMayHoldThem) {
    // Below the bound on inflation, so read through: between the rows, before the cells,
    // between the shared strings (48 MiB used to take seconds between the rows alone).
    expectLoaded(make("cells.xlsx", "--size 48M"));
    expectLoaded(make("head.xlsx", "--size 48M --marker HEAD"));
    expectLoaded(make("strings.xlsx", "--size 48M --part xl/sharedStrings.xml"));
    // Text that is not whitespace, between the cells, is no cell's and is read past too.
    expectLoaded(make("text.xlsx", "--size 32M --unit 'abc&amp;'"));
}

TEST_F(HostileFiles, AFourGibibyteBombInTheSheetIsRefusedNamingThePart) {
    const fs::path bomb = make("bomb.xlsx", "--size 4G");
    EXPECT_LT(fs::file_size(bomb), 8u << 20);
    expectRefused(bomb, "the part xl/worksheets/sheet1.xml inflates to more than 2048 MiB");
}

TEST_F(HostileFiles, ABombThatUnderstatesItsSizeIsRefusedAtTheStatedSize) {
    expectRefused(make("forged.xlsx", "--size 4G --declare 1M"),
                  "the part xl/worksheets/sheet1.xml inflates to more than the 1 MiB its archive entry records");
}

TEST_F(HostileFiles, BombsInTheOtherPartsAreRefusedNamingThePart) {
    for (const std::string part : {"xl/sharedStrings.xml", "xl/styles.xml", "xl/workbook.xml", "[Content_Types].xml"}) {
        SCOPED_TRACE(part);
        const fs::path bomb = make("bomb.xlsx", "--size 1G --part '" + part + "'");
        expectRefused(bomb, "the part " + part + " inflates to more than 100 times its compressed size");
        fs::remove(bomb);
    }
}

TEST_F(HostileFiles, OverlongMarkupIsRefusedWhereverItIs) {
    expectRefused(make("comment.xlsx", "--size 48M '--open=<!--' '--close=-->'"),
                  "a tag, comment or CDATA section longer than 4 MiB");
    fs::remove(dir / "comment.xlsx");
    expectRefused(make("attribute.xlsx", "--size 48M --marker HEAD \"--open=<sheetPr codeName='\" \"--close='/>\""),
                  "more than 4 MiB without an element or text");
}

TEST_F(HostileFiles, APartThatInflatesAHundredfoldButStaysSmallOpens) {
    // Sixty thousand identical cell formats: some 4 MiB at hundreds to one, as bloated real
    // workbooks have them.
    const fs::path file = make("styles.xlsx",
                               "--part xl/styles.xml --size 3720000 "
                               "--unit '<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>'");
    expectLoaded(file);
    const Result cleaned = run("run remove-extra-spaces " + file.string() + " --select A1:B2 -o " + out().string());
    EXPECT_EQ(cleaned.status, 0) << err();
}

}  // namespace
