// plugsweep as a user runs it, against a Wine prefix's user.reg.
#include <gtest/gtest.h>

#include "tests/registry/temp_dir.h"
#include "tests/remover/plugsweep_run.h"

using namespace testing_support;

namespace {

const std::string kName = "C:\\Addins\\Sweep Me.xla";
const std::string kQuoted = "\\\"C:\\\\Addins\\\\Sweep Me.xla\\\"";  // as the file writes it
const std::string kFileName = "C:\\\\Addins\\\\Sweep Me.xla";

std::string header() {
    return "WINE REGISTRY Version 2\n"
           ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
           "\n"
           "#arch=win64\n";
}

std::string section(const std::string& path, const std::vector<std::string>& values) {
    std::string out = "\n[Software\\\\Microsoft\\\\Office\\\\" + path + "] 1600000000\n#time=1d6f1e2a3b4c5d6\n";
    for (const std::string& value : values) out += value + "\n";
    return out;
}

std::string startup(const std::string& version, const std::vector<std::string>& values) {
    return section(version + "\\\\Excel\\\\Options", values);
}

std::string manager(const std::string& version, const std::vector<std::string>& values) {
    return section(version + "\\\\Excel\\\\Add-in Manager", values);
}

std::string open(const std::string& name, const std::string& data) { return "\"" + name + "\"=\"" + data + "\""; }

class PlugsweepTest : public ::testing::Test {
protected:
    RunResult run(const std::string& userReg, const std::vector<std::string>& arguments) {
        writeFile(prefix / "user.reg", userReg);
        return runPlugsweep(prefix.path(), arguments);
    }
    std::string userReg() { return readFile(prefix / "user.reg"); }
    TempDir prefix;
};

// The name as the command line gives it: every argument, joined by single spaces.
const std::vector<std::string> kArguments = {"C:\\Addins\\Sweep", "Me.xla"};

TEST_F(PlugsweepTest, RemovesTheStartupEntryOfEveryVersion) {
    std::string before = header();
    for (const char* version : {"14.0", "12.0", "11.0", "10.0", "9.0"})
        before += startup(version, {"\"Options\"=dword:00000001", open("OPEN", kQuoted),
                                    open("OPEN1", "/R \\\"C:\\\\Other.xla\\\"")});
    const RunResult result = run(before, kArguments);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, kName + " has been Removed from your system!\n");
    std::string after = header();
    for (const char* version : {"14.0", "12.0", "11.0", "10.0", "9.0"})
        after += startup(version, {"\"Options\"=dword:00000001", open("OPEN1", "/R \\\"C:\\\\Other.xla\\\"")});
    EXPECT_EQ(withoutStamps(userReg()), withoutStamps(after));
}

TEST_F(PlugsweepTest, OnlyTheFirstOfTwoMatchingStartupValuesGoes) {
    const std::string before = header() + startup("14.0", {open("OPEN2", kQuoted), open("OPEN", kQuoted)});
    run(before, kArguments);
    EXPECT_EQ(withoutStamps(userReg()), withoutStamps(header() + startup("14.0", {open("OPEN", kQuoted)})));
}

TEST_F(PlugsweepTest, StartupDataMustMatchExactlyAndQuoted) {
    const std::string before =
        header() + startup("12.0", {open("OPEN", kFileName),                                // unquoted
                                    open("OPEN1", "\\\"c:\\\\addins\\\\sweep me.xla\\\""),  // other case
                                    open("OPEN2", "/R " + kQuoted),                         // with a switch
                                    "\"" + kFileName + "\"=\"x\""});                        // the name as a name
    const RunResult result = run(before, kArguments);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(userReg(), before) << "nothing matched, so nothing was written";
}

