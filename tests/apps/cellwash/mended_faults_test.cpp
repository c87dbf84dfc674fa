// What a new user tripped over: the tour's first entry printed with a byte-order mark, no
// --version, a hidden sheet that `show --sheet` would not show.
#include "cli_fixture.h"

namespace {

TEST_F(Cli, TheTourStartsWithTheFirstToolsNameNotAByteOrderMark) {
    const auto r = run("tour");
    ASSERT_EQ(r.status, 0) << err();
    EXPECT_EQ(r.out.rfind("Text Cleaner", 0), 0u) << r.out.substr(0, 20);
    EXPECT_EQ(r.out.find("\xEF\xBB\xBF"), std::string::npos);
}

TEST_F(Cli, VersionNamesTheAddinsVersion) {
    const auto r = run("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("cellwash Version: ", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;  // one line
    EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(Cli, ShowEndsWithANewline) {
    for (const std::string options : {"", " --json", " --format csv", " --format tsv", " --sheet Notes"}) {
        const auto r = run("show " + book().string() + options);
        ASSERT_EQ(r.status, 0) << err();
        EXPECT_EQ(r.out.back(), '\n') << options;
    }
}

TEST_F(Cli, ShowShowsAHiddenSheetWithoutActivatingIt) {
    // A run leaves the sheet as it was in the hidden undo copy Customers_Undo.
    ASSERT_EQ(run("run remove-extra-spaces " + book().string() + " --select A2:C10 -o " + out().string()).status, 0)
        << err();
    const auto hidden = run("show " + out().string() + " --sheet Customers_Undo --format csv");
    ASSERT_EQ(hidden.status, 0) << err();
    EXPECT_EQ(hidden.out, run("show " + book().string() + " --sheet Customers --format csv").out);
    const auto grid = run("show " + out().string() + " --sheet customers_undo");  // any letter case, as the host
    ASSERT_EQ(grid.status, 0) << err();
    EXPECT_NE(grid.out.find("Customers_Undo (hidden)"), std::string::npos) << grid.out;
    EXPECT_NE(grid.out.find("\nCustomers_Undo A1:"), std::string::npos) << grid.out;
    // The workbook's own active sheet is still the active one.
    const auto described = json(run("show " + out().string() + " --sheet Customers_Undo --json"));
    for (const auto& sheet : described["sheets"])
        EXPECT_EQ(sheet["active"].get<bool>(), sheet["name"] == "Customers") << sheet;
    EXPECT_EQ(described["sheet"], "Customers_Undo");
}

}  // namespace
