#include "apps/cellwash/command_line.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <sstream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/listing_commands.h"
#include "apps/cellwash/man_page.h"
#include "apps/cellwash/plain_options.h"
#include "apps/cellwash/shell_completion.h"
#include "base/atomic_file.h"

namespace cli {

namespace {

// The host's version as the host writes it: a major number and a minor one, "16.0".
CLI::Validator hostVersionCheck() {
    return CLI::Validator(
        [](const std::string& text) -> std::string {
            const size_t dot = text.find('.');
            const auto digits = [](std::string_view part) {
                return !part.empty() && part.size() <= 3 &&
                       part.find_first_not_of("0123456789") == std::string_view::npos;
            };
            if (dot != std::string::npos && digits(std::string_view(text).substr(0, dot)) &&
                digits(std::string_view(text).substr(dot + 1)))
                return "";
            return "\"" + text + "\" is not a host version; give one such as 16.0 (ribbon) or 11.0 (legacy menu)";
        },
        "");
}

template <class Words>
std::vector<std::string> wordList(const Words& words) {
    return std::vector<std::string>(std::begin(words), std::end(words));
}

// The files a workbook, a result or a recipe can be, by extension.
std::vector<std::string> workbookFiles() { return wordList(kWorkbookExtensions); }
std::vector<std::string> resultFiles() { return {"xlsx", "xlsm", "csv"}; }
std::vector<std::string> recipeFiles() { return {"json"}; }

// "csv|xlsx"
std::string joined(const std::vector<std::string>& words, const char* between) {
    std::string text;
    for (const auto& word : words) text += (text.empty() ? "" : between) + word;
    return text;
}

// Every word a plain option takes on any tool, in the table's order.
std::vector<std::string> plainWords(const PlainFlag& flag) {
    std::vector<std::string> words;
    if (flag.kind == ValueKind::Colour) {
        for (const auto& colour : paletteColours()) words.push_back(colour.name);
        words.push_back("list");
        return words;
    }
    for (const auto& row : plainOptionRows())
        if (row.flag == flag.name && std::find(words.begin(), words.end(), row.word) == words.end())
            words.emplace_back(row.word);
    return words;
}

}  // namespace

std::string programSummary() {
    return "data-cleaning tools for spreadsheet workbooks (xlsx, xlsm, csv), run the way a\n"
           "user runs them from the ribbon. Without -o or --in-place nothing is written (a dry run).";
}

std::string programDescription() {
    std::string statuses;
    for (const auto& status : kExitStatuses)
        statuses += (statuses.empty() ? "" : ", ") + std::to_string(status.status) + " " + std::string(status.word);
    return "cellwash: " + programSummary() + "\nExit status: " + statuses + " (the worst of several workbooks).";
}

CLI::Option* CommandLine::hint(CLI::Option* option, ValueHint::Kind kind, std::vector<std::string> words) {
    hints_[option] = ValueHint{kind, std::move(words)};
    return option;
}

ValueHint CommandLine::hintOf(const CLI::Option& option) const {
    const auto found = hints_.find(&option);
    return found == hints_.end() ? ValueHint{} : found->second;
}

std::vector<OptionView> CommandLine::optionsOf(const CLI::App& command) const {
    std::vector<OptionView> views;
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_group().empty()) continue;
        OptionView view;
        view.positional = !option->nonpositional();
        if (view.positional) view.names.push_back(option->get_name(true));
        for (const auto& name : option->get_snames()) view.names.push_back("-" + name);
        for (const auto& name : option->get_lnames()) view.names.push_back("--" + name);
        if (option->get_type_size() != 0) {
            const std::string type = option->get_type_name();
            view.valueName = type.substr(0, type.find(':'));
        }
        view.repeats = option->get_items_expected_max() > 1;
        view.required = option->get_required();
        view.description = option->get_description();
        view.group = option->get_group();
        view.hint = hintOf(*option);
        views.push_back(std::move(view));
    }
    std::stable_partition(views.begin(), views.end(), [](const OptionView& view) { return view.positional; });
    return views;
}