TEST_F(PlugsweepTest, RemovesTheAddinManagerEntryOf14And12Only) {
    std::string before = header();
    for (const char* version : {"14.0", "12.0", "11.0", "10.0", "9.0"})
        before += manager(version, {"\"" + kFileName + "\"=\"\"", "\"C:\\\\Other.xla\"=\"\""});
    run(before, kArguments);
    std::string after = header();
    for (const char* version : {"14.0", "12.0"}) after += manager(version, {"\"C:\\\\Other.xla\"=\"\""});
    for (const char* version : {"11.0", "10.0", "9.0"})
        after += manager(version, {"\"" + kFileName + "\"=\"\"", "\"C:\\\\Other.xla\"=\"\""});
    EXPECT_EQ(withoutStamps(userReg()), withoutStamps(after));
}

TEST_F(PlugsweepTest, AddinManagerNameInAnotherCaseStays) {
    const std::string before = header() + manager("14.0", {"\"c:\\\\addins\\\\SWEEP ME.XLA\"=\"\""}) +
                               manager("12.0", {"\"" + kFileName + "\"=\"\""});
    run(before, kArguments);
    EXPECT_EQ(
        withoutStamps(userReg()),
        withoutStamps(header() + manager("14.0", {"\"c:\\\\addins\\\\SWEEP ME.XLA\"=\"\""}) + manager("12.0", {})));
}

TEST_F(PlugsweepTest, OtherVersionsAreNotTouched) {
    std::string before = header();
    for (const char* version : {"8.0", "13.0", "15.0", "16.0"})
        before += startup(version, {open("OPEN", kQuoted)}) + manager(version, {"\"" + kFileName + "\"=\"\""});
    run(before, kArguments);
    EXPECT_EQ(userReg(), before);
}

TEST_F(PlugsweepTest, NothingFoundStillReportsRemoval) {
    const std::string before = header() + startup("14.0", {open("OPEN", "\\\"C:\\\\Else.xla\\\"")});
    const RunResult result = run(before, {"Nowhere.xla"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "Nowhere.xla has been Removed from your system!\n");
    EXPECT_EQ(userReg(), before);

    std::filesystem::remove(prefix / "user.reg");
    const RunResult empty = runPlugsweep(prefix.path(), {"Nowhere.xla"});
    EXPECT_EQ(empty.output, "Nowhere.xla has been Removed from your system!\n");
    EXPECT_FALSE(std::filesystem::exists(prefix / "user.reg")) << "no registry is made where there was none";
}

TEST_F(PlugsweepTest, EmptyCommandLineLooksForEmptyQuotesAndAnEmptyName) {
    const std::string before = header() + startup("14.0", {open("OPEN", "\\\"\\\""), open("OPEN1", kQuoted)}) +
                               manager("14.0", {"@=\"\"", "\"" + kFileName + "\"=\"\""});
    const RunResult result = run(before, {});
    EXPECT_EQ(result.output, " has been Removed from your system!\n");
    EXPECT_EQ(withoutStamps(userReg()), withoutStamps(header() + startup("14.0", {open("OPEN1", kQuoted)}) +
                                                      manager("14.0", {"\"" + kFileName + "\"=\"\""})));
}

TEST_F(PlugsweepTest, ArgumentsJoinWithSingleSpaces) {
    const std::string before = header() + startup("9.0", {open("OPEN", "\\\"a b c\\\"")});
    const RunResult result = run(before, {"a", "b", "c"});
    EXPECT_EQ(result.output, "a b c has been Removed from your system!\n");
    EXPECT_EQ(withoutStamps(userReg()), withoutStamps(header() + startup("9.0", {})));
}

TEST_F(PlugsweepTest, MalformedRegistryIsReportedAndLeftAlone) {
    const std::string before = header() + startup("14.0", {open("OPEN", kQuoted), "\"Broken\"=hex:zz"});
    const RunResult result = run(before, kArguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, "plugsweep: the registry could not be changed: " + (prefix / "user.reg").string() +
                                 ": line 9: malformed hex data\n");
    EXPECT_EQ(userReg(), before);
}

}  // namespace
