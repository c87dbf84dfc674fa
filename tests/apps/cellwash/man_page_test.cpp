// The manual page cellwash.1 that `cellwash manpage` makes (and the build installs): groff
// reads it without a warning, and the page names every command, every option of `run`, every
// plain option, every tool and every exit status the program itself gives.
#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string firstToken(const std::string& line) {
    std::istringstream in(line);
    std::string token;
    in >> token;
    return token;
}

class ManPage : public Cli {
protected:
    void SetUp() override {
        Cli::SetUp();
        const auto made = run("manpage");
        ASSERT_EQ(made.status, 0) << err();
        page = made.out;
        std::ofstream(dir / "cellwash.1") << page;
    }

    // The page as text, as a terminal shows it (long lines, so that no word is broken).
    std::string rendered() {
        const auto r = shell("groff -man -Tutf8 -rLL=400n -P-cbou " + quoted(dir / "cellwash.1"));
        EXPECT_EQ(r.status, 0) << r.text;
        std::string text = r.text;
        // groff may print a hyphen-minus as U+2010 or U+2212; the options are typed with '-'.
        for (const std::string dash : {"\xE2\x80\x90", "\xE2\x88\x92"})
            for (size_t at = text.find(dash); at != std::string::npos; at = text.find(dash, at))
                text.replace(at, dash.size(), "-");
        return text;
    }

    std::string page;
};

TEST_F(ManPage, TheBuildMakesTheSamePage) { EXPECT_EQ(slurp(fs::path(CW_CLI_DOCS_DIR) / "cellwash.1"), page); }

TEST_F(ManPage, ItIsAManualPageInStructure) {
    EXPECT_EQ(page.find(".TH CELLWASH 1 "), page.find(".TH"));
    for (const char* section : {".SH NAME\n", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n", ".SH COMMANDS\n",
                                ".SH PLAIN OPTIONS\n", ".SH TOOLS\n", ".SH EXIT STATUS\n", ".SH EXAMPLES\n"})
        EXPECT_NE(page.find(section), std::string::npos) << section;
    // No text line that roff would take for a request.
    for (const auto& line : linesOf(page)) {
        if (!line.empty() && (line[0] == '.' || line[0] == '\'')) {
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(line[1])) || line[1] == '\\') << line;
        }
    }
}

TEST_F(ManPage, GroffReadsItWithoutAWarning) {
    if (shell("command -v groff").status != 0) GTEST_SKIP() << "groff is not installed";
    const auto checked = shell("groff -man -Tutf8 -ww -z " + quoted(dir / "cellwash.1"));
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.text, "");
    if (shell("command -v man").status == 0) {
        const auto shown = shell("MANWIDTH=100 man -l " + quoted(dir / "cellwash.1") + " >/dev/null");
        EXPECT_EQ(shown.status, 0) << shown.text;
    }
}

TEST_F(ManPage, ItNamesWhatTheProgramTakes) {
    if (shell("command -v groff").status != 0) GTEST_SKIP() << "groff is not installed";
    const std::string text = rendered();
    // The commands --help lists.
    bool listing = false;
    int commands = 0;
    for (const auto& line : linesOf(run("--help").out)) {
        if (line == "Subcommands:")
            listing = true;
        else if (listing && line.rfind("  ", 0) == 0) {
            ++commands;
            EXPECT_NE(text.find("cellwash " + firstToken(line)), std::string::npos) << line;
        }
    }
    EXPECT_GE(commands, 9);
    // Every option of run, the plain ones among them.
    int options = 0;
    for (const auto& line : linesOf(run("run --help").out)) {
        if (line.rfind("  -", 0) != 0) continue;
        const std::string names = firstToken(line);
        for (const std::string& name : {names.substr(0, names.find(',')), names.substr(names.find(',') + 1)}) {
            ++options;
            EXPECT_NE(text.find(name), std::string::npos) << name;
        }
    }
    EXPECT_GE(options, 40);
    // Every tool, by the name `cellwash tools` gives it.
    int tools = 0;
    for (const auto& line : linesOf(run("tools").out)) {
        if (line.empty() || line[0] == ' ') continue;
        const auto open = line.find('(');
        const std::string name =
            open == std::string::npos ? firstToken(line) : line.substr(open + 1, line.find(')') - open - 1);
        ++tools;
        EXPECT_NE(text.find("\n       " + name + " ("), std::string::npos) << name;
    }
    EXPECT_GE(tools, 36);
    // The exit statuses --help states ("Exit status: 0 done, 1 refused, ...").
    const std::string help = run("--help").out;
    const size_t statuses = help.find("Exit status: ");
    ASSERT_NE(statuses, std::string::npos);
    std::istringstream list(help.substr(statuses + 13, help.find(" (", statuses) - statuses - 13));
    for (std::string status; std::getline(list, status, ',');) {
        if (status[0] == ' ') status.erase(0, 1);
        const std::string number = status.substr(0, status.find(' ')), word = status.substr(status.find(' ') + 1);
        // Under EXIT STATUS, the number and after it what it means.
        const size_t line = text.find("\n       " + number + " ", text.find("EXIT STATUS"));
        ASSERT_NE(line, std::string::npos) << status;
        EXPECT_NE(text.substr(line, text.find('\n', line + 1) - line).find(" " + word + ": "), std::string::npos)
            << status;
    }
}

}  // namespace
