#pragma once
// Moved to engine/text_functions.h; kept for the command line until it names the engine itself.
#include "engine/text_functions.h"
#include "host/embedded/engine_names.h"
