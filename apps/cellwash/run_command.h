#pragma once
// `cellwash run`, `undo` and `redo`: the host starts and connects the add-in, the workbook
// opens, the selection is set, the command is clicked on the ribbon (or the legacy menu),
// the dialog gets its options through its own controls, Yes is pressed, the tool runs with
// its progress, and its message is reported.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "apps/cellwash/book_files.h"
#include "apps/cellwash/plain_options.h"

namespace cli {

struct RunOptions {
    std::string tool;  // control id, legacy tag, command key or its kebab-case form
    std::string workbook;
    std::optional<std::string> sheet, select, active;
    std::vector<std::string> columns;  // headers in row 1: the cells under them are selected
    std::vector<PlainSetting> plain;  // --mode, --colour, ...: applied first, in the table's order
    std::vector<std::string> sets;    // CONTROL=VALUE, applied in order
    std::vector<std::string> clicks;  // controls to click after the settings
    bool no = false;                  // answer the dialog with No
    std::optional<std::string> answer;  // yes|no for message boxes
    std::optional<int> stopAfter;       // press Stop at the N-th yield
    std::optional<std::string> lang;    // switch the interface language first
    std::string hostVersion = "16.0";
    OutputChoice output;
    bool json = false;
    bool progressBar = false;  // on a terminal: a bar on stderr
};

int runCommand(const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
