// Exit statuses and messages of the binary where a user goes wrong or a run does not go all
// the way: each names what happened, in the user's terms.
#include "cli_fixture.h"

namespace fs = std::filesystem;

namespace {

using Messages = Cli;

TEST_F(Messages, AnUnknownCommandIsNamed) {
    const auto r = run("frobnicate " + book().string());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(err(),
              "cellwash: unknown command \"frobnicate\" (the commands are run, undo, redo, apply, show, type, tools, "
              "ribbon, tour; --help describes them)\n");
}

TEST_F(Messages, AFolderGivenAsTheWorkbookIsCalledAFolder) {
    fs::create_directories(dir / "book.xlsx");
    EXPECT_EQ(run("run remove-extra-spaces " + (dir / "book.xlsx").string()).status, 3);
    EXPECT_EQ(err(), "cellwash: " + (dir / "book.xlsx").string() + ": this is a folder, not a workbook file\n");
    EXPECT_EQ(run("run remove-extra-spaces " + (dir / "none.xlsx").string()).status, 3);
    EXPECT_EQ(err(), "cellwash: " + (dir / "none.xlsx").string() + ": no such file\n");
}

TEST_F(Messages, ACellOfAFileIsNamedAsTheUserNamesIt) {
    if (std::system("/usr/bin/python3 -c 'import openpyxl' >/dev/null 2>&1") != 0) GTEST_SKIP() << "needs openpyxl";
    // openpyxl cuts texts at 32,767 characters; the sheet part is lengthened afterwards.
    std::ofstream(dir / "long.py")
        << "import openpyxl, zipfile\n"
           "wb = openpyxl.Workbook(); wb.active['B3'] = 'x' * 32767; wb.save('short.xlsx')\n"
           "src = zipfile.ZipFile('short.xlsx'); dst = zipfile.ZipFile('long.xlsx', 'w')\n"
           "for item in src.infolist():\n"
           "    data = src.read(item.filename)\n"
           "    if item.filename.endswith('sheet1.xml'): data = data.replace(b'x' * 32767, b'x' * 40000)\n"
           "    dst.writestr(item, data)\n"
           "dst.close()\n";
    ASSERT_EQ(std::system(("cd '" + dir.string() + "' && /usr/bin/python3 long.py").c_str()), 0);
    EXPECT_EQ(run("show " + (dir / "long.xlsx").string()).status, 3);
    EXPECT_NE(err().find("the cell B3 holds a text longer than 32,767 characters"), std::string::npos) << err();
}

TEST_F(Messages, AHostVersionMustLookLikeOne) {
    EXPECT_EQ(run("run remove-extra-spaces " + book().string() + " --host-version abc").status, 2);
    EXPECT_NE(err().find("\"abc\" is not a host version; give one such as 16.0"), std::string::npos) << err();
    EXPECT_EQ(run("ribbon --host-version 11").status, 2);
    EXPECT_EQ(run("ribbon --host-version 11.0").status, 0) << err();
}

TEST_F(Messages, DialogSettingsThatDoNotFitAreUsageErrorsAndNothingIsWritten) {
    const struct {
        std::string tool, options, message;
    } cases[] = {
        {"remove-extra-spaces", "--set nosuchctl=1", "the dialog has no control nosuchctl"},
        {"remove-extra-spaces", "--click nosuchctl", "the dialog has no control nosuchctl"},
        {"rem-before-x-chars", "--set optLeading=maybe",
         "optLeading is an option button: --set optLeading=true or =false, not \"maybe\""},
        {"rem-before-x-chars", "--set optLeading=false",
         "optLeading is an option button: it is cleared by setting another of its group to true"},
        {"rem-before-x-chars", "--set txtNoOfChars=true", "txtNoOfChars takes a text: --set txtNoOfChars=TEXT"},
    };
    for (const auto& c : cases) {
        const auto r =
            run("run " + c.tool + " " + book().string() + " --select A2:A10 " + c.options + " -o " + out().string());
        EXPECT_EQ(r.status, 2) << c.options;
        EXPECT_EQ(err(), "cellwash: " + c.message + " (`cellwash run " + c.tool +
                             " --help` lists its controls); nothing was written\n");
        EXPECT_FALSE(fs::exists(out())) << c.options;
    }
}

TEST_F(Messages, AStoppedRunKeepsTheToolsMessageAndSaysHowFarItGot) {
    const auto r = run("run remove-extra-spaces " + book().string() + " --select A1:A9 --stop-after 2 --json");
    ASSERT_EQ(r.status, 0) << err();
    const auto report = json(r);
    EXPECT_EQ(report["alerts"][0]["message"], "All Extra Spaces Removed from Selected Cells!");
    EXPECT_EQ(report["stopped"], (nlohmann::json{{"done", 2}, {"total", 9}}));
    const auto plain = run("run remove-extra-spaces " + book().string() + " --select A1:A9 --stop-after 2");
    EXPECT_NE(plain.out.find("stopped: Stop was pressed after 2 of 9 item(s); the rest was not processed\n"),
              std::string::npos)
        << plain.out;
    EXPECT_TRUE(
        json(run("run remove-extra-spaces " + book().string() + " --select A1:A9 --json"))["stopped"].is_null());
    // The duplicate walks count against the rows of their selection too.
    const auto dups = run("run removeDuplicatesKeepFirst " + book().string() + " --select A1:A9 --stop-after 2 --json");
    ASSERT_EQ(dups.status, 0) << err();
    EXPECT_EQ(json(dups)["stopped"], (nlohmann::json{{"done", 2}, {"total", 9}}));
    // The entry tally keeps its own read-out; its total grows by the values met so far.
    const auto tally = run("run countUniques " + book().string() + " --select A1:A9 --stop-after 2 --json");
    ASSERT_EQ(tally.status, 0) << err();
    EXPECT_EQ(json(tally)["stopped"]["done"], 2);
    EXPECT_GE(json(tally)["stopped"]["total"], 9);
}

TEST_F(Messages, CellsTheSheetRefusedAreCountedAndTheFirstNamedAsTheUserNamesIt) {
    // Replacing the text before "x" pushes A3 past the 32,767 characters a cell holds.
    const std::string longText = "ab" + std::string(32760, 'x');
    ASSERT_EQ(run("type " + book().string() + " A3 " + longText + " --in-place").status, 0) << err();
    const auto r = run("run rem-all-chars-before-x-chars " + book().string() +
                       " --select A2:A4 --set chkReplaceChars=true --set txtNthChars=x "
                       "--set txtReplaceChars=yyyyyyyyyyyyyyyyyyyy --json");
    ASSERT_EQ(r.status, 0) << err();
    const auto report = json(r);
    EXPECT_EQ(report["alerts"].size(), 1u);
    EXPECT_EQ(report["not_written"]["cells"], 1);
    EXPECT_EQ(report["not_written"]["first"], "Customers!A3: Text is longer than 32767 characters");
}

}  // namespace
