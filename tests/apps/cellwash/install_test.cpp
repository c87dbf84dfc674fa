// What `make install PREFIX=...` puts in place, through the same install rules on this build:
// the program under bin/, its manual page under share/man/man1 and its bash completion under
// share/bash-completion/completions, each working from there.
#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

using Install = Cli;

TEST_F(Install, IntoAPrefixOfItsOwn) {
    const fs::path prefix = dir / "prefix";
    const auto installed =
        shell(std::string(CW_CMAKE_COMMAND) + " --install " + quoted(CW_BINARY_DIR) + " --prefix " + quoted(prefix));
    ASSERT_EQ(installed.status, 0) << installed.text;

    const fs::path program = prefix / "bin" / "cellwash";
    ASSERT_TRUE(fs::exists(program)) << installed.text;
    EXPECT_TRUE((fs::status(program).permissions() & fs::perms::owner_exec) != fs::perms::none);
    const auto version = shell(quoted(program) + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, run("--version").out);

    const fs::path page = prefix / "share" / "man" / "man1" / "cellwash.1";
    ASSERT_TRUE(fs::exists(page)) << installed.text;
    EXPECT_EQ(slurp(page), run("manpage").out);
    if (shell("command -v man").status == 0) {
        // man finds the page by name under the prefix.
        const auto shown = shell("MANWIDTH=100 man -M " + quoted(prefix / "share" / "man") + " cellwash | head -n 5");
        EXPECT_NE(shown.text.find("CELLWASH"), std::string::npos) << shown.text;
    }

    const fs::path completion = prefix / "share" / "bash-completion" / "completions" / "cellwash";
    ASSERT_TRUE(fs::exists(completion)) << installed.text;
    EXPECT_EQ(slurp(completion), run("completion bash").out);
    const auto registered = shell("bash -c 'source " + completion.string() + " && complete -p cellwash'");
    EXPECT_EQ(registered.text, "complete -F _cellwash cellwash\n");
}

}  // namespace
