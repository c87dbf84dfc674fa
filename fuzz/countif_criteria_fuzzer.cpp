// COUNTIF criteria. The first line of the input is the criterion as typed; every further
// line is a cell's text, entered as typed input (numbers, dates, booleans, text). Checked:
// a criterion too long or bad raises host::Error 1004 only; an equality criterion's index
// key is among a cell's match keys exactly when the criterion matches the cell; and the
// engine's indexed COUNTIF over a column counts what matching cell by cell counts.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/criteria.h"
#include "engine/typed_input.h"
#include "engine_sheet.h"
#include "fuzz_support.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

namespace {

using engine::Criterion;
using host::Variant;

std::vector<std::u16string> lines(const std::u16string& text) {
    std::vector<std::u16string> out(1);
    for (char16_t c : text) {
        if (c == u'\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// Fixed cells of every kind, then the input's own.
std::vector<Variant> cellValues(const std::vector<std::u16string>& texts) {
    std::vector<Variant> cells{Variant(),
                               Variant(u""),
                               Variant(0.0),
                               Variant(1.0),
                               Variant(true),
                               Variant(false),
                               Variant::error(host::xlErrNA),
                               Variant::date(45292.0),
                               Variant(u"apple")};
    for (size_t i = 1; i < texts.size() && cells.size() < 64; ++i) {
        try {
            const engine::TypedInput input = engine::parseTypedInput(texts[i], engine::currentYear());
            if (input.kind == engine::TypedInput::Kind::Value)
                cells.push_back(input.value);
            else if (input.kind == engine::TypedInput::Kind::Formula)
                cells.push_back(Variant(texts[i]));
        } catch (const host::Error&) {}
    }
    return cells;
}

bool contains(const std::vector<std::u16string>& keys, const std::u16string& key) {
    for (const std::u16string& k : keys)
        if (k == key) return true;
    return false;
}

std::string describe(const std::u16string& criterion, const Variant& cell) {
    return "criterion \"" + host::utf8(criterion) + "\", cell kind " + std::to_string(static_cast<int>(cell.kind())) +
           " \"" + host::utf8(cell.isError() ? cell.errorText() : cell.toText()) + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::vector<std::u16string> texts = lines(fuzz::text(data, size));
    const std::u16string& typed = texts.front();
    Criterion criterion;
    try {
        criterion = Criterion::parse(Variant(typed));
    } catch (const host::Error& e) {
        fuzz::require(e.number() == host::errApplication, "a bad criterion raised another error than 1004",
                      host::utf8(typed));
        return 0;
    }
    const std::vector<Variant> cells = cellValues(texts);
    std::u16string key;
    const bool keyed = criterion.indexKey(key);
    for (const Variant& cell : cells) {
        const bool matches = criterion.matches(cell);
        if (keyed)
            fuzz::require(contains(engine::matchKeys(cell), key) == matches, "the count index disagrees with matching",
                          describe(typed, cell));
    }
    // Column A: the cells with a value, stored as they are (a text "" as a formula leaves it),
    // one per row; row 1 is left truly empty.
    const engine::BookPtr book = fuzz::freshBook();
    engine::Sheet& sheet = *book->sheets().front();
    long row = 2;
    double expected = criterion.matches(Variant()) ? 1 : 0;
    for (const Variant& cell : cells) {
        if (cell.isEmpty()) continue;
        engine::Cell stored;
        stored.value = cell;
        sheet.setCell(row++, 1, std::move(stored));
        expected += criterion.matches(cell) ? 1 : 0;
    }
    const double counted = sheet.countIf({1, 1, row - 1, 1}, Variant(typed));
    fuzz::require(counted == expected, "the engine's COUNTIF counts otherwise than matching cell by cell",
                  host::utf8(typed) + ": " + std::to_string(counted) + " vs " + std::to_string(expected));
    // Find's wildcard comparison agrees with the compiled pattern.
    const engine::WildcardPattern pattern(typed);
    for (const Variant& cell : cells)
        if (cell.isText())
            fuzz::require(pattern.matches(cell.text()) == engine::wildcardMatch(typed, cell.text()),
                          "two wildcard matchers disagree", describe(typed, cell));
    return 0;
}
