#pragma once
// The host objects the add-in keeps for the life of the library.
#include "host/fwd.h"
#include "host/ribbon.h"

namespace shell {

// The host Application, kept from connection to disconnection; empty while not connected.
inline host::ApplicationPtr hostApplication;

// The host's ribbon object, kept at ribbon load for later refresh requests; empty before.
inline host::IRibbonUIPtr ribbonUI;

}  // namespace shell
