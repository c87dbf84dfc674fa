#pragma once
// `cellwash run`, `undo` and `redo`: the host starts and connects the add-in, the workbook
// opens, the selection is set, the command is clicked on the ribbon (or the legacy menu),
// the dialog gets its options through its own controls, Yes is pressed, the tool runs with
// its progress, and its message is reported.
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/cellwash/book_files.h"
#include "apps/cellwash/command_line_user.h"
#include "apps/cellwash/plain_options.h"
#include "apps/cellwash/run_report.h"

namespace session {
class HostSession;
}

namespace cli {

// One tool as a user runs it on the open workbook: the selection, the dialog's options, the
// answer. A recipe is a list of these.
struct ToolStep {
    std::string tool;  // control id, legacy tag, command key or its kebab-case form
    std::optional<std::string> sheet, select, active;
    std::vector<std::string> columns;   // headers in row 1: the cells under them are selected
    std::vector<PlainSetting> plain;    // --mode, --colour, ...: applied first, in the table's order
    std::vector<std::string> sets;      // CONTROL=VALUE, applied in order
    std::vector<std::string> clicks;    // controls to click after the settings
    bool no = false;                    // answer the dialog with No
    std::optional<std::string> answer;  // yes|no for message boxes
    std::optional<int> stopAfter;       // press Stop at the N-th yield
};

// How the host runs and what is written: shared by every step and every workbook.
struct SessionSettings {
    std::optional<std::string> lang;  // switch the interface language first
    std::string hostVersion = "16.0";
    bool progressBar = false;  // on a terminal: a bar on stderr
    // A line on stderr naming each of several files as it starts: when stderr is a terminal
    // that the reports' "== FILE" headings do not reach.
    bool fileLines = false;
};

struct RunOptions : ToolStep, SessionSettings {
    std::vector<std::string> workbooks;  // each on its own; "-": csv from standard input
    OutputChoice output;
    std::optional<std::string> outDir;  // --out-dir: each workbook under its own name
    bool json = false;
    std::optional<std::string> record;  // a recipe the step is appended to when it ran
};

// What one step did; the report points at the user who ran it.
struct StepResult {
    std::unique_ptr<CommandLineUser> user;
    RunReport report;
    double seconds = 0;
};

// The host for one workbook: started once, the workbook opened once, steps run one after
// another on it through the same dialog road as single runs.
class StepSession {
public:
    StepSession(const SessionSettings& settings, std::ostream& err);
    ~StepSession();
    engine::Book& open(const std::string& path);
    // Runs the step on the open workbook. Settings that do not fit its dialog are
    // Failure(kUsage); a refusal or an unfinished run is in the report.
    StepResult run(const ToolStep& step);

private:
    class ForwardingUser;
    SessionSettings settings_;
    std::ostream& err_;
    bool legacy_;
    std::unique_ptr<ForwardingUser> user_;
    std::unique_ptr<session::HostSession> session_;
    engine::BookPtr book_;
};

// The step on each workbook. The reports go to `out`, or to `err` when the result is written
// to standard output (which then carries only the data).
int runCommand(const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
