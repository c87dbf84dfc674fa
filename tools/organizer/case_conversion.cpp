// The case tools: every non-empty cell of the selection, its spaces normalised by TRIM,
// rewritten in upper, lower, proper or sentence case.
#include "dialog/cell_pass.h"
#include "dialog/frm_main.h"
#include "dialog/progress.h"
#include "dialog/stop_flag.h"
#include "dialog/tool_run.h"
#include "host/application.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/processing_frame.h"
#include "shell/resume_next.h"
#include "tools/organizer/case_mapping.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/organizer_support.h"
#include "tools/organizer/removal_steps.h"

namespace tools::organizer {

namespace {

using dialog::frmMain;

struct CaseCode {
    std::u16string_view code;
    int mode;  // 0: sentence case
    std::u16string_view message;
};

constexpr CaseCode kCaseCodes[] = {
    {u"UC", 1, u"All Selected Cells are Converted to UPPER CASE!"},
    {u"LC", 2, u"All Selected Cells are Converted to lower case!"},
    {u"PC", 3, u"All Selected Cells are Converted to Proper Case!"},
    {u"SC", 0, u"All Selected Cells are Converted to Sentence case!"},
};

const CaseCode* caseCodeOf(const std::u16string& code) {
    for (const CaseCode& row : kCaseCodes)
        if (row.code == code) return &row;
    return nullptr;
}

// The cell's text through the host's TRIM.
std::u16string normalisedText(const host::RangePtr& cell) { return app().WorksheetFunction()->Trim(cellText(cell)); }

// Writes `convert` of each cell's normalised text over every non-empty one.
template <class Convert>
void rewriteCells(long total, const host::RangePtr& cells, Convert convert) {
    dialog::ProgressReadout progress(frmMain().lblDOHeader1to4, dialog::kConverting, static_cast<std::int32_t>(total));
    dialog::runCellPass(cells, progress, [&](const host::RangePtr& cell) {
        const std::u16string text = normalisedText(cell);
        if (!text.empty()) cell->setValue(host::Variant(convert(text)));
    });
}

// The work range after the opening checks, or nothing when a check ended the run.
host::RangePtr checkedWorkRange() {
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::ActiveSheetTotallyEmpty, activeSheetCells())) return nullptr;
    host::RangePtr work;
    shell::resumeNext([&] { work = dialog::selectionInUsedRange(app().ActiveWorkbook()->ActiveSheet()); });
    showSelectedCells(work);
    if (!dialog::passesOpeningCheck(dialog::OpeningCheck::SelectionEmpty, work)) return nullptr;
    return work;
}

}  // namespace

void convertCellsCase(long total, const host::RangePtr& cells, int mode) {
    const auto caseMode = static_cast<CaseMode>(mode);
    rewriteCells(total, cells, [&](const std::u16string& text) { return mapCase(text, caseMode); });
}

void toSentenceCase(long total, const host::RangePtr& cells) {
    rewriteCells(total, cells, [](const std::u16string& text) { return sentenceCase(text); });
}

void convertCase(const std::u16string& code) {
    shell::ProcessingFrame processing;
    dialog::ActiveCellKeeper activeCell;
    const host::RangePtr work = checkedWorkRange();
    if (!work) return;
    const CaseCode* row = caseCodeOf(code);
    dialog::startToolLoop(frmMain());
    long total = 0;
    shell::resumeNext([&] { total = dialog::cellCount(work); });
    if (row && row->mode != 0) convertCellsCase(total, work, row->mode);
    if (row && row->mode == 0) toSentenceCase(total, work);
    dialog::endRunWithMessage(row ? std::u16string(row->message) : std::u16string());
}

}  // namespace tools::organizer
