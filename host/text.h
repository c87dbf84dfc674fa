#pragma once
// The host and the add-in convert text with the shared UTF-8/16 functions of base/.
#include "base/text.h"

namespace host {

using base::utf16;
using base::utf8;

}  // namespace host
