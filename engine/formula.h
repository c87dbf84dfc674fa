#pragma once
// The engine's own small formula language: what data-validation rules and simple formula
// cells use. Numbers, "texts", TRUE/FALSE, error literals, references (A1, $A$1, A1:B5, B:B,
// 3:3), + - * / ^ & % and comparisons, and the functions COUNTIF, COUNTA, LEN, TRIM, CLEAN,
// UPPER, LOWER, IF, AND, OR, NOT, SUM, ISBLANK.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/address.h"
#include "host/variant.h"

namespace engine {

// What a formula reads from its sheet; the sheet implements it.
class FormulaContext {
public:
    virtual ~FormulaContext() = default;
    virtual host::Variant cellValue(long row, long col) const = 0;
    virtual double countIf(const Area& area, const host::Variant& criterion) const = 0;
    virtual double countA(const Area& area) const = 0;
    // Calls visit with the value of each cell of the area that is not truly empty (SUM, AND
    // and OR over ranges). This default asks cellValue for every cell of an area of at most
    // 1,048,576 cells and throws host::Error 1004 beyond; a sparse sheet should override it.
    virtual void forEachValue(const Area& area, const std::function<void(const host::Variant&)>& visit) const;
};

struct ParsedFormula;
struct StructuralEdit;

class Formula {
public:
    // With or without the leading '='. Bad text, unknown syntax, a wrong number of arguments
    // for a known function, nesting deeper than 64 levels or more than 8,192 code units:
    // host::Error 1004. Unknown function names and names parse, and evaluate to #NAME?.
    static Formula parse(std::u16string_view text);

    // Evaluates with relative references shifted by (rowOffset, colOffset): a rule anchored
    // at B2 evaluated for B7 passes (5, 0); absolute parts ($) stay. Per-cell failures are
    // error values (#VALUE!, #REF!, #DIV/0!, #NUM!, #NAME?), never exceptions. A reference to
    // an empty cell as the whole result reads as 0.
    host::Variant evaluate(const FormulaContext& ctx, long rowOffset = 0, long colOffset = 0) const;

    // The formula's text with relative references shifted (for copying a rule), with its
    // '='. References written as the host writes them ("a1" becomes "A1"); one that leaves
    // the sheet becomes #REF!.
    std::u16string text(long rowOffset = 0, long colOffset = 0) const;

    // The areas the formula refers to, shifted; those that leave the sheet are left out.
    std::vector<Area> references(long rowOffset = 0, long colOffset = 0) const;
    // The formula's text after rows or columns were deleted, as the host rewrites it:
    // references below or right of the deletion move, ranges across it shrink, and a
    // reference whose cells are all gone becomes #REF!. For a rule whose relative references
    // count from an anchor that moves with its cells, `keepRelative` leaves those alone.
    std::u16string textAfter(const StructuralEdit& edit, bool keepRelative = false) const;

private:
    explicit Formula(std::shared_ptr<const ParsedFormula> parsed) : parsed_(std::move(parsed)) {}
    std::shared_ptr<const ParsedFormula> parsed_;
};

}  // namespace engine
