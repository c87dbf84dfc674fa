// The Windows build of plugsweep: cross-built with `make windows` and, where Wine is
// installed, run against a Wine prefix of its own. Skipped on machines without the
// cross compiler (`make windows` installs it; `make test` does not need it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host/text.h"
#include "tests/registry/temp_dir.h"
#include "tests/remover/plugsweep_run.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const char kCompiler[] = "x86_64-w64-mingw32-g++-posix";

bool onPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string wineProgram(const std::string& name) {
    if (onPath(name)) return name;
    const fs::path packaged = fs::path("/usr/lib/wine") / (name == "wine" ? "wine64" : name);
    return fs::exists(packaged) ? packaged.string() : "";
}

// Built once for the tests of this program; empty when it cannot be.
const fs::path& windowsProgram() {
    static TempDir out;
    static const fs::path exe = [] {
        if (!onPath(kCompiler)) return fs::path();
        const std::string command = "make -s -C " + shellQuoted(CW_SOURCE_DIR) +
                                    " windows WIN_BUILD=" + shellQuoted(out.path().string()) + " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? out / "plugsweep.exe" : fs::path("build failed");
    }();
    return exe;
}

std::string utf16le(const std::string& text) {
    std::string out;
    for (char c : text) out += std::string{c, '\0'};
    return out;
}

TEST(WindowsBuild, CrossBuildCarriesTheVersionBlock) {
    if (!onPath(kCompiler)) GTEST_SKIP() << "no MinGW-w64 cross compiler here";
    ASSERT_TRUE(fs::exists(windowsProgram())) << "make windows failed";
    const std::string exe = readFile(windowsProgram());
    EXPECT_EQ(exe.substr(0, 2), "MZ");
    for (const char* text : {"FileDescription", "Remove VBA Addins from Office Application!", "ProductName",
                             "Plugsweep", "FileVersion", "2.00"})
        EXPECT_NE(exe.find(utf16le(text)), std::string::npos) << text;
    // VS_FIXEDFILEINFO: its signature, then file version 2.0.0.0 as two 32-bit halves.
    const std::string fixed = std::string("\xBD\x04\xEF\xFE", 4) + std::string("\x00\x00\x01\x00", 4) +
                              std::string("\x00\x00\x02\x00\x00\x00\x00\x00", 8);
    EXPECT_NE(exe.find(fixed), std::string::npos);
}

class UnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        wine = wineProgram("wine");
        server = wineProgram("wineserver");
        if (!onPath(kCompiler) || wine.empty() || server.empty()) GTEST_SKIP() << "no cross compiler or no Wine";
        ASSERT_TRUE(fs::exists(windowsProgram()));
    }
    void TearDown() override {
        if (!server.empty()) run(shellQuoted(server) + " -k");  // our prefix's server, started by these runs
    }
    std::string run(const std::string& command) {
        const std::string full = "WINEPREFIX=" + shellQuoted(prefix.path().string()) + " WINEDEBUG=-all " + command +
                                 " </dev/null 2>/dev/null";
        std::string output;
        if (FILE* pipe = ::popen(full.c_str(), "r")) {
            char buffer[4096];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
            ::pclose(pipe);
        }
        return output;
    }
    std::string wineRun(const std::string& arguments) { return run(shellQuoted(wine) + " " + arguments); }
    std::string regAdd(const std::string& key, const std::string& name, const std::string& data) {
        return wineRun("reg add " + shellQuoted(key) + " /v " + shellQuoted(name) + " /t REG_SZ /d " +
                       shellQuoted(data) + " /f");
    }

    TempDir prefix;
    std::string wine, server;
};

TEST_F(UnderWine, RemovesTheEntriesThroughTheWindowsRegistry) {
    const std::string options = "HKCU\\Software\\Microsoft\\Office\\12.0\\Excel\\Options";
    const std::string manager = "HKCU\\Software\\Microsoft\\Office\\12.0\\Excel\\Add-in Manager";
    const std::string older = "HKCU\\Software\\Microsoft\\Office\\11.0\\Excel\\Add-in Manager";
    regAdd(options, "OPEN", "\"C:\\Addins\\Tool One.xla\"");
    regAdd(options, "OPEN1", "\"C:\\Addins\\Tool One.xla\"");
    regAdd(manager, "C:\\Addins\\Tool One.xla", "");
    regAdd(older, "C:\\Addins\\Tool One.xla", "");

    const std::string said = wineRun(shellQuoted(windowsProgram().string()) + " C:\\\\Addins\\\\Tool One.xla");
    EXPECT_NE(said.find("C:\\Addins\\Tool One.xla has been Removed from your system!"), std::string::npos) << said;

    const std::string startup = wineRun("reg query " + shellQuoted(options));
    EXPECT_EQ(startup.find("OPEN "), std::string::npos) << startup;
    EXPECT_NE(startup.find("OPEN1"), std::string::npos) << "only the first match goes\n" << startup;
    EXPECT_EQ(wineRun("reg query " + shellQuoted(manager)).find("Tool One.xla"), std::string::npos);
    EXPECT_NE(wineRun("reg query " + shellQuoted(older)).find("Tool One.xla"), std::string::npos);
}

}  // namespace
