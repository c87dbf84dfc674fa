#pragma once
// host::Error — a failing host call, carrying the host's own error number.
#include "base/error.h"

namespace host {

// The host's error numbers the add-in meets.
enum ErrorNumber : int {
    errInvalidCall = 5,       // invalid procedure call or argument
    errOverflow = 6,          // e.g. Count of a whole-sheet range
    errOutOfMemory = 7,       // e.g. the values of a whole sheet in one array
    errSubscript = 9,         // subscript out of range (collection lookups)
    errTypeMismatch = 13,     // e.g. reading an error cell as text
    errObjectRequired = 424,  // a range whose cells were all deleted
    errNotSupported = 438,    // member not supported by this object (chart sheets)
    errApplication = 1004,    // application-defined or object-defined error
};

// A failing host call: the shared error type, so that a catch of host::Error also catches
// the registry's and the forms runtime's errors.
using Error = base::Error;

}  // namespace host
