#pragma once
// resumeNext: runs one step of a routine that ignores host errors — a failing host call
// skips the rest of that step and the routine goes on with the next one.
#include "host/error.h"

namespace shell {

// True when the step ran to its end, false when a host error cut it short.
template <class Step>
bool resumeNext(Step&& step) {
    try {
        step();
        return true;
    } catch (const host::Error&) {
        return false;
    }
}

}  // namespace shell