std::vector<const CLI::App*> CommandLine::commands() const {
    return app_.get_subcommands([](const CLI::App* command) { return !command->get_group().empty(); });
}

void CommandLine::addOutputOptions(CLI::App& command, OutputChoice& output, bool several) {
    hint(command
             .add_option("-o,--output", output.outputPath,
                         "write the result to FILE (xlsx or csv, by extension); - writes it to standard output "
                         "(csv, or --format xlsx), and the report goes to standard error")
             ->type_name("FILE"),
         ValueHint::File, resultFiles());
    command.add_flag("--in-place", output.inPlace,
                     several ? "save over each workbook (written beside it, then renamed)"
                             : "save over WORKBOOK (written beside it, then renamed)");
    const auto formats = wordList(kResultFormats);
    hint(command
             .add_option("--format", output.format,
                         "the format of -o where the name does not say: " + joined(formats, " or ") +
                             " (for -o -, csv unless given)")
             ->type_name("FORMAT")
             ->check(CLI::IsMember(formats)),
         ValueHint::Words, formats);
}

void CommandLine::addSessionOptions(CLI::App& command, RunOptions& run) {
    hint(command
             .add_option("WORKBOOK", run.workbooks,
                         "the workbook files (xlsx, xlsm, csv), each loaded, changed and saved on its own; - reads "
                         "csv from standard input")
             ->required(),
         ValueHint::File, workbookFiles());
    command.add_option("--sheet", run.sheet, "the sheet to work on (default: the file's active sheet)")
        ->type_name("NAME");
    command
        .add_option("--host-version", run.hostVersion,
                    "the host's version, such as 16.0: above 11.0 the ribbon, 11.0 and below the legacy menu")
        ->type_name("VERSION")
        ->capture_default_str()
        ->check(hostVersionCheck());
    hint(command.add_option("--answer", run.answer, "answer message boxes: yes or no")->type_name("WORD"),
         ValueHint::Words, {"yes", "no"});
    command.add_flag("--json", run.json,
                     "one JSON object per workbook (an array for several): alerts, message boxes, progress, "
                     "dialog, changes");
    addOutputOptions(command, run.output, true);
    hint(command.add_option("--out-dir", run.outDir, "write each result under its own name into DIR")->type_name("DIR"),
         ValueHint::Folder);
    command.add_flag_function(
        "--no-undo-copy", [&run](std::int64_t) { run.output.undoCopy = false; },
        "leave the hidden undo copies (<sheet>_Undo, <sheet>_Redo) out of the written file");
}

CLI::App* CommandLine::addRun() {
    auto* command =
        app_.add_subcommand("run", "run a tool as a user at the ribbon would: dialog, options, Yes, message");
    hint(command
             ->add_option("TOOL", run_.tool,
                          "ribbon id (btnDelDupsKF_25), legacy tag (CWTOOLS5_DC1), command key "
                          "(removeDuplicatesKeepFirst) or its kebab-case form; `cellwash tools` lists them, "
                          "`cellwash run TOOL --help` shows that tool's dialog options")
             ->required(),
         ValueHint::Tool);
    addSessionOptions(*command, run_);
    command
        ->add_option("--select", run_.select,
                     "the selection as typed: B2:B40, A:A, 2:10, A1:B9,D4, a column B or a row 7 "
                     "(default: the file's selection)")
        ->type_name("RANGE");
    command
        ->add_option("--column", run_.columns,
                     "select the cells under this header of row 1 (any letter case; repeatable)")
        ->type_name("HEADER");
    command->add_option("--active", run_.active, "the active cell within the selection")->type_name("CELL");
    command
        ->add_option("--set", run_.sets,
                     "CONTROL=VALUE for the tool's dialog, in order: option buttons and check boxes "
                     "true/false, text boxes their text (e.g. --set txtUDChars=xyz)")
        ->type_name("CONTROL=VALUE");
    command->add_option("--click", run_.clicks, "click a dialog control, such as a colour swatch (lblGrey50)")
        ->type_name("CONTROL");
    plain_.addTo(*command);
    for (const auto& flag : plainFlags())
        if (flag.kind == ValueKind::Word || flag.kind == ValueKind::Colour)
            hint(plain_.option(flag.name), ValueHint::Words, plainWords(flag));
    command->add_flag("--no", run_.no, "answer the dialog with No (it is answered Yes otherwise, also after --click)");
    command->add_option("--stop-after", run_.stopAfter, "press Stop at the N-th yield of the running tool")
        ->type_name("N");
    command->add_option("--lang", run_.lang, "switch the interface language first (En, Hi, ...)")->type_name("CODE");
    hint(command->add_option("--record", run_.record, "append this step to the recipe RECIPE (made when absent)")
             ->type_name("RECIPE"),
         ValueHint::File, recipeFiles());
    return command;
}

