// The bash completion `cellwash completion bash` makes, run by bash as it completes a command
// line: it offers the commands `--help` lists, the tools `cellwash tools` lists, each tool's
// own plain options and their words as `run TOOL --help` shows them, the palette, the formats,
// and workbook files; the build makes the same script for `make install`.
#include <set>

#include "cli_fixture.h"
#include "external_reader.h"

namespace {

using namespace cli_test;
using Words = std::set<std::string>;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> tokensOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> tokens;
    for (std::string token; in >> token;) tokens.push_back(token);
    return tokens;
}

std::string singleQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

Words startingWith(const Words& words, const std::string& prefix) {
    Words found;
    for (const auto& word : words)
        if (word.rfind(prefix, 0) == 0) found.insert(word);
    return found;
}

class Completion : public Cli {
protected:
    void SetUp() override {
        Cli::SetUp();
        const auto generated = run("completion bash");
        ASSERT_EQ(generated.status, 0) << err();
        script = generated.out;
        std::ofstream(dir / "cellwash.bash") << script;
        fs::create_directories(work());
        fs::copy_file(book(), work() / "customers.xlsx");
    }

    // The working folder of the completions: the workbook, and what a test puts there.
    fs::path work() const { return dir / "work"; }

    // What bash's completion offers for the words, the last being the one completed, in the
    // working folder. bash's own complaints fail the test.
    Words offered(const std::vector<std::string>& words) {
        std::string driver = "exec 2>" + quoted(dir / "bash-errors.txt") + "\nsource " + quoted(dir / "cellwash.bash") +
                             "\ncd " + quoted(work()) + "\nCOMP_WORDS=(";
        for (const auto& word : words) driver += " " + singleQuoted(word);
        driver +=
            ")\nCOMP_CWORD=" + std::to_string(words.size() - 1) + "\n_cellwash\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
        std::ofstream(dir / "driver.sh") << driver;
        const auto r = shell("bash " + quoted(dir / "driver.sh"));
        EXPECT_EQ(r.status, 0) << r.text;
        EXPECT_EQ(slurp(dir / "bash-errors.txt"), "") << driver;
        Words found;
        for (const auto& line : linesOf(r.text))
            if (!line.empty()) found.insert(line);
        return found;
    }

    // The commands `cellwash --help` lists.
    Words commands() {
        Words found;
        bool listing = false;
        for (const auto& line : linesOf(run("--help").out)) {
            if (line == "Subcommands:")
                listing = true;
            else if (listing && line.rfind("  ", 0) == 0)
                found.insert(tokensOf(line)[0]);
        }
        return found;
    }

    // The names `cellwash tools` gives: the kebab-case form, or the ribbon id of a command without a key.
    Words tools() {
        Words found;
        for (const auto& line : linesOf(run("tools").out)) {
            if (line.empty() || line[0] == ' ') continue;
            const auto open = line.find('(');
            found.insert(open == std::string::npos ? tokensOf(line)[0]
                                                   : line.substr(open + 1, line.find(')') - open - 1));
        }
        return found;
    }

    // The options of a `--help` listing: every "-x" and "--name" at the start of an option line.
    Words helpOptions(const std::string& arguments) {
        Words found;
        for (const auto& line : linesOf(run(arguments).out)) {
            if (line.rfind("  -", 0) != 0) continue;
            std::string names = tokensOf(line)[0];
            for (size_t at = 0; at != std::string::npos;) {
                const size_t comma = names.find(',', at);
                found.insert(names.substr(at, comma == std::string::npos ? comma : comma - at));
                at = comma == std::string::npos ? comma : comma + 1;
            }
        }
        return found;
    }

    // A tool's plain options as `run TOOL --help` lists them: each option, with its words.
    std::map<std::string, Words> plainOptionsOf(const std::string& tool) {
        std::map<std::string, Words> found;
        bool listing = false;
        for (const auto& line : linesOf(run("run " + tool + " --help").out)) {
            if (line.rfind("Plain options", 0) == 0)
                listing = true;
            else if (line.empty())
                listing = false;
            else if (listing && line.rfind("  --", 0) == 0) {
                const auto tokens = tokensOf(line);
                auto& words = found[tokens[0]];
                if (tokens.size() > 1 && std::islower(static_cast<unsigned char>(tokens[1][0])))
                    words.insert(tokens[1]);
            }
        }
        return found;
    }

    std::string script;
};

TEST_F(Completion, TheScriptIsBashAndTheBuildMakesTheSame) {
    std::ofstream(dir / "syntax.sh") << script;
    const auto checked = shell("bash -n " + quoted(dir / "syntax.sh"));
    EXPECT_EQ(checked.status, 0) << checked.text;
    EXPECT_EQ(slurp(fs::path(CW_CLI_DOCS_DIR) / "cellwash.bash"), script);
}

