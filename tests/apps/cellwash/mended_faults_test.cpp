// What a new user tripped over: the tour's first entry printed with a byte-order mark, no
// --version.
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
    for (const std::string options : {"", " --json"}) {
        const auto r = run("show " + book().string() + options);
        ASSERT_EQ(r.status, 0) << err();
        EXPECT_EQ(r.out.back(), '\n') << options;
    }
}

}  // namespace
