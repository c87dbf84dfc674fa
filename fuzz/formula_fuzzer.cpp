// The engine's formulas: parsed (host::Error 1004 when not a formula), evaluated against a
// sheet with shifted references, written back, and rewritten after deleted rows and
// columns. Evaluation never throws; the text a formula writes parses to a formula that
// writes the same text; references stay inside the sheet; a rewritten formula still parses.
#include <cstdint>
#include <string>

#include "engine/area_ops.h"
#include "engine/formula.h"
#include "engine/formula_parser.h"
#include "engine/sheet_formula_context.h"
#include "engine_sheet.h"
#include "fuzz_support.h"
#include "host/error.h"
#include "host/text.h"

namespace {

using engine::Formula;
using engine::StructuralEdit;

// A few cells of each kind around the top-left corner, and one far down.
const engine::Sheet& sampleSheet() {
    static const engine::BookPtr book = [] {
        engine::BookPtr b = fuzz::freshBook();
        engine::Sheet& s = *b->sheets().front();
        s.enterText(1, 1, u"12");
        s.enterText(2, 1, u" apple ");
        s.enterText(3, 1, u"TRUE");
        s.enterText(1, 2, u"1/2/2024");
        s.enterText(2, 2, u"#N/A");
        s.enterText(3, 2, u"=A1*2");
        s.enterText(1048576, 3, u"last");
        return b;
    }();
    return *book->sheets().front();
}

Formula reparse(const std::u16string& written, const std::u16string& from, const char* what) {
    try {
        return Formula::parse(written);
    } catch (const host::Error& e) {
        fuzz::fail(what, host::utf8(from) + " -> " + host::utf8(written) + ": " + e.what());
    }
}

void checkParsedReferences(const std::u16string& text) {
    const engine::ParsedFormula parsed = engine::parseFormula(text);
    for (const engine::FormulaReference& r : parsed.references)
        fuzz::require(r.start + r.length <= parsed.source.size(), "a reference lies past the formula's text",
                      host::utf8(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::u16string text = fuzz::text(data, size);
    Formula formula = Formula::parse(u"=1");
    try {
        formula = Formula::parse(text);
    } catch (const host::Error& e) {
        fuzz::require(e.number() == host::errApplication, "a bad formula raised another error than 1004",
                      host::utf8(text));
        return 0;
    }
    checkParsedReferences(text);
    const engine::SheetFormulaContext context(sampleSheet());
    for (const auto& [rows, cols] : {std::pair{0L, 0L}, {5L, 1L}, {-2L, -1L}, {1048575L, 0L}}) {
        formula.evaluate(context, rows, cols);
        for (const engine::Area& a : formula.references(rows, cols))
            fuzz::require(engine::isInsideSheet(a), "a formula refers outside the sheet", host::utf8(text));
    }
    const std::u16string written = formula.text();
    const Formula again = reparse(written, text, "a formula's own text does not parse");
    fuzz::require(again.text() == written, "a formula's text changes when read again",
                  host::utf8(text) + " -> " + host::utf8(written) + " -> " + host::utf8(again.text()));
    for (const StructuralEdit& edit : {StructuralEdit{StructuralEdit::Kind::ShiftUp, {2, 1, 3, 16384}},
                                       StructuralEdit{StructuralEdit::Kind::ShiftLeft, {1, 1, 1048576, 1}},
                                       StructuralEdit{StructuralEdit::Kind::ShiftUp, {1, 2, 4, 3}}}) {
        for (bool keepRelative : {false, true})
            reparse(formula.textAfter(edit, keepRelative), text, "a formula rewritten after a deletion does not parse");
    }
    return 0;
}