TEST_F(Completion, TheFirstWordIsACommand) {
    const Words listed = commands();
    ASSERT_GE(listed.size(), 9u);
    const Words first = offered({"cellwash", ""});
    for (const auto& command : listed) EXPECT_TRUE(first.count(command)) << command;
    EXPECT_FALSE(first.count("completion"));  // the hidden commands stay hidden
    EXPECT_FALSE(first.count("manpage"));
    EXPECT_EQ(offered({"cellwash", "ap"}), startingWith(listed, "ap"));
}

TEST_F(Completion, RunOffersTheToolsOfTheCatalogue) {
    const Words catalogue = tools();
    ASSERT_GE(catalogue.size(), 36u);
    EXPECT_EQ(offered({"cellwash", "run", ""}), catalogue);
    EXPECT_EQ(offered({"cellwash", "run", "remove-d"}), startingWith(catalogue, "remove-d"));
    // An option's value is no tool: after --select A1 the tool is still to come.
    EXPECT_EQ(offered({"cellwash", "run", "--select", "A1", "color"}), startingWith(catalogue, "color"));
}

TEST_F(Completion, EachToolGetsItsOwnPlainOptionsAndTheirWords) {
    const Words runOptions = helpOptions("run --help");
    ASSERT_TRUE(runOptions.count("--no-undo-copy"));
    Words everyPlain;
    const std::string tools[] = {"remove-rows", "color-nth-row", "remove-duplicates-keep-first", "count-duplicates"};
    for (const auto& tool : tools)
        for (const auto& [option, words] : plainOptionsOf(tool)) everyPlain.insert(option);
    for (const auto& tool : tools) {
        const auto plain = plainOptionsOf(tool);
        ASSERT_FALSE(plain.empty()) << tool;
        const Words options = offered({"cellwash", "run", tool, "customers.xlsx", "-"});
        for (const auto& [option, words] : plain) {
            EXPECT_TRUE(options.count(option)) << tool << " " << option;
            if (words.empty()) continue;
            EXPECT_EQ(offered({"cellwash", "run", tool, "customers.xlsx", option, ""}), words) << tool << option;
            EXPECT_EQ(offered({"cellwash", "run", tool, "customers.xlsx", option, "=", ""}), words) << tool << option;
        }
        for (const auto& other : everyPlain) {
            if (!plain.count(other)) {
                EXPECT_FALSE(options.count(other)) << tool << " does not take " << other;
            }
        }
        for (const auto& common : {"--select", "--column", "--out-dir", "--format", "--no-undo-copy", "-o"})
            EXPECT_TRUE(options.count(common)) << tool << " " << common;
    }
}

TEST_F(Completion, ColoursFormatsAndAnswers) {
    Words palette{"list"};
    for (const auto& line : linesOf(run("run color-nth-row --colour list").out))
        if (line.rfind("  ", 0) == 0) palette.insert(tokensOf(line)[0]);
    ASSERT_GE(palette.size(), 10u);
    EXPECT_EQ(offered({"cellwash", "run", "color-nth-row", "customers.xlsx", "--colour", ""}), palette);
    EXPECT_EQ(offered({"cellwash", "run", "color-nth-row", "customers.xlsx", "--colour", "gr"}),
              startingWith(palette, "gr"));

    // show --help names the formats its --format takes: "FORMAT:{grid,csv,tsv,json}".
    const std::string help = run("show --help").out;
    const size_t open = help.find('{', help.find("--format"));
    Words formats;
    std::istringstream list(help.substr(open + 1, help.find('}', open) - open - 1));
    for (std::string format; std::getline(list, format, ',');) formats.insert(format);
    ASSERT_EQ(formats.size(), 4u) << help;
    EXPECT_EQ(offered({"cellwash", "show", "customers.xlsx", "--format", ""}), formats);
    EXPECT_EQ(offered({"cellwash", "run", "remove-numbers", "customers.xlsx", "--answer", ""}), (Words{"yes", "no"}));
}

TEST_F(Completion, WorkbooksAndRecipesAreOfferedByTheirFiles) {
    std::ofstream(work() / "notes.md") << "not a workbook";
    std::ofstream(work() / "steps.json") << "{}";
    fs::create_directories(work() / "folder");
    EXPECT_EQ(offered({"cellwash", "show", ""}), (Words{"customers.xlsx", "folder"}));
    EXPECT_EQ(offered({"cellwash", "run", "remove-rows", ""}), (Words{"customers.xlsx", "folder"}));
    EXPECT_EQ(offered({"cellwash", "run", "remove-rows", "-", "cu"}), (Words{"customers.xlsx"}));
    EXPECT_EQ(offered({"cellwash", "apply", ""}), (Words{"steps.json", "folder"}));
    EXPECT_EQ(offered({"cellwash", "apply", "steps.json", ""}), (Words{"customers.xlsx", "folder"}));
    EXPECT_EQ(offered({"cellwash", "run", "remove-rows", "customers.xlsx", "--out-dir", ""}), (Words{"folder"}));
    EXPECT_EQ(offered({"cellwash", "run", "remove-rows", "customers.xlsx", "--select", ""}), Words{});
}

}  // namespace
