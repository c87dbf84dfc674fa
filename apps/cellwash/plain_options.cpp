#include "apps/cellwash/plain_options.h"

#include <algorithm>
#include <cctype>

#include "apps/cellwash/cli_failure.h"
#include "dialog/colour_swatches.h"
#include "host/text.h"

namespace cli {

namespace {

using E = ControlEffect;

// --- which dialogs show which controls (see the families' set-up rows) ---

constexpr std::u16string_view kDuplicateCleaners[] = {u"removeDuplicatesKeepFirst", u"removeDuplicatesAll",
                                                      u"removeUniquesAll"};
constexpr std::u16string_view kEmptyRows[] = {u"removeRows"};
constexpr std::u16string_view kEmptyColumns[] = {u"removeCols"};
constexpr std::u16string_view kEmptyRowsAndColumns[] = {u"removeRows", u"removeCols"};
constexpr std::u16string_view kEmptySheets[] = {u"removeSheets"};
constexpr std::u16string_view kObjects[] = {u"removeObjects"};
constexpr std::u16string_view kUserDefined[] = {u"removeUD"};
// The positional tools: all of them search from a position and may replace; the X-characters
// and leading/trailing ones take a number of characters; the leading/trailing ones no search.
constexpr std::u16string_view kSearching[] = {u"remAllCharsBeforeXChars", u"remAllCharsAfterXChars",
                                              u"remXCharsBeforeXChars", u"remXCharsAfterXChars"};
constexpr std::u16string_view kCounting[] = {u"remXCharsBeforeXChars", u"remXCharsAfterXChars", u"remBeforeXChars",
                                             u"remAfterXChars"};
constexpr std::u16string_view kPositional[] = {u"remAllCharsBeforeXChars", u"remAllCharsAfterXChars",
                                               u"remXCharsBeforeXChars",   u"remXCharsAfterXChars",
                                               u"remBeforeXChars",         u"remAfterXChars"};
constexpr std::u16string_view kColouring[] = {u"colorNthRow", u"colorDuplicateRows", u"colorUniqueRows"};
constexpr std::u16string_view kNthRow[] = {u"colorNthRow"};
constexpr std::u16string_view kTranspose[] = {u"transposeRowsToColumn"};
constexpr std::u16string_view kStatistics[] = {u"countActiveSheet", u"countAllSheet", u"countSelectedCells"};
constexpr std::u16string_view kEntryCounts[] = {u"countDuplicates", u"countUniques"};
constexpr std::u16string_view kPreventer[] = {u"btnDupPreventer_30"};

constexpr PlainFlag kFlags[] = {
    {"--mode", ValueKind::Word, "WORD", "how entries or empty cells are removed (the dialog's option buttons)"},
    {"--scope", ValueKind::Word, "WORD", "where the tool works: selection, sheet, workbook"},
    {"--colour", ValueKind::Colour, "NAME", "a colour of the dialog's palette (`--colour list` names them)"},
    {"--nth", ValueKind::Number, "N", "colour every N-th row"},
    {"--rows", ValueKind::Number, "N", "rows per column when transposing"},
    {"--chars", ValueKind::Text, "TEXT", "the characters to remove"},
    {"--non-printable", ValueKind::None, "", "remove the non-printable characters"},
    {"--start", ValueKind::Number, "N", "the position the search starts at"},
    {"--search", ValueKind::Text, "TEXT", "the text to search for (the nth character(s))"},
    {"--count", ValueKind::Number, "N", "the number of characters"},
    {"--replace", ValueKind::Text, "TEXT", "replace with TEXT instead of removing"},
    {"--shapes", ValueKind::None, "", "count text frames, WordArt and shapes too"},
    {"--entries", ValueKind::Word, "WORD", "which entries to count: unique, duplicate"},
    {"--only", ValueKind::Word, "WORD", "remove only one kind of object: charts, embedded, comments"},
    {"--include-hidden", ValueKind::None, "", "remove hidden empty sheets too"},
    {"--clean-spaces", ValueKind::None, "", "treat cells of spaces only as empty"},
    {"--no-clean-spaces", ValueKind::None, "", "cells of spaces only are not empty"},
    {"--preventer", ValueKind::Word, "WORD", "switch the duplicate preventer on or off"},
    {"--whole-column", ValueKind::None, "", "the preventer selects the whole column"},
    {"--no-whole-column", ValueKind::None, "", "the preventer keeps the selection as it is"},
};

constexpr PlainOptionRow kRows[] = {
    {"--mode", "entire-row", kDuplicateCleaners, {{{E::Tick, u"optDelEntireIfBlank"}}}, {}},
    {"--mode", "shift-up", kDuplicateCleaners, {{{E::Tick, u"optDelEmptyCells"}}}, {}},
    {"--mode", "clear", kDuplicateCleaners, {{{E::Tick, u"optDelEntire"}}}, {}},
    {"--mode", "entire-row", kEmptyRows, {{{E::Tick, u"optDelEntireIfBlank"}}}, {}},
    {"--mode", "shift-up", kEmptyRows, {{{E::Tick, u"optDelEmptyCells"}}}, {}},
    {"--mode", "any-empty", kEmptyRows, {{{E::Tick, u"optDelEntire"}}}, {}},
    {"--mode", "entire-column", kEmptyColumns, {{{E::Tick, u"optDelEntireIfBlank"}}}, {}},
    {"--mode", "shift-left", kEmptyColumns, {{{E::Tick, u"optDelEmptyCells"}}}, {}},
    {"--scope", "selection", kEmptyRowsAndColumns, {{{E::Clear, u"chkRemoveAS"}}}, {}},
    {"--scope", "sheet", kEmptyRowsAndColumns, {{{E::Tick, u"chkRemoveAS"}}}, {}},
    {"--clean-spaces", "", kEmptyRowsAndColumns, {{{E::Tick, u"chkCleanWhiteSpaces"}}}, {}},
    {"--no-clean-spaces", "", kEmptyRowsAndColumns, {{{E::Clear, u"chkCleanWhiteSpaces"}}}, {}},
    {"--scope", "workbook", kEmptySheets, {{{E::Tick, u"optDelEntireIfBlank"}}}, {}},
    {"--scope", "all-workbooks", kEmptySheets, {{{E::Tick, u"optDelEmptyCells"}}}, {}},
    {"--include-hidden", "", kEmptySheets, {{{E::Tick, u"chkCleanWhiteSpaces"}}}, {}},
    {"--scope", "sheet", kObjects, {{{E::Tick, u"optDelEntireIfBlank"}}}, {}},
    {"--scope", "workbook", kObjects, {{{E::Tick, u"optDelEmptyCells"}}}, {}},
    {"--only", "charts", kObjects, {{{E::Tick, u"chkChartObject"}}}, {}},
    {"--only", "embedded", kObjects, {{{E::Tick, u"chkRemoveAS"}}}, {}},
    {"--only", "comments", kObjects, {{{E::Tick, u"chkCleanWhiteSpaces"}}}, {}},
    {"--chars", "", kUserDefined, {{{E::TypeValue, u"txtUserDefinedChars"}}}, u"lblCaseEx"},
    {"--non-printable", "", kUserDefined, {{{E::Tick, u"CheckBox5"}}}, {}},
    {"--start", "", kSearching, {{{E::TypeValue, u"txtStartPos"}}}, u"Label52"},
    {"--search", "", kSearching, {{{E::TypeValue, u"txtNthChars"}}}, u"frmSearchChars"},
    {"--count", "", kCounting, {{{E::TypeValue, u"txtNoOfChars"}}}, u"Label53"},
    {"--replace", "", kPositional, {{{E::Tick, u"chkReplaceChars"}, {E::TypeValue, u"txtReplaceChars"}}}, u"Label54"},
    {"--colour", "", kColouring, {{{E::ClickSwatch, {}}}}, u"lblColor"},
    {"--nth", "", kNthRow, {{{E::TypeValue, u"txtNthRow"}}}, u"lblCEN"},
    {"--rows", "", kTranspose, {{{E::TypeValue, u"txtNthRow"}}}, u"lblCEN"},
    {"--scope", "sheet", kStatistics, {{{E::Tick, u"optActiveSheet"}}}, {}},
    {"--scope", "workbook", kStatistics, {{{E::Tick, u"optActiveWorkbook"}}}, {}},
    {"--scope", "selection", kStatistics, {{{E::Tick, u"optSelectedCells"}}}, {}},
    {"--shapes", "", kStatistics, {{{E::Tick, u"chkIncludeShapes"}}}, {}},
    {"--entries", "unique", kEntryCounts, {{{E::Tick, u"optCountUnique"}}}, {}},
    {"--entries", "duplicate", kEntryCounts, {{{E::Tick, u"optCountDuplicate"}}}, {}},
    {"--preventer", "on", kPreventer, {{{E::Tick, u"optAct"}}}, {}},
    {"--preventer", "off", kPreventer, {{{E::Tick, u"optDeAct"}}}, {}},
    {"--whole-column", "", kPreventer, {{{E::Tick, u"chkSelCol"}}}, {}},
    {"--no-whole-column", "", kPreventer, {{{E::Clear, u"chkSelCol"}}}, {}},
};

bool showsTool(const PlainOptionRow& row, std::u16string_view key) {
    return std::find(row.tools.begin(), row.tools.end(), key) != row.tools.end();
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "Grey 50 %" -> "grey-50", "Light Yellow" -> "light-yellow".
std::string colourName(std::u16string_view tip) {
    std::string name;
    for (const char c : host::utf8(std::u16string(tip))) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::tolower(c));
        else if (!name.empty() && name.back() != '-')
            name += '-';
    }
    while (!name.empty() && name.back() == '-') name.pop_back();
    return name;
}

forms::UserAction setValue(std::u16string_view control, bool on) {
    forms::UserAction action;
    action.kind = forms::ActionKind::SetValue;
    action.control = std::u16string(control);
    action.flag = on;
    return action;
}

forms::UserAction setText(std::u16string_view control, const std::string& text) {
    forms::UserAction action;
    action.kind = forms::ActionKind::SetText;
    action.control = std::u16string(control);
    action.text = host::utf16(text);
    return action;
}

forms::UserAction clickOn(std::u16string_view control) {
    forms::UserAction action;
    action.control = std::u16string(control);
    return action;
}

// The option's words for this tool, "entire-row|shift-up|clear".
std::string wordsFor(std::string_view flag, std::u16string_view key) {
    std::string words;
    for (const auto& row : kRows)
        if (row.flag == flag && showsTool(row, key)) words += (words.empty() ? "" : "|") + std::string(row.word);
    return words;
}

std::string flagsFor(std::u16string_view key) {
    std::string flags;
    for (const auto& flag : kFlags)
        for (const auto& row : kRows)
            if (row.flag == flag.name && showsTool(row, key)) {
                flags += (flags.empty() ? "" : ", ") + std::string(flag.name);
                break;
            }
    return flags.empty() ? "none" : flags;
}

void checkValue(const PlainFlag& flag, const PlainSetting& setting) {
    const std::string& v = setting.value;
    if (flag.kind == ValueKind::Number && (v.empty() || v.find_first_not_of("0123456789") != std::string::npos))
        throw Failure(kUsage, setting.flag + " takes a whole number, not \"" + v + "\"");
    if (flag.kind == ValueKind::Colour && !findColour(v))
        throw Failure(kUsage, "--colour \"" + v + "\" is not a colour of the palette (`--colour list` names them)");
}

// The row the setting selects on this tool's dialog.
const PlainOptionRow& rowOf(const PlainFlag& flag, const PlainSetting& setting, std::u16string_view key,
                            const std::string& toolName) {
    const PlainOptionRow* offered = nullptr;
    for (const auto& row : kRows) {
        if (row.flag != flag.name || !showsTool(row, key)) continue;
        offered = &row;
        if (flag.kind != ValueKind::Word || row.word == setting.value) return row;
    }
    if (!offered)
        throw Failure(kUsage, setting.flag + " is not an option of " + toolName + " (its plain options: " +
                                  flagsFor(key) + "; `cellwash run " + toolName + " --help` lists them)");
    throw Failure(kUsage, setting.flag + " of " + toolName + " takes " + wordsFor(flag.name, key) + ", not \"" +
                              setting.value + "\"");
}

void appendActions(const PlainOptionRow& row, const std::string& value, std::vector<forms::UserAction>& actions) {
    for (const auto& step : row.steps) {
        switch (step.effect) {
        case E::None: break;
        case E::Tick: actions.push_back(setValue(step.control, true)); break;
        case E::Clear: actions.push_back(setValue(step.control, false)); break;
        case E::TypeValue: actions.push_back(setText(step.control, value)); break;
        case E::ClickSwatch: actions.push_back(clickOn(findColour(value)->swatch)); break;
        }
    }
}

}  // namespace

