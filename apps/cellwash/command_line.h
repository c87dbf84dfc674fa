#pragma once
// The command line's definition: every command with its options in one CLI11 app, and what
// each option and positional takes (words, a file, a folder, a tool). `main` parses with it;
// the shell completion and the manual page are made from the same app and the tables behind
// it (the tools catalogue, the plain options, the palette), so they cannot drift apart.
#include <CLI/CLI.hpp>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "apps/cellwash/apply_command.h"
#include "apps/cellwash/plain_option_inputs.h"
#include "apps/cellwash/run_command.h"
#include "apps/cellwash/show_command.h"
#include "apps/cellwash/type_command.h"

namespace cli {

// What an option's value (or a positional) is, for completion and the manual page.
struct ValueHint {
    enum Kind { Text, Words, File, Folder, Tool };
    Kind kind = Text;
    std::vector<std::string> words;  // Words: what it takes
};

// An option or positional of a command as the completion and the manual page describe it.
struct OptionView {
    std::vector<std::string> names;  // "-o", "--output"; a positional's name ("WORKBOOK")
    std::string valueName;           // "FILE"; empty for a flag
    bool positional = false;
    bool repeats = false;  // takes several values (a positional: the rest of the words)
    bool required = false;
    std::string description;
    std::string group;  // the help's heading ("Options", "Plain options ...")
    ValueHint hint;
};

// The workbook files the command line reads, by extension (completion offers these).
inline constexpr std::string_view kWorkbookExtensions[] = {"xlsx", "xlsm", "csv", "tsv", "txt", "ods", "xls"};

class CommandLine {
public:
    CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Parses and runs the command; returns the exit status.
    int execute(int argc, char** argv);

    const CLI::App& app() const { return app_; }
    // The commands a user sees (the hidden `completion` and `manpage` left out), in order.
    std::vector<const CLI::App*> commands() const;
    ValueHint hintOf(const CLI::Option& option) const;
    // The command's options (help included) and positionals, in the order of its --help.
    std::vector<OptionView> optionsOf(const CLI::App& command) const;

private:
    CLI::App* addRun();
    void addSessionOptions(CLI::App& command, RunOptions& run);
    void addOutputOptions(CLI::App& command, OutputChoice& output, bool several);
    CLI::Option* hint(CLI::Option* option, ValueHint::Kind kind, std::vector<std::string> words = {});
    int dispatch();

    CLI::App app_;
    std::map<const CLI::Option*, ValueHint> hints_;

    RunOptions run_, undo_, redo_;
    PlainOptionInputs plain_;
    ApplyOptions apply_;
    ShowOptions show_;
    TypeOptions type_;
    std::optional<std::string> ribbonLang_;
    std::string ribbonVersion_ = "16.0";
    std::string completionShell_;

    CLI::App *runCommand_ = nullptr, *undoCommand_ = nullptr, *redoCommand_ = nullptr, *applyCommand_ = nullptr,
             *showCommand_ = nullptr, *typeCommand_ = nullptr, *toolsCommand_ = nullptr, *ribbonCommand_ = nullptr,
             *tourCommand_ = nullptr, *completionCommand_ = nullptr, *manpageCommand_ = nullptr;
};

// What the program is and that nothing is written unasked; with the exit statuses, the
// description --help starts with.
std::string programSummary();
std::string programDescription();

}  // namespace cli
