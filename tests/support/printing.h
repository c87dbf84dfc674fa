#pragma once
// Readable GoogleTest output for Variants (GoogleTest prints UTF-16 text itself).
#include <ostream>
#include <string>

#include "host/variant.h"

namespace host {
void PrintTo(const Variant& value, std::ostream* os);
}
