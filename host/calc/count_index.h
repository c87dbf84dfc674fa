#pragma once
// COUNTIF over one area, answered from one read of its cells instead of asking Calc to scan
// the area again for every criterion (a tool that counts each row's entry in its column would
// otherwise take time growing with the square of the rows).
//
// Only where Calc's own answer is known: a criterion that Calc compares as a plain text, over
// an area without formulas. Calc compares such a criterion with the text cells, the whole
// cell, ignoring case unless the document says otherwise; numbers, booleans and empty cells
// never equal it. Anything else (operators, wildcards or regular expressions, a text Calc
// reads as a number, a date or a boolean) is left to Calc. Ignoring case, Calc also takes
// some texts for equal that differ in lower case ("ſ" and "s", "ﬀ" and "ff"; but not "ß" and
// "SS"): a text whose lower case changes when it goes through upper case is left to Calc too,
// and an area holding one is not indexed. Nothing here knows LibreOffice.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/flat_string_map.h"

namespace host::calc {

// The document's settings that decide how COUNTIF reads a text criterion.
struct CriterionSettings {
    bool ignoreCase = true;
    bool matchWholeCell = true;
    bool wildcards = true;
    bool regularExpressions = false;
};

// The text a cell must hold for `criterion` to count it, when Calc compares the criterion as a
// plain text; nothing when Calc must answer. `readsAsNumber` tells whether Calc's number
// recognition takes a text for a number, date, time, percentage or boolean.
std::optional<std::u16string> plainTextCriterion(std::u16string_view criterion, const CriterionSettings& settings,
                                                 const std::function<bool(std::u16string_view)>& readsAsNumber);

// The texts of an area's cells, row by row, counted by text. Rows can be removed (later rows
// move up, as Calc moves them) and cells rewritten; positions are those of the area now.
class CountIndex {
public:
    // `texts`: rows × columns cells, row by row; nothing for a cell that holds no text.
    CountIndex(long rows, long columns, const std::vector<std::optional<std::u16string>>& texts, bool ignoreCase);

    long rows() const { return rows_; }
    long columns() const { return columns_; }
    // False once a cell holds a text whose case Calc may compare otherwise (see above).
    bool usable() const { return usable_; }
    // The cells holding `text` (from plainTextCriterion); nothing when Calc must answer.
    std::optional<double> count(std::u16string_view text) const;
    // Rows `first` to `last` (0-based, as the area is now) were removed.
    void removeRows(long first, long last);
    // The cell at `row`, `column` (0-based) now holds `text` (nothing: no text).
    void rewrite(long row, long column, const std::optional<std::u16string>& text);

private:
    static constexpr std::int32_t kNoText = -1;

    std::int32_t keyOf(const std::optional<std::u16string>& text);
    // The position among all rows ever read of the area's row `row` now (a row removed is
    // skipped): the `row`+1-th row still present, found in the tree of present rows.
    long storedRow(long row) const;
    void markRemoved(long storedRow);

    // The text as the index keys it; nothing when Calc may compare its case otherwise.
    std::optional<std::u16string> keyText(std::u16string_view text) const;

    long rows_, columns_;
    bool ignoreCase_;
    bool usable_ = true;
    base::FlatStringMap<std::int32_t> keys_;  // a text (folded when case is ignored) → its key
    std::vector<double> counts_;              // per key
    std::vector<std::int32_t> cells_;         // per stored cell: its key or kNoText
    std::vector<std::int32_t> present_;       // Fenwick tree over stored rows: 1 while present
};

}  // namespace host::calc
