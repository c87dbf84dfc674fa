#pragma once
// What a run reports: for a person, a few lines; for scripts, one JSON object.
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "apps/cellwash/book_changes.h"
#include "apps/cellwash/command_line_user.h"

namespace cli {

struct RunReport {
    std::string command;  // the command key, or the control id of a shell command
    const CommandLineUser* user = nullptr;
    std::string statusBar;
    BookPicture::Changes changes;
    std::optional<std::string> written;
    std::vector<std::string> notes;
    bool refused = false;
    // Why the run did not end as asked (the dialog left open, no message reached).
    std::optional<std::string> unfinished;
    // What the tool's own message does not say: that Stop ended it, after how many of its
    // items; cells it could not write, with the first of them ("A5: ...").
    std::optional<std::pair<int, int>> stoppedAfter;  // items done, of total
    size_t cellsNotWritten = 0;
    std::string firstNotWritten;
};

// The alerts (heading, message) the message window showed, in order.
std::vector<std::pair<std::u16string, std::u16string>> alertsOf(const CommandLineUser& user);

void printReport(const RunReport& report, std::ostream& out);
nlohmann::json jsonReport(const RunReport& report);
// Where a result was written, as a report says it ("standard output" for "-").
std::string writtenTo(const std::string& written);

}  // namespace cli
