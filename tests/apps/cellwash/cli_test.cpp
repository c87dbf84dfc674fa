// The cellwash command line end to end: the binary on real workbook files, its JSON report,
// the file it writes (read back through the files layer) and its exit statuses.
#include "cli_fixture.h"
#include "tests/support/printing.h"

namespace fs = std::filesystem;

namespace {

TEST_F(Cli, ATextCleanerRunReportsItsMessageProgressAndWritesTheResult) {
    const auto r = run("run remove-extra-spaces " + book().string() + " --select A2:A10 --json -o " + out().string());
    ASSERT_EQ(r.status, 0) << err();
    const auto report = json(r);
    EXPECT_EQ(report["command"], "removeExtraSpaces");
    ASSERT_EQ(report["alerts"].size(), 1u);
    EXPECT_EQ(report["alerts"][0]["message"], "All Extra Spaces Removed from Selected Cells!");
    ASSERT_FALSE(report["progress"].empty());
    EXPECT_EQ(report["progress"].back(), "Removing...100 %");
    EXPECT_EQ(report["written"], out().string());
    EXPECT_GE(report["changed"]["cells"].get<int>(), 2);
    const auto names = columnA(out(), 3);
    EXPECT_EQ(names[1], u"Ada Lovelace");
    EXPECT_EQ(names[2], u"alan turing");
}

TEST_F(Cli, ADryRunWritesNothingAndLeavesTheInputAlone) {
    const std::string before = slurp(book());
    const auto r = run("run btnDelNumbers_07 " + book().string() + " --select A1:A10 --json");
    ASSERT_EQ(r.status, 0) << err();
    EXPECT_TRUE(json(r)["written"].is_null());
    EXPECT_EQ(json(r)["changed"]["cells"], 1);  // "Katherine Johnson42"
    EXPECT_EQ(slurp(book()), before);
    EXPECT_FALSE(fs::exists(out()));
}

TEST_F(Cli, UndoAndRedoUseTheSnapshotSheetsStoredInTheFile) {
    ASSERT_EQ(run("run CWTOOLS5_TC1 " + book().string() + " --select A1:A10 -o " + out().string()).status, 0);
    EXPECT_EQ(columnA(out(), 7)[6], u"Katherine Johnson");
    ASSERT_EQ(run("undo " + out().string() + " --in-place").status, 0) << err();
    EXPECT_EQ(columnA(out(), 7)[6], u"Katherine Johnson42");
    ASSERT_EQ(run("redo " + out().string() + " --in-place --json").status, 0) << err();
    EXPECT_EQ(columnA(out(), 7)[6], u"Katherine Johnson");
}

TEST_F(Cli, StopAfterTheSecondYieldLeavesTheRestUntouched) {
    const auto r = run("run removeAllCaps " + book().string() + " --select A1:A10 --stop-after 2 --json");
    ASSERT_EQ(r.status, 0) << err();
    const auto report = json(r);
    ASSERT_FALSE(report["progress"].empty());
    EXPECT_NE(report["progress"].back(), "Removing...100 %");
}

TEST_F(Cli, TheLegacyMenuDoorRunsTheSameCommand) {
    const auto r = run("run removeNumbers " + book().string() + " --select A1:A10 --host-version 11.0 --json");
    ASSERT_EQ(r.status, 0) << err();
    EXPECT_EQ(json(r)["alerts"][0]["message"], "All Numbers Removed from Selected Cells!");
}

TEST_F(Cli, ARefusalExitsWithOne) {
    const auto r = run("run removeNumbers " + book().string() + " --select H20:H30 --json");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(json(r)["alerts"].size(), 1u);
    EXPECT_TRUE(json(r)["written"].is_null());
}

// With an output asked for, a refusal leaves nothing written and says why, not "dry run".
TEST_F(Cli, ARefusalWithAnOutputSaysNothingWasWrittenAndWhy) {
    const auto out = dir / "refused.xlsx";
    const auto r = run("run removeNumbers " + book().string() + " --select H20:H30 -o " + out.string());
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("nothing written: the tool refused or did not finish"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("dry run"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(Cli, BadArgumentsAndFilesGetOneClearLine) {
    struct Case {
        std::string arguments;
        int status;
        std::string says;
    };
    const Case cases[] = {
        {"run no-such-tool " + book().string(), 2, "unknown tool \"no-such-tool\""},
        {"run removeNumbers " + book().string() + " --select A0:Q", 2, "--select"},
        {"run removeNumbers " + (dir / "missing.xlsx").string(), 3, "no such file"},
        {"show " + book().string() + " --sheet Nope", 2, "no sheet named \"Nope\""},
        {"frobnicate", 2, ""},
    };
    for (const auto& c : cases) {
        const auto r = run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_NE(err().find(c.says), std::string::npos) << err();
    }
    fs::path broken = dir / "broken.xlsx";
    std::ofstream(broken) << "not a zip";
    EXPECT_EQ(run("show " + broken.string()).status, 3);
    EXPECT_NE(err().find("broken.xlsx"), std::string::npos);
}

TEST_F(Cli, ShowAndTypeWorkOnTheFile) {
    const auto shown = run("show " + book().string() + " --range A1:B2 --json");
    ASSERT_EQ(shown.status, 0) << err();
    EXPECT_EQ(json(shown)["cells"][0]["value"], "Name");
    const auto typed = run("type " + book().string() + " D2 50% -o " + out().string());
    ASSERT_EQ(typed.status, 0) << err();
    EXPECT_NE(typed.out.find("D2 = 0.5 (number)"), std::string::npos) << typed.out;
}

TEST_F(Cli, ThePreventersRuleIsSavedAndEnforcedWhenTyping) {
    const auto guarded =
        run("run btnDupPreventer_30 " + book().string() + " --select C2:C20 --json -o " + out().string());
    ASSERT_EQ(guarded.status, 0) << err();
    const auto typed = run("type " + out().string() + " C12 ADA@example.org");
    EXPECT_EQ(typed.status, 1);
    EXPECT_FALSE(err().empty());
    EXPECT_EQ(run("type " + out().string() + " C12 new@example.org").status, 0) << err();
}

TEST_F(Cli, CountToolsPrintTheirFiguresAndLeaveTheWorkbookAlone) {
    const auto r = run("run count-active-sheet " + book().string() + " --json");
    ASSERT_EQ(r.status, 0) << err();
    const auto report = json(r);
    ASSERT_EQ(report["figures"].size(), 5u) << r.out;
    EXPECT_EQ(report["figures"][0]["label"], "Words");
    EXPECT_EQ(report["figures"][3]["value"], "2");     // Customers and Notes are visible
    EXPECT_TRUE(report["changed"]["sheets"].empty());  // no undo copy for counting
    EXPECT_EQ(report["dialog"]["ctrSheetsVisible"], "2");
}

TEST_F(Cli, ToolHelpListsTheDialogsOwnControls) {
    const auto help = run("run removeUD --help");
    ASSERT_EQ(help.status, 0) << err();
    EXPECT_NE(help.out.find("--set txtUserDefinedChars=TEXT"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("Do you want to Remove User Defined Characters ?"), std::string::npos);
}

TEST_F(Cli, TheRibbonShowsHindiLabelsAfterTheLanguageSwitch) {
    const auto english = run("ribbon");
    const auto hindi = run("ribbon --lang Hi");
    ASSERT_EQ(english.status, 0) << err();
    ASSERT_EQ(hindi.status, 0) << err();
    EXPECT_NE(english.out, hindi.out);
    EXPECT_NE(english.out.find("btnDelNumbers_07"), std::string::npos);
    EXPECT_EQ(run("ribbon --lang Xx").status, 2);
    const auto hindiRun = run("run removeNumbers " + book().string() + " --select A1:A10 --lang Hi --json");
    EXPECT_EQ(hindiRun.status, 0) << err();
    EXPECT_EQ(run("run removeNumbers " + book().string() + " --lang Xx").status, 2);
    const auto legacy = run("ribbon --host-version 11.0");
    EXPECT_NE(legacy.out.find("&Cellwash"), std::string::npos);
}

}  // namespace
