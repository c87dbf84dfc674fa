// Several workbooks for one run, as apply takes them: each loaded, changed and saved on its
// own, a broken one named while the others go on, the worst exit status; on a terminal a
// line names each file as it starts.
#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

class Several : public Cli {
protected:
    fs::path copyOfBook(const std::string& name) {
        fs::copy_file(book(), dir / name);
        return dir / name;
    }
    fs::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return dir / name;
    }
    // The cells of a sheet as `show --json` lists them.
    nlohmann::json cells(const fs::path& file, const std::string& sheet = "Customers") {
        const auto r = run("show " + quoted(file) + " --sheet " + sheet + " --json");
        EXPECT_EQ(r.status, 0) << err();
        return r.status == 0 ? json(r)["cells"] : nlohmann::json{};
    }
};

const std::string kDedupe = "run remove-duplicates-keep-first FILES --column Email --mode entire-row";

std::string with(std::string arguments, const std::string& files) {
    return arguments.replace(arguments.find("FILES"), 5, files);
}

TEST_F(Several, EachIsCleanedOnItsOwnAndABrokenOneIsNamedWhileTheOthersGoOn) {
    const fs::path alone = copyOfBook("alone.xlsx");
    ASSERT_EQ(run(with(kDedupe, quoted(alone)) + " -o " + quoted(dir / "alone-clean.xlsx")).status, 0) << err();

    const fs::path second = copyOfBook("second.xlsx");
    const fs::path broken = write("broken.xlsx", "this is no workbook");
    fs::create_directories(dir / "clean");
    const auto r = run(with(kDedupe, quoted(book()) + " " + quoted(broken) + " " + quoted(second)) + " --out-dir " +
                       quoted(dir / "clean"));
    EXPECT_EQ(r.status, 3) << r.out;  // the worst: the broken file's
    EXPECT_NE(err().find("cellwash: " + broken.string() + ": "), std::string::npos) << err();
    EXPECT_EQ(cells(dir / "clean" / "customers.xlsx"), cells(dir / "alone-clean.xlsx"));
    EXPECT_EQ(cells(dir / "clean" / "second.xlsx"), cells(dir / "alone-clean.xlsx"));
    EXPECT_FALSE(fs::exists(dir / "clean" / "broken.xlsx"));
    // Each report under the name of its file, in the order given.
    const size_t first = r.out.find("== " + book().string()), third = r.out.find("== " + second.string());
    ASSERT_NE(first, std::string::npos) << r.out;
    ASSERT_NE(third, std::string::npos) << r.out;
    EXPECT_LT(first, r.out.find("== " + broken.string()));
    EXPECT_LT(r.out.find("== " + broken.string()), third);
    EXPECT_NE(r.out.find("written to " + (dir / "clean" / "second.xlsx").string(), third), std::string::npos);
}

TEST_F(Several, TheExitStatusIsTheWorstOfTheWorkbooks) {
    // A sheet with nothing on it: the tool refuses it (exit 1); the other workbook is cleaned.
    const fs::path empty = write("empty.csv", "");
    const fs::path other = copyOfBook("other.xlsx");
    const auto refused =
        run("run remove-extra-spaces " + quoted(empty) + " " + quoted(other) + " --select A2:C10 --in-place");
    EXPECT_EQ(refused.status, 1) << refused.out << err();
    EXPECT_NE(cells(other), cells(book()));  // written in place though the first was refused
    const auto alone = run("run remove-extra-spaces " + quoted(empty) + " --select A2:C10");
    EXPECT_EQ(alone.status, 1);
    EXPECT_EQ(run("run remove-extra-spaces " + quoted(other) + " " + quoted(book()) + " --select A2:C10").status, 0)
        << err();
}

TEST_F(Several, TheJsonReportIsAnArrayWithEachWorkbooksStatus) {
    const fs::path broken = write("broken.xlsx", "this is no workbook");
    const auto r = run("run remove-extra-spaces " + quoted(book()) + " " + quoted(broken) + " --select A2:C10 --json");
    EXPECT_EQ(r.status, 3);
    const auto reports = json(r);
    ASSERT_TRUE(reports.is_array()) << r.out;
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0]["workbook"], book().string());
    EXPECT_EQ(reports[0]["status"], 0);
    EXPECT_GT(reports[0]["changed"]["cells"].get<int>(), 0);
    EXPECT_EQ(reports[1]["workbook"], broken.string());
    EXPECT_EQ(reports[1]["status"], 3);
    EXPECT_NE(reports[1]["error"].get<std::string>().find(broken.string()), std::string::npos);
    // One workbook: one object, as before.
    EXPECT_TRUE(json(run("run remove-extra-spaces " + quoted(book()) + " --select A2:C10 --json")).is_object());
}

TEST_F(Several, OutputsThatNameOneFileAreRefusedBeforeAnythingIsLoaded) {
    const fs::path second = copyOfBook("second.xlsx");
    const std::string both = quoted(book()) + " " + quoted(second);
    EXPECT_EQ(run("run remove-extra-spaces " + both + " -o " + quoted(out())).status, 2);
    EXPECT_NE(err().find("-o names one file"), std::string::npos) << err();
    EXPECT_EQ(run("run remove-extra-spaces " + both + " --out-dir " + quoted(dir / "nowhere")).status, 2);
    EXPECT_NE(err().find("no such folder"), std::string::npos) << err();
    EXPECT_FALSE(fs::exists(out()));
}

TEST_F(Several, OnATerminalALineNamesEachFile) {
    if (shell("command -v script").status != 0) GTEST_SKIP() << "script (util-linux) is not installed";
    const fs::path second = copyOfBook("second.xlsx");
    const std::string command = std::string(CELLWASH_BINARY) + " run remove-extra-spaces " + quoted(book()) + " " +
                                quoted(second) + " --select A2:C10";
    // script runs the command on a terminal of its own; what it printed there comes back. The
    // reports go to a file: their "== FILE" headings do not reach the terminal.
    const auto terminal = shell("script -qec \"" + command + " >" + (dir / "reports.txt").string() + "\" /dev/null");
    EXPECT_EQ(terminal.status, 0) << terminal.text;
    EXPECT_NE(terminal.text.find("cellwash: [1/2] " + book().string()), std::string::npos) << terminal.text;
    EXPECT_NE(terminal.text.find("cellwash: [2/2] " + second.string()), std::string::npos) << terminal.text;
    EXPECT_NE(slurp(dir / "reports.txt").find("== " + second.string()), std::string::npos);
    EXPECT_EQ(slurp(dir / "reports.txt").find("[2/2]"), std::string::npos);
    // With the reports on the same terminal their headings name the files: no second line.
    const auto both = shell("script -qec \"" + command + "\" /dev/null");
    EXPECT_NE(both.text.find("== " + second.string()), std::string::npos) << both.text;
    EXPECT_EQ(both.text.find("[2/2]"), std::string::npos) << both.text;
    // Not on a terminal: no such lines.
    EXPECT_EQ(run(command.substr(command.find(" run ") + 1)).status, 0);
    EXPECT_EQ(err().find("[1/2]"), std::string::npos) << err();
}

}  // namespace
