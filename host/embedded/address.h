#pragma once
// Moved to engine/address.h; kept for the command line until it names the engine itself.
#include "engine/address.h"
#include "host/embedded/engine_names.h"
