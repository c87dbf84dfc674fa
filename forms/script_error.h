#pragma once
// ScriptError: a driver asked for something no user could do (no such control, a value a
// control cannot take, an answer for a message box that is not open).
#include <stdexcept>
#include <string>

namespace forms {

class ScriptError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

}  // namespace forms
