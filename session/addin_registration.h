#pragma once
// The add-in's registration with an embedded host: the COM add-in entry the host loads at
// start-up and creates Connect from.
#include "host/embedded/embedded_application.h"

namespace session {

// ProgID "CellwashKit.Connect", friendly name "Cellwash Kit", a one-line description, load
// behaviour 3 (connected at host start-up), and Connect as the connection object.
host::embedded::ComAddInRegistration cellwashKitRegistration();

// Registers the add-in with `app` (written under the current user's host add-in settings).
void registerCellwashKit(host::embedded::EmbeddedApplication& app);

}  // namespace session
