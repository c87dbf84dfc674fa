#pragma once
// How a command ends when it cannot do its work: an exit status and one clear line.
#include <stdexcept>
#include <string>
#include <string_view>

namespace cli {

enum ExitStatus : int {
    kDone = 0,       // the command ran to its message
    kRefused = 1,    // it ended with a refusal (a precondition message, a validation alert)
    kUsage = 2,      // bad arguments
    kFileError = 3,  // the workbook could not be read or written
};

// What each status means, as `--help` and the manual page say it.
struct ExitStatusMeaning {
    ExitStatus status;
    std::string_view word;     // "refused"
    std::string_view meaning;  // one sentence
};
inline constexpr ExitStatusMeaning kExitStatuses[] = {
    {kDone, "done", "the command ran to its message (for several workbooks: every one of them)"},
    {kRefused, "refused",
     "the tool refused (e.g. \"Selection is Empty!\"), the dialog was left open, or a validation rule refused an "
     "entry"},
    {kUsage, "usage", "bad arguments, or dialog settings the tool's dialog cannot take; nothing was written"},
    {kFileError, "file error", "a workbook could not be read or written"},
};

class Failure : public std::runtime_error {
public:
    Failure(int status, const std::string& message) : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

}  // namespace cli
