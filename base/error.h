#pragma once
// base::Error — a failure carrying a number and a description, shared by the layers: the
// host's errors (host::Error), the registry wrapper's and the forms runtime's.
#include <stdexcept>
#include <string>

namespace base {

class Error : public std::runtime_error {
public:
    Error(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

}  // namespace base
