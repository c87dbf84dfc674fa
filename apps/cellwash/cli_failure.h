#pragma once
// How a command ends when it cannot do its work: an exit status and one clear line.
#include <stdexcept>
#include <string>

namespace cli {

enum ExitStatus : int {
    kDone = 0,       // the command ran to its message
    kRefused = 1,    // it ended with a refusal (a precondition message, a validation alert)
    kUsage = 2,      // bad arguments
    kFileError = 3,  // the workbook could not be read or written
};

class Failure : public std::runtime_error {
public:
    Failure(int status, const std::string& message) : std::runtime_error(message), status_(status) {}
    int status() const { return status_; }

private:
    int status_;
};

}  // namespace cli
