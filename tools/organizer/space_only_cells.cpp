// The space-only pass: cells whose text is nothing but spaces (U+0020) become empty.
#include "dialog/cell_pass.h"
#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/tool_run.h"
#include "host/range.h"
#include "shell/resume_next.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/organizer_support.h"

namespace tools::organizer {

namespace {

bool isSpaceOnly(const std::u16string& text) { return text.find_first_not_of(u' ') == std::u16string::npos; }

}  // namespace

void clearSpaceOnlyCells(long total, const host::RangePtr& cells) {
    // The stop flag is the calling routine's: it was cleared there, and a Stop pressed now
    // ends this pass only.
    dialog::ProgressReadout progress(dialog::frmMain().lblDOHeader1to4, dialog::kAnalyzing,
                                     static_cast<std::int32_t>(total));
    // A cell that cannot be read as text (an error value) is left alone.
    dialog::runCellPass(cells, progress, [](const host::RangePtr& cell) {
        if (isSpaceOnly(cellText(cell))) cell->setValue(host::Variant(u""));
    });
}

}  // namespace tools::organizer
