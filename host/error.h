#pragma once
// host::Error — a failing host call, carrying the host's own error number.
#include <stdexcept>
#include <string>

namespace host {

// The host's error numbers the add-in meets.
enum ErrorNumber : int {
    errInvalidCall = 5,         // invalid procedure call or argument
    errOverflow = 6,            // e.g. Count of a whole-sheet range
    errSubscript = 9,           // subscript out of range (collection lookups)
    errTypeMismatch = 13,       // e.g. reading an error cell as text
    errObjectRequired = 424,    // a range whose cells were all deleted
    errNotSupported = 438,      // member not supported by this object (chart sheets)
    errApplication = 1004,      // application-defined or object-defined error
};

class Error : public std::runtime_error {
public:
    Error(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

}  // namespace host