std::span<const PlainFlag> plainFlags() { return kFlags; }
std::span<const PlainOptionRow> plainOptionRows() { return kRows; }

const PlainFlag* findPlainFlag(std::string_view name) {
    for (const auto& flag : kFlags)
        if (flag.name == name) return &flag;
    return nullptr;
}

std::u16string_view toolKeyOf(const shell::CatalogueEntry& tool) {
    return tool.commandKey.empty() ? tool.controlId : tool.commandKey;
}

std::vector<const PlainOptionRow*> rowsForTool(const shell::CatalogueEntry& tool) {
    std::vector<const PlainOptionRow*> rows;
    for (const auto& row : kRows)
        if (showsTool(row, toolKeyOf(tool))) rows.push_back(&row);
    return rows;
}

std::vector<forms::UserAction> dialogActionsOf(const shell::CatalogueEntry& tool, const std::string& toolName,
                                               const std::vector<PlainSetting>& settings) {
    std::vector<forms::UserAction> actions;
    for (const auto& flag : kFlags)
        for (const auto& setting : settings) {
            if (setting.flag != flag.name) continue;
            checkValue(flag, setting);
            appendActions(rowOf(flag, setting, toolKeyOf(tool), toolName), setting.value, actions);
        }
    for (const auto& setting : settings)
        if (!findPlainFlag(setting.flag)) throw Failure(kUsage, "unknown option " + setting.flag);
    return actions;
}

