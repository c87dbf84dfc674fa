// Recipes end to end: `apply` runs a list of steps on one load and one save per workbook and
// gives the same cells as the same runs one after another; `run --record` writes recipes;
// a refused step stops its workbook; several workbooks each on their own.
#include "cli_fixture.h"

namespace {

const char* kThreeSteps = R"({"steps": [
  {"tool": "remove-extra-spaces", "select": "A2:C10"},
  {"tool": "remove-duplicates-keep-first", "column": "Email", "mode": "entire-row"},
  {"tool": "color-nth-row", "select": "A1:D10", "nth": "2", "colour": "light-yellow"}
]})";

const char* kThreeRuns[] = {
    "run remove-extra-spaces BOOK --select A2:C10 --in-place",
    "run remove-duplicates-keep-first BOOK --column Email --mode entire-row --in-place",
    "run color-nth-row BOOK --select A1:D10 --nth 2 --colour light-yellow --in-place",
};

class Recipe : public Cli {
protected:
    fs::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name) << text;
        return dir / name;
    }
    fs::path copyOfBook(const std::string& name) {
        fs::copy_file(book(), dir / name);
        return dir / name;
    }
    std::string withBook(std::string arguments, const fs::path& file) {
        return arguments.replace(arguments.find("BOOK"), 4, file.string());
    }
    nlohmann::json customers(const fs::path& file) {
        const auto r = run("show " + file.string() + " --sheet Customers --json");
        EXPECT_EQ(r.status, 0) << err();
        return r.status == 0 ? json(r)["cells"] : nlohmann::json{};
    }
};

TEST_F(Recipe, ThreeStepsGiveTheCellsOfTheSameThreeRunsOneAfterAnother) {
    const fs::path separately = copyOfBook("separately.xlsx");
    for (const char* arguments : kThreeRuns) ASSERT_EQ(run(withBook(arguments, separately)).status, 0) << err();
    const auto r =
        run("apply " + write("clean.json", kThreeSteps).string() + " " + book().string() + " -o " + out().string());
    ASSERT_EQ(r.status, 0) << err() << r.out;
    EXPECT_EQ(customers(out()), customers(separately));
    EXPECT_NE(r.out.find("step 2 remove-duplicates-keep-first: Duplicate Entries are removed in Your Selection"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("written to " + out().string()), std::string::npos);
}

TEST_F(Recipe, TheJsonReportListsEachStepsMessageChangesAndTime) {
    const auto r = run("apply " + write("clean.json", kThreeSteps).string() + " " + book().string() + " --json");
    ASSERT_EQ(r.status, 0) << err();
    const auto report = json(r);
    ASSERT_EQ(report["steps"].size(), 3u);
    EXPECT_EQ(report["steps"][0]["message"], "All Extra Spaces Removed from Selected Cells!");
    EXPECT_EQ(report["steps"][0]["changed"]["cells"], 4);
    EXPECT_EQ(report["steps"][2]["message"], "Every 2 Row is colored in Your Selection");
    for (const auto& step : report["steps"]) EXPECT_GE(step["seconds"].get<double>(), 0.0);
    EXPECT_TRUE(report["written"].is_null());  // no output asked: a dry run
}

TEST_F(Recipe, AWorkbookIsLoadedOnceAndSavedOnce) {
    if (std::system("command -v strace >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace is not installed";
    const fs::path trace = dir / "trace.txt";
    // LeakSanitizer cannot run under ptrace; the other test runs check for leaks.
    const std::string command =
        "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e trace=openat,rename,renameat,renameat2 -o " + trace.string() +
        " " + CELLWASH_BINARY + " apply " + write("clean.json", kThreeSteps).string() + " " + book().string() + " -o " +
        out().string() + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::istringstream lines(slurp(trace));
    int opens = 0, renames = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("openat(") != std::string::npos &&
            line.find("\"" + book().string() + "\"") != std::string::npos && line.find("= -1") == std::string::npos)
            ++opens;
        if (line.find("rename") != std::string::npos && line.find("\"" + out().string() + "\"") != std::string::npos)
            ++renames;
    }
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(renames, 1);
}

TEST_F(Recipe, RecordedRunsReplayToTheSameCells) {
    const fs::path recorded = copyOfBook("recorded.xlsx");
    const fs::path recipe = dir / "recorded.json";
    for (const char* arguments : kThreeRuns)
        ASSERT_EQ(run(withBook(arguments, recorded) + " --record " + recipe.string()).status, 0) << err();
    const auto steps = nlohmann::json::parse(slurp(recipe))["steps"];
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[1],
              nlohmann::json({{"tool", "remove-duplicates-keep-first"}, {"column", "Email"}, {"mode", "entire-row"}}));
    ASSERT_EQ(run("apply " + recipe.string() + " " + book().string() + " -o " + out().string()).status, 0) << err();
    EXPECT_EQ(customers(out()), customers(recorded));
    // A refused run records nothing.
    EXPECT_EQ(run("run remove-numbers " + book().string() + " --select H20:H30 --record " + recipe.string()).status, 1);
    EXPECT_EQ(nlohmann::json::parse(slurp(recipe))["steps"].size(), 3u);
}

