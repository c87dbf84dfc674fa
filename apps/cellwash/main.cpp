// cellwash — the data-cleaning tools on a workbook file, run the way a user runs them from
// the ribbon, on the embedded spreadsheet host.
#include <unistd.h>
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

#include "apps/cellwash/apply_command.h"
#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/listing_commands.h"
#include "apps/cellwash/plain_option_inputs.h"
#include "apps/cellwash/run_command.h"
#include "apps/cellwash/show_command.h"
#include "apps/cellwash/tool_help.h"
#include "apps/cellwash/type_command.h"
#include "base/atomic_file.h"

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
        "VERSION");
}

void addOutputOptions(CLI::App& command, cli::OutputChoice& output) {
    command.add_option("-o,--output", output.outputPath, "write the result to FILE (xlsx or csv, by extension)");
    command.add_flag("--in-place", output.inPlace, "save over WORKBOOK (written beside it, then renamed)");
}

void addSessionOptions(CLI::App& command, cli::RunOptions& run) {
    command.add_option("WORKBOOK", run.workbook, "the workbook file (xlsx, xlsm, csv)")->required();
    command.add_option("--sheet", run.sheet, "the sheet to work on (default: the file's active sheet)");
    command
        .add_option("--host-version", run.hostVersion,
                    "the host's version, such as 16.0: above 11.0 the ribbon, 11.0 and below the legacy menu")
        ->capture_default_str()
        ->check(hostVersionCheck());
    command.add_option("--answer", run.answer, "answer message boxes: yes or no");
    command.add_flag("--json", run.json, "one JSON object on stdout: alerts, message boxes, progress, dialog, changes");
    addOutputOptions(command, run.output);
}

CLI::App* addRun(CLI::App& app, cli::RunOptions& run, cli::PlainOptionInputs& plain) {
    auto* command =
        app.add_subcommand("run", "run a tool as a user at the ribbon would: dialog, options, Yes, message");
    command
        ->add_option("TOOL", run.tool,
                     "ribbon id (btnDelDupsKF_25), legacy tag (CWTOOLS5_DC1), command key "
                     "(removeDuplicatesKeepFirst) or its kebab-case form; `cellwash tools` lists them, "
                     "`cellwash run TOOL --help` shows that tool's dialog options")
        ->required();
    addSessionOptions(*command, run);
    command->add_option("--select", run.select,
                        "the selection as typed: B2:B40, A:A, 2:10, A1:B9,D4, a column B or a row 7 "
                        "(default: the file's selection)");
    command
        ->add_option("--column", run.columns,
                     "select the cells under this header of row 1 (any letter case; repeatable)")
        ->type_name("HEADER");
    command->add_option("--active", run.active, "the active cell within the selection");
    command->add_option("--set", run.sets,
                        "CONTROL=VALUE for the tool's dialog, in order: option buttons and check boxes "
                        "true/false, text boxes their text (e.g. --set txtUDChars=xyz)");
    command->add_option("--click", run.clicks, "click a dialog control, such as a colour swatch (lblGrey50)");
    plain.addTo(*command);
    command->add_flag("--no", run.no, "answer the dialog with No (it is answered Yes otherwise, also after --click)");
    command->add_option("--stop-after", run.stopAfter, "press Stop at the N-th yield of the running tool");
    command->add_option("--lang", run.lang, "switch the interface language first (En, Hi, ...)");
    command->add_option("--record", run.record, "append this step to the recipe RECIPE (made when absent)")
        ->type_name("RECIPE");
    return command;
}

// A first word that is no command (and no option) is named as such, rather than reported
// as a missing command.
std::optional<std::string> unknownCommand(const CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') return std::nullopt;
    for (const CLI::App* command : app.get_subcommands({}))
        if (command->get_name() == argv[1]) return std::nullopt;
    std::string names;
    for (const CLI::App* command : app.get_subcommands({})) names += (names.empty() ? "" : ", ") + command->get_name();
    return "unknown command \"" + std::string(argv[1]) + "\" (the commands are " + names + "; --help describes them)";
}

// `--colour list` anywhere after `run` lists the palette instead of running anything.
bool asksColourList(int argc, char** argv) {
    if (argc < 3 || std::string(argv[1]) != "run") return false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--colour=list" || (arg == "--colour" && i + 1 < argc && std::string(argv[i + 1]) == "list"))
            return true;
    }
    return false;
}

