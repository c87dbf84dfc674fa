// cellwash — the data-cleaning tools on a workbook file, run the way a user runs them from
// the ribbon, on the embedded spreadsheet host.
#include <iostream>
#include <optional>
#include <string>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/command_line.h"
#include "apps/cellwash/tool_help.h"
#include "base/atomic_file.h"

namespace {

// A first word that is no command (and no option) is named as such, rather than reported
// as a missing command.
std::optional<std::string> unknownCommand(const cli::CommandLine& commandLine, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') return std::nullopt;
    for (const CLI::App* command : commandLine.app().get_subcommands({}))
        if (command->get_name() == argv[1]) return std::nullopt;
    std::string names;
    for (const CLI::App* command : commandLine.commands()) names += (names.empty() ? "" : ", ") + command->get_name();
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
    if (asksColourList(argc, argv)) return cli::runColourList(std::cout);
    if (asksToolHelp(argc, argv)) {
        try {
            return cli::runToolHelp(argv[2], std::cout);
        } catch (const cli::Failure& failure) {
            std::cerr << "cellwash: " << failure.what() << "\n";
            return failure.status();
        }
    }
    cli::CommandLine commandLine;
    if (const auto unknown = unknownCommand(commandLine, argc, argv)) {
        std::cerr << "cellwash: " << *unknown << "\n";
        return cli::kUsage;
    }
    base::removeTemporariesOnSignals();
    return commandLine.execute(argc, argv);
}