std::string dialogEquivalent(const PlainOptionRow& row) {
    std::string out;
    for (const auto& step : row.steps) {
        const std::string control = host::utf8(std::u16string(step.control));
        std::string part;
        switch (step.effect) {
        case E::None: continue;
        case E::Tick: part = "--set " + control + "=true"; break;
        case E::Clear: part = "--set " + control + "=false"; break;
        case E::TypeValue: part = "--set " + control + "=" + std::string(findPlainFlag(row.flag)->valueName); break;
        case E::ClickSwatch: part = "--click lbl<Colour>"; break;
        }
        out += (out.empty() ? "" : " ") + part;
    }
    return out;
}

const std::vector<PaletteColour>& paletteColours() {
    static const std::vector<PaletteColour> colours = [] {
        std::vector<PaletteColour> list;
#define CW_LIST_SWATCH(control, tip, tag, row, column) list.push_back({colourName(tip), u"" #control, tip, tag});
        CW_COLOUR_SWATCHES(CW_LIST_SWATCH)
#undef CW_LIST_SWATCH
        return list;
    }();
    return colours;
}

const PaletteColour* findColour(std::string_view nameOrIndex) {
    std::string wanted = lowerAscii(nameOrIndex);
    if (const auto gray = wanted.find("gray"); gray != std::string::npos) wanted.replace(gray, 4, "grey");
    for (const auto& colour : paletteColours())
        if (colour.name == wanted || std::to_string(colour.index) == wanted) return &colour;
    return nullptr;
}

}  // namespace cli