// `cellwash run TOOL --help` describes that tool's dialog rather than the run command.
bool asksToolHelp(int argc, char** argv) {
    if (argc < 4 || std::string(argv[1]) != "run" || argv[2][0] == '-') return false;
    for (int i = 3; i < argc; ++i)
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") return cli::runVersion(std::cout);
    if (asksColourList(argc, argv)) return cli::runColourList(std::cout);
    if (asksToolHelp(argc, argv)) {
        try {
            return cli::runToolHelp(argv[2], std::cout);
        } catch (const cli::Failure& failure) {
            std::cerr << "cellwash: " << failure.what() << "\n";
            return failure.status();
        }
    }
    CLI::App app{
        "cellwash: data-cleaning tools for spreadsheet workbooks (xlsx, xlsm, csv), run the way a\n"
        "user runs them from the ribbon. Without -o or --in-place nothing is written (a dry run).\n"
        "Exit status: 0 done, 1 refused (e.g. \"Selection is Empty!\"), 2 usage, 3 file error."};
    app.require_subcommand(1);

    cli::RunOptions run, undo, redo;
    cli::PlainOptionInputs plain;
    auto* runCommand = addRun(app, run, plain);
    auto* undoCommand = app.add_subcommand("undo", "the ribbon's Undo on the active (or --sheet) sheet");
    addSessionOptions(*undoCommand, undo);
    auto* redoCommand = app.add_subcommand("redo", "the ribbon's Redo on the active (or --sheet) sheet");
    addSessionOptions(*redoCommand, redo);

    cli::ApplyOptions apply;
    auto* applyCommand =
        app.add_subcommand("apply", "run a recipe's steps on each workbook: one load and one save each");
    applyCommand->add_option("RECIPE", apply.recipe, "the recipe: {\"steps\": [{\"tool\": ..., \"select\": ..., ...}]}")
        ->required();
    applyCommand->add_option("WORKBOOK", apply.workbooks, "the workbook files")->required();
    applyCommand->add_option("-o,--output", apply.output.outputPath, "write the result to FILE (one workbook)");
    applyCommand->add_option("--out-dir", apply.outDir, "write each result under its own name into DIR")
        ->type_name("DIR");
    applyCommand->add_flag("--in-place", apply.output.inPlace, "save over each workbook");
    applyCommand->add_flag("--keep-going", apply.keepGoing, "run the remaining steps after a refused one, and save");
    applyCommand->add_flag("--json", apply.json, "one JSON report: each step's message, changes and seconds");
    applyCommand->add_option("--host-version", apply.hostVersion, "the host's version, such as 16.0")
        ->capture_default_str()
        ->check(hostVersionCheck());
    applyCommand->add_option("--lang", apply.lang, "switch the interface language first (En, Hi, ...)");

    cli::ShowOptions show;
    auto* showCommand = app.add_subcommand("show", "print the sheets and cells of a workbook");
    showCommand->add_option("WORKBOOK", show.workbook, "the workbook file")->required();
    showCommand->add_option("--sheet", show.sheet, "the sheet to show (default: the active sheet)");
    showCommand->add_option("--range", show.range, "the cells to show, such as A1:D20 (default: the used range)");
    showCommand->add_flag("--json", show.json,
                          "one JSON object: values with their kind, formulas, fills, comments, "
                          "validations, shapes");

    cli::TypeOptions type;
    auto* typeCommand = app.add_subcommand("type", "enter TEXT into CELL as a user types it (validation enforced)");
    typeCommand->add_option("WORKBOOK", type.workbook, "the workbook file")->required();
    typeCommand->add_option("CELL", type.cell, "the cell, such as B7")->required();
    typeCommand->add_option("TEXT", type.text, "what to type")->required();
    typeCommand->add_option("--sheet", type.sheet, "the sheet (default: the active sheet)");
    addOutputOptions(*typeCommand, type.output);

    auto* toolsCommand = app.add_subcommand("tools", "every command with its ids, command key and English label");
    std::optional<std::string> ribbonLang;
    std::string ribbonVersion = "16.0";
    auto* ribbonCommand = app.add_subcommand("ribbon", "the tab (or legacy menu) as the host shows it");
    ribbonCommand->add_option("--lang", ribbonLang, "the interface language (En, Hi, ...)");
    ribbonCommand->add_option("--host-version", ribbonVersion, "the host's version, such as 16.0 or 11.0")
        ->capture_default_str()
        ->check(hostVersionCheck());
    auto* tourCommand = app.add_subcommand("tour", "the tool tour: every tool with its description");

    if (const auto unknown = unknownCommand(app, argc, argv)) {
        std::cerr << "cellwash: " << *unknown << "\n";
        return cli::kUsage;
    }
    base::removeTemporariesOnSignals();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : cli::kUsage;
    }
    try {
        const bool terminal = ::isatty(STDERR_FILENO);
        if (*runCommand) {
            run.progressBar = terminal && !run.json;
            run.plain = plain.given();
            return cli::runCommand(run, std::cout, std::cerr);
        }
        if (*applyCommand) {
            apply.progressBar = terminal && !apply.json;
            return cli::runApply(apply, std::cout, std::cerr);
        }
        if (*undoCommand) {
            undo.tool = "btnUndo_02";
            return cli::runCommand(undo, std::cout, std::cerr);
        }
        if (*redoCommand) {
            redo.tool = "btnRedo_03";
            return cli::runCommand(redo, std::cout, std::cerr);
        }
        if (*showCommand) return cli::runShow(show, std::cout);
        if (*typeCommand) return cli::runType(type, std::cout, std::cerr);
        if (*toolsCommand) return cli::runTools(std::cout);
        if (*ribbonCommand) return cli::runRibbon(ribbonLang, ribbonVersion, std::cout);
        if (*tourCommand) return cli::runTour(std::cout);
    } catch (const cli::Failure& failure) {
        std::cerr << "cellwash: " << failure.what() << "\n";
        return failure.status();
    } catch (const std::exception& e) {
        std::cerr << "cellwash: " << e.what() << "\n";
        return cli::kRefused;
    }
    return cli::kUsage;
}
