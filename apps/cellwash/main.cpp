// cellwash — the data-cleaning tools on a workbook file, run the way a user runs them from
// the ribbon, on the embedded spreadsheet host.
#include <CLI/CLI.hpp>
#include <iostream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/show_command.h"
#include "apps/cellwash/type_command.h"

namespace {

void addOutputOptions(CLI::App& command, cli::OutputChoice& output) {
    command.add_option("-o,--output", output.outputPath, "write the result to FILE (xlsx or csv, by extension)");
    command.add_flag("--in-place", output.inPlace, "save over WORKBOOK (written beside it, then renamed)");
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"cellwash: data-cleaning tools for spreadsheet workbooks (xlsx, xlsm, csv).\n"
                 "Without -o or --in-place a command changes nothing on disk (a dry run)."};
    app.require_subcommand(1);

    cli::ShowOptions show;
    auto* showCommand = app.add_subcommand("show", "print the sheets and cells of a workbook");
    showCommand->add_option("WORKBOOK", show.workbook, "the workbook file")->required();
    showCommand->add_option("--sheet", show.sheet, "the sheet to show (default: the active sheet)");
    showCommand->add_option("--range", show.range, "the cells to show, such as A1:D20 (default: the used range)");
    showCommand->add_flag("--json", show.json, "one JSON object: values with their kind, formulas, fills, comments, "
                                               "validations, shapes");

    cli::TypeOptions type;
    auto* typeCommand = app.add_subcommand("type", "enter TEXT into CELL as a user types it (validation enforced)");
    typeCommand->add_option("WORKBOOK", type.workbook, "the workbook file")->required();
    typeCommand->add_option("CELL", type.cell, "the cell, such as B7")->required();
    typeCommand->add_option("TEXT", type.text, "what to type")->required();
    typeCommand->add_option("--sheet", type.sheet, "the sheet (default: the active sheet)");
    addOutputOptions(*typeCommand, type.output);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : cli::kUsage;
    }
    try {
        if (*showCommand) return cli::runShow(show, std::cout);
        if (*typeCommand) return cli::runType(type, std::cout, std::cerr);
    } catch (const cli::Failure& failure) {
        std::cerr << "cellwash: " << failure.what() << "\n";
        return failure.status();
    }
    return cli::kUsage;
}
