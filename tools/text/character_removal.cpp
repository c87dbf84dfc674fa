// The character-class tools TC1 to TC8: one routine, five per-cell passes, one message each.
#include <string_view>

#include "dialog/cell_pass.h"
#include "dialog/frm_main.h"
#include "host/application.h"
#include "host/variant.h"
#include "shell/host_references.h"
#include "tools/text/text_cleaner_module.h"
#include "tools/text/text_run_frame.h"

namespace tools::text {

namespace {

constexpr std::u16string_view kDigits = u"1234567890";
constexpr std::u16string_view kUpper = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::u16string_view kLower = u"abcdefghijklmnopqrstuvwxyz";
constexpr std::u16string_view kLetters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// One per-cell pass: every non-empty cell is read as text, rewritten by `operation` and
// written back (changed or not), with the progress step after every cell.
template <class Operation>
void characterPass(std::int32_t count, const host::RangePtr& range, Operation&& operation) {
    dialog::ProgressReadout progress(dialog::frmMain().lblDOHeader1to4, dialog::kRemoving, count);
    dialog::runCellPass(range, progress, [&](const host::RangePtr& cell) {
        const host::Variant value = cell->Value();
        if (value.isEmpty()) return;
        const std::u16string text = value.toText();  // an error value fails here: cell skipped
        if (text.empty()) return;
        cell->setValue(host::Variant(operation(text)));
    });
}

// What the passes read from the dialog at the start of the loop.
struct DialogInputs {
    std::u16string userChars;  // txtUserDefinedChars
    bool nonPrintable;         // CheckBox5
};

using Pass = void (*)(std::int32_t count, const host::RangePtr& range, const DialogInputs& inputs);

void removeCharSet(std::int32_t count, const host::RangePtr& range, std::u16string_view set) {
    const std::u16string chars(set);
    characterPass(count, range, [&](const std::u16string& text) { return stripChars(text, chars); });
}

template <const std::u16string_view& Set>
void removeFixedSet(std::int32_t count, const host::RangePtr& range, const DialogInputs&) {
    removeCharSet(count, range, Set);
}

void removeAllSpaces(std::int32_t count, const host::RangePtr& range, const DialogInputs&) {
    characterPass(count, range, [](const std::u16string& text) {
        std::u16string kept;
        kept.reserve(text.size());
        for (char16_t c : text)
            if (c != u' ') kept.push_back(c);
        return kept;
    });
}

void removeLeadingTrailingSpaces(std::int32_t count, const host::RangePtr& range, const DialogInputs&) {
    characterPass(count, range, [](const std::u16string& text) {
        const auto first = text.find_first_not_of(u' ');
        if (first == std::u16string::npos) return std::u16string();
        return text.substr(first, text.find_last_not_of(u' ') - first + 1);
    });
}

void removeExtraSpaces(std::int32_t count, const host::RangePtr& range, const DialogInputs&) {
    const host::WorksheetFunctionPtr functions = shell::hostApplication->WorksheetFunction();
    characterPass(count, range, [&](const std::u16string& text) { return functions->Trim(text); });
}

void removeNonPrintable(std::int32_t count, const host::RangePtr& range) {
    const host::WorksheetFunctionPtr functions = shell::hostApplication->WorksheetFunction();
    characterPass(count, range, [&](const std::u16string& text) { return functions->Clean(text); });
}

// The characters box, or CLEAN while "Remove Non-Printable Characters" is ticked.
void removeUserDefined(std::int32_t count, const host::RangePtr& range, const DialogInputs& inputs) {
    if (inputs.nonPrintable)
        removeNonPrintable(count, range);
    else
        removeCharSet(count, range, inputs.userChars);
}

struct CharacterTool {
    std::u16string_view code;
    Pass pass;
    std::u16string_view message;
};

constexpr CharacterTool kTools[] = {
    {u"RNUM", removeFixedSet<kDigits>, u"All Numbers Removed from Selected Cells!"},
    {u"RALP", removeFixedSet<kLetters>, u"All Alphabet Removed from Selected Cells!"},
    {u"RCAP", removeFixedSet<kUpper>, u"All UPPER CASE Characters Removed from Selected Cells!"},
    {u"RLOC", removeFixedSet<kLower>, u"All lower case Characters Removed from Selected Cells!"},
    {u"RALS", removeAllSpaces, u"All Spaces Removed from Selected Cells!"},
    {u"RLTS", removeLeadingTrailingSpaces, u"All Leading and Trailing Spaces Removed from Selected Cells!"},
    {u"RAES", removeExtraSpaces, u"All Extra Spaces Removed from Selected Cells!"},
    {u"RUSD", removeUserDefined, u"All User Defined Characters Removed from Selected Cells!"},
};

}  // namespace

std::u16string stripChars(const std::u16string& text, const std::u16string& set) {
    if (set.empty()) return text;
    std::u16string kept;
    kept.reserve(text.size());
    for (char16_t c : text)
        if (set.find(c) == std::u16string::npos) kept.push_back(c);
    return kept;
}

void runTC1to8(const std::u16string& code) {
    runTextTool(&dialog::FrmMain::lblDOSelCells,
                [&](dialog::FrmMain& form, const host::RangePtr& target, std::int32_t count) -> std::u16string {
                    const DialogInputs inputs{form.txtUserDefinedChars.Text(), form.CheckBox5.Value()};
                    for (const CharacterTool& tool : kTools)
                        if (tool.code == code) {
                            tool.pass(count, target, inputs);
                            return std::u16string(tool.message);
                        }
                    return u"";
                });
}

}  // namespace tools::text
