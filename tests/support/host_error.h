#pragma once
// The host error number a call fails with; 0 when it succeeds.
#include <functional>

#include "host/error.h"

namespace testsupport {

inline int hostErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const host::Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace testsupport
