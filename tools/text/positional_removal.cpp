// The positional tools TC9 to TC14: remove or replace a piece of every non-empty cell's text.
#include <string_view>

#include "dialog/cell_pass.h"
#include "dialog/frm_main.h"
#include "host/variant.h"
#include "tools/text/positional_edit.h"
#include "tools/text/text_cleaner_module.h"
#include "tools/text/text_run_frame.h"

namespace tools::text {

namespace {

constexpr std::size_t kMessageExcerpt = 25;

PositionalInputs inputsOf(const dialog::FrmMain& form) {
    return {form.txtNthChars.Text(), wholeNumberOf(form.txtStartPos.Text()), wholeNumberOf(form.txtNoOfChars.Text()),
            form.chkReplaceChars.Value() ? form.txtReplaceChars.Text() : std::u16string()};
}

// The per-cell pass of one code: the inputs are read once, the read-out is the text cleaner
// page's question label, and a cell is written only when the code says so.
void positionalPass(PositionalCode code, std::int32_t count, const host::RangePtr& range, dialog::FrmMain& form) {
    const PositionalInputs inputs = inputsOf(form);
    dialog::ProgressReadout progress(form.lblTextCleanerHD, dialog::kProcessing, count);
    dialog::runCellPass(range, progress, [&](const host::RangePtr& cell) {
        const host::Variant value = cell->Value();
        if (value.isEmpty()) return;
        const std::u16string text = value.toText();  // an error value fails here: cell skipped
        if (text.empty()) return;
        if (std::optional<std::u16string> result = positionalResult(code, text, inputs))
            cell->setValue(host::Variant(std::move(*result)));
    });
}

// The final message, from the dialog as it reads after the pass.
std::u16string messageOf(PositionalCode code, const dialog::FrmMain& form) {
    const std::u16string s = form.txtNthChars.Text().substr(0, kMessageExcerpt);
    const std::u16string r = form.txtReplaceChars.Text().substr(0, kMessageExcerpt);
    const std::u16string& n = form.txtNoOfChars.Text();
    const bool replaced = form.chkReplaceChars.Value();
    const std::u16string removedFromCells = u"' has been removed from Cells";
    const std::u16string replacedWith = u"' has been replaced with '" + r + u"'";
    const std::u16string& aroundEnd = replaced ? replacedWith : removedFromCells;
    switch (code) {
    case PositionalCode::RALC: return u"All text before '" + s + aroundEnd;
    case PositionalCode::RATC: return u"All text after '" + s + aroundEnd;
    case PositionalCode::RXLC: return n + u" characters before '" + s + aroundEnd;
    case PositionalCode::RXTC: return n + u" characters after '" + s + aroundEnd;
    case PositionalCode::RLXC:
        return n + (replaced ? u" Leading Characters has been replaced" : u" Leading Characters has been removed");
    case PositionalCode::RTXC:
        return n + (replaced ? u" Trailing Characters has been replaced" : u" Trailing Characters has been removed");
    }
    return u"";
}

}  // namespace

void runTC9to14(const std::u16string& code) {
    runTextTool(&dialog::FrmMain::lblTCSel,
                [&](dialog::FrmMain& form, const host::RangePtr& target, std::int32_t count) -> std::u16string {
                    const std::optional<PositionalCode> known = positionalCodeOf(code);
                    if (!known) return u"";
                    positionalPass(*known, count, target, form);
                    return messageOf(*known, form);
                });
}

}  // namespace tools::text
