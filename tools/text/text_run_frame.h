#pragma once
// The frame both text cleaner routines share: processing bracket, active cell kept, the
// opening checks, the target and its cell count, the loop start, the final message.
#include <cstdint>
#include <functional>
#include <string>

#include "forms/simple_controls.h"
#include "host/fwd.h"

namespace dialog {
class FrmMain;
}

namespace tools::text {

// Runs `pass` over the target (selection within the used range) with its cell count, which
// is first written into `countLabel`; the pass returns the final message.
using TextPass = std::function<std::u16string(dialog::FrmMain& form, const host::RangePtr& target, std::int32_t count)>;
void runTextTool(forms::Label dialog::FrmMain::*countLabel, const TextPass& pass);

}  // namespace tools::text