TEST_F(Recipe, ARefusedStepStopsTheWorkbookAndNothingIsWritten) {
    const fs::path recipe = write("refused.json", R"({"steps": [
      {"tool": "remove-extra-spaces", "select": "A2:C10"},
      {"tool": "remove-duplicates-keep-first", "select": "A1:D10"},
      {"tool": "change-to-upper-case", "select": "A1:A10"}]})");
    const auto stopped = run("apply " + recipe.string() + " " + book().string() + " -o " + out().string());
    EXPECT_EQ(stopped.status, 1);
    EXPECT_FALSE(fs::exists(out()));
    EXPECT_NE(
        err().find("step 2 (remove-duplicates-keep-first) was refused; the recipe stopped and nothing was written"),
        std::string::npos)
        << err();
    EXPECT_EQ(stopped.out.find("step 3"), std::string::npos) << stopped.out;

    const auto going = run("apply " + recipe.string() + " " + book().string() + " --keep-going -o " + out().string());
    EXPECT_EQ(going.status, 1);
    ASSERT_TRUE(fs::exists(out()));
    EXPECT_EQ(columnA(out(), 2)[1], u"ADA LOVELACE");  // steps 1 and 3 ran
}

TEST_F(Recipe, SeveralWorkbooksEachOnTheirOwnWithTheWorstStatus) {
    const fs::path recipe = write("clean.json", kThreeSteps);
    const fs::path second = copyOfBook("second.xlsx");
    const fs::path broken = write("broken.xlsx", "this is no workbook");
    fs::create_directories(dir / "clean");
    const auto r = run("apply " + recipe.string() + " " + book().string() + " " + broken.string() + " " +
                       second.string() + " --out-dir " + (dir / "clean").string());
    EXPECT_EQ(r.status, 3) << r.out;
    EXPECT_NE(err().find(broken.string()), std::string::npos) << err();
    EXPECT_EQ(customers(dir / "clean" / "customers.xlsx"), customers(dir / "clean" / "second.xlsx"));
    EXPECT_FALSE(fs::exists(dir / "clean" / "broken.xlsx"));
    const auto one =
        run("apply " + recipe.string() + " " + book().string() + " " + second.string() + " -o " + out().string());
    EXPECT_EQ(one.status, 2);
    EXPECT_NE(err().find("-o names one file"), std::string::npos) << err();
}

TEST_F(Recipe, ARecipeThatIsNoneIsAUsageError) {
    struct Case {
        std::string text, says;
    };
    const Case cases[] = {
        {R"({"steps": [{"tool": "remove-numbers", "colour": "red"}]})", "--colour is not an option of remove-numbers"},
        {R"({"steps": [{"select": "A1"}]})", "step 1 names no tool"},
        {R"({"steps": [{"tool": "remove-numbers", "frobnicate": 1}]})", "step 1: \"frobnicate\" is not a step entry"},
        {R"({"steps": [)", "not a JSON recipe"},
    };
    for (const auto& c : cases) {
        const auto r = run("apply " + write("bad.json", c.text).string() + " " + book().string() + " --in-place");
        EXPECT_EQ(r.status, 2) << c.text;
        EXPECT_NE(err().find(c.says), std::string::npos) << err();
    }
}

}  // namespace