CommandLine::CommandLine() : app_(programDescription(), "cellwash") {
    app_.require_subcommand(1);
    app_.set_version_flag(
        "--version",
        [] {
            std::ostringstream version;
            runVersion(version);
            std::string text = version.str();
            while (!text.empty() && text.back() == '\n') text.pop_back();
            return text;
        },
        "print the add-in's version line and exit");

    runCommand_ = addRun();
    undoCommand_ = app_.add_subcommand("undo", "the ribbon's Undo on the active (or --sheet) sheet");
    addSessionOptions(*undoCommand_, undo_);
    redoCommand_ = app_.add_subcommand("redo", "the ribbon's Redo on the active (or --sheet) sheet");
    addSessionOptions(*redoCommand_, redo_);

    applyCommand_ = app_.add_subcommand("apply", "run a recipe's steps on each workbook: one load and one save each");
    hint(applyCommand_
             ->add_option("RECIPE", apply_.recipe,
                          "the recipe: {\"steps\": [{\"tool\": ..., \"select\": ..., \"mode\": ...}, ...]}")
             ->required(),
         ValueHint::File, recipeFiles());
    hint(applyCommand_
             ->add_option("WORKBOOK", apply_.workbooks,
                          "the workbook files, each on its own; - reads csv from standard input")
             ->required(),
         ValueHint::File, workbookFiles());
    addOutputOptions(*applyCommand_, apply_.output, true);
    hint(applyCommand_->add_option("--out-dir", apply_.outDir, "write each result under its own name into DIR")
             ->type_name("DIR"),
         ValueHint::Folder);
    applyCommand_->add_flag_function(
        "--no-undo-copy", [this](std::int64_t) { apply_.output.undoCopy = false; },
        "leave the hidden undo copies (<sheet>_Undo, <sheet>_Redo) out of the written file");
    applyCommand_->add_flag("--keep-going", apply_.keepGoing, "run the remaining steps after a refused one, and save");
    applyCommand_->add_flag("--json", apply_.json,
                            "one JSON report per workbook (an array for several): each step's message, changes "
                            "and seconds");
    applyCommand_->add_option("--host-version", apply_.hostVersion, "the host's version, such as 16.0")
        ->type_name("VERSION")
        ->capture_default_str()
        ->check(hostVersionCheck());
    applyCommand_->add_option("--lang", apply_.lang, "switch the interface language first (En, Hi, ...)")
        ->type_name("CODE");

    showCommand_ =
        app_.add_subcommand("show", "print the sheets and cells of a workbook, or one sheet for other tools");
    hint(showCommand_->add_option("WORKBOOK", show_.workbook, "the workbook file; - reads csv from standard input")
             ->required(),
         ValueHint::File, workbookFiles());
    showCommand_->add_option("--sheet", show_.sheet, "the sheet to show, hidden ones too (default: the active sheet)")
        ->type_name("NAME");
    showCommand_->add_option("--range", show_.range, "the cells to show, such as A1:D20 (default: the used range)")
        ->type_name("RANGE");
    const auto showFormats = wordList(kShowFormats);
    hint(showCommand_
             ->add_option("--format", show_.format,
                          "grid (for people), csv or tsv (the values from A1, for other tools), json (values with "
                          "their kind, formulas, fills, comments, validations, shapes)")
             ->type_name("FORMAT")
             ->capture_default_str()
             ->check(CLI::IsMember(showFormats)),
         ValueHint::Words, showFormats);
    showCommand_->add_flag("--json", show_.json, "the same as --format json");

    typeCommand_ = app_.add_subcommand("type", "enter TEXT into CELL as a user types it (validation enforced)");
    hint(typeCommand_->add_option("WORKBOOK", type_.workbook, "the workbook file; - reads csv from standard input")
             ->required(),
         ValueHint::File, workbookFiles());
    typeCommand_->add_option("CELL", type_.cell, "the cell, such as B7")->required();
    typeCommand_->add_option("TEXT", type_.text, "what to type")->required();
    typeCommand_->add_option("--sheet", type_.sheet, "the sheet (default: the active sheet)")->type_name("NAME");
    addOutputOptions(*typeCommand_, type_.output, false);

    toolsCommand_ = app_.add_subcommand("tools", "every command with its ids, command key and English label");
    ribbonCommand_ = app_.add_subcommand("ribbon", "the tab (or legacy menu) as the host shows it");
    ribbonCommand_->add_option("--lang", ribbonLang_, "the interface language (En, Hi, ...)")->type_name("CODE");
    ribbonCommand_->add_option("--host-version", ribbonVersion_, "the host's version, such as 16.0 or 11.0")
        ->type_name("VERSION")
        ->capture_default_str()
        ->check(hostVersionCheck());
    tourCommand_ = app_.add_subcommand("tour", "the tool tour: every tool with its description");

    // Made from this definition; hidden from --help (the manual page describes them).
    completionCommand_ = app_.add_subcommand("completion", "print the shell completion script for SHELL");
    hint(completionCommand_->add_option("SHELL", completionShell_, "bash")
             ->required()
             ->check(CLI::IsMember(wordList(kCompletionShells))),
         ValueHint::Words, wordList(kCompletionShells));
    completionCommand_->group("");
    manpageCommand_ = app_.add_subcommand("manpage", "print the manual page cellwash(1) in roff");
    manpageCommand_->group("");
}

