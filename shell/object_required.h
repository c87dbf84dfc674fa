#pragma once
// objectOf: the object behind a reference, or the host's error 91 when the reference is
// empty, as a call on an unset object variable fails. Lets a step that ignores host errors
// also survive an earlier step that left its object unset.
#include <memory>

#include "host/error.h"

namespace shell {

constexpr int errObjectVariableNotSet = 91;

template <class T>
T& objectOf(const std::shared_ptr<T>& reference) {
    if (!reference) throw host::Error(errObjectVariableNotSet, "Object variable or With block variable not set");
    return *reference;
}

}  // namespace shell