int CommandLine::execute(int argc, char** argv) {
    try {
        app_.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app_.exit(e);
        return status == 0 ? 0 : kUsage;
    }
    try {
        return dispatch();
    } catch (const Failure& failure) {
        std::cerr << "cellwash: " << failure.what() << "\n";
        return failure.status();
    } catch (const std::exception& e) {
        std::cerr << "cellwash: " << e.what() << "\n";
        return kRefused;
    }
}

int CommandLine::dispatch() {
    const bool terminal = ::isatty(STDERR_FILENO), reportsOnTerminal = ::isatty(STDOUT_FILENO);
    if (*runCommand_) {
        run_.progressBar = terminal && !run_.json;
        run_.fileLines = terminal && (run_.json || !reportsOnTerminal || writesToStandardOutput(run_.output));
        run_.plain = plain_.given();
        return runCommand(run_, std::cout, std::cerr);
    }
    if (*applyCommand_) {
        apply_.progressBar = terminal && !apply_.json;
        apply_.fileLines = terminal && (apply_.json || !reportsOnTerminal || writesToStandardOutput(apply_.output));
        return runApply(apply_, std::cout, std::cerr);
    }
    if (*undoCommand_) {
        undo_.tool = "btnUndo_02";
        return runCommand(undo_, std::cout, std::cerr);
    }
    if (*redoCommand_) {
        redo_.tool = "btnRedo_03";
        return runCommand(redo_, std::cout, std::cerr);
    }
    if (*showCommand_) return runShow(show_, std::cout);
    if (*typeCommand_) return runType(type_, std::cout, std::cerr);
    if (*toolsCommand_) return runTools(std::cout);
    if (*ribbonCommand_) return runRibbon(ribbonLang_, ribbonVersion_, std::cout);
    if (*tourCommand_) return runTour(std::cout);
    if (*completionCommand_) return printCompletion(*this, completionShell_, std::cout);
    if (*manpageCommand_) return printManPage(*this, std::cout);
    return kUsage;
}

}  // namespace cli
