#include "engine/formula_eval.h"

#include <cmath>
#include <optional>

#include "engine/text_functions.h"
#include "engine/typed_input.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/worksheet_text.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

namespace {

using host::Variant;

Variant errorValue(int code) { return Variant::error(code); }
bool isNumeric(const Variant& v) { return v.isNumber() || v.isDate(); }

std::optional<bool> formulaBoolean(const Variant& v) {
    if (v.isBoolean()) return v.boolean();
    if (isNumeric(v)) return v.number() != 0;
    if (v.isEmpty()) return false;
    if (v.isText()) return parseBoolean(v.text());
    return std::nullopt;
}

// A finite number as a value, #NUM! otherwise.
Variant numberResult(double n) { return std::isfinite(n) ? Variant(n + 0.0) : errorValue(host::xlErrNum); }

Variant textResult(std::u16string text) {
    if (text.size() > static_cast<size_t>(host::kMaxCellText)) return errorValue(host::xlErrValue);
    return Variant(std::move(text));
}

Variant power(double base, double exponent) {
    if (base == 0 && exponent == 0) return errorValue(host::xlErrNum);
    if (base == 0 && exponent < 0) return errorValue(host::xlErrDiv0);
    return numberResult(std::pow(base, exponent));
}

Variant arithmetic(FormulaOp op, const Variant& a, const Variant& b) {
    const auto x = formulaNumber(a), y = formulaNumber(b);
    if (!x || !y) return errorValue(host::xlErrValue);
    switch (op) {
    case FormulaOp::Add: return numberResult(*x + *y);
    case FormulaOp::Subtract: return numberResult(*x - *y);
    case FormulaOp::Multiply: return numberResult(*x * *y);
    case FormulaOp::Divide: return *y == 0 ? errorValue(host::xlErrDiv0) : numberResult(*x / *y);
    default: return power(*x, *y);
    }
}

bool comparisonHolds(FormulaOp op, int c) {
    switch (op) {
    case FormulaOp::Equal: return c == 0;
    case FormulaOp::NotEqual: return c != 0;
    case FormulaOp::Less: return c < 0;
    case FormulaOp::LessEqual: return c <= 0;
    case FormulaOp::Greater: return c > 0;
    default: return c >= 0;
    }
}

Variant applyBinary(FormulaOp op, const Variant& a, const Variant& b) {
    if (a.isError()) return a;
    if (b.isError()) return b;
    if (op == FormulaOp::Concat) return textResult(formulaText(a) + formulaText(b));
    if (op >= FormulaOp::Equal && op <= FormulaOp::GreaterEqual)
        return Variant(comparisonHolds(op, compareFormulaValues(a, b)));
    return arithmetic(op, a, b);
}

Variant applyUnary(FormulaOp op, const Variant& v) {
    if (v.isError() || op == FormulaOp::Plus) return v;
    const auto n = formulaNumber(v);
    if (!n) return errorValue(host::xlErrValue);
    return numberResult(op == FormulaOp::Negate ? -*n : *n / 100);
}

// What an expression yields: a value, or a reference to cells.
struct Operand {
    Operand(Variant v) : value(std::move(v)) {}  // NOLINT: a value is an operand
    static Operand ofArea(const Area& area) {
        Operand operand{Variant()};
        operand.area = area;
        return operand;
    }
    static Operand ofMissing() {
        Operand operand{Variant()};
        operand.missing = true;
        return operand;
    }

    Variant value;
    std::optional<Area> area;
    bool missing = false;
};

class Evaluator {
public:
    Evaluator(const ParsedFormula& formula, const FormulaContext& ctx, long rowOffset, long colOffset)
        : formula_(formula), ctx_(ctx), rowOffset_(rowOffset), colOffset_(colOffset) {}

    Operand evaluate(const FormulaNode& node) {
        switch (node.kind) {
        case FormulaNode::Kind::Constant: return Operand{node.value};
        case FormulaNode::Kind::Reference: return reference(node);
        case FormulaNode::Kind::Name: return Operand{errorValue(host::xlErrName)};
        case FormulaNode::Kind::Missing: return Operand::ofMissing();
        case FormulaNode::Kind::Unary: return Operand{applyUnary(node.op, scalar(*node.children[0]))};
        case FormulaNode::Kind::Binary: return Operand{binaryChain(node)};
        case FormulaNode::Kind::Call: return call(node);
        }
        return Operand{errorValue(host::xlErrValue)};
    }

    // The one value an operand stands for: a single cell's value; #VALUE! for a block.
    Variant valueOf(const Operand& operand) const {
        if (!operand.area) return operand.value;
        const Area& a = *operand.area;
        if (a.row1 != a.row2 || a.col1 != a.col2) return errorValue(host::xlErrValue);
        return ctx_.cellValue(a.row1, a.col1);
    }

private:
    using Args = std::vector<FormulaNodePtr>;

    Variant scalar(const FormulaNode& node) { return valueOf(evaluate(node)); }

    Operand reference(const FormulaNode& node) const {
        Area area;
        if (!resolveReference(formula_.references[node.reference], rowOffset_, colOffset_, area))
            return Operand{errorValue(host::xlErrRef)};
        return Operand::ofArea(area);
    }

    // "1+2+3+..." is a deep left spine; walk it with a loop rather than recursion.
    Variant binaryChain(const FormulaNode& node) {
        std::vector<const FormulaNode*> spine;
        const FormulaNode* n = &node;
        for (; n->kind == FormulaNode::Kind::Binary; n = n->children[0].get()) spine.push_back(n);
        Variant result = scalar(*n);
        for (auto it = spine.rbegin(); it != spine.rend(); ++it)
            result = applyBinary((*it)->op, result, scalar(*(*it)->children[1]));
        return result;
    }

    Operand call(const FormulaNode& node) {
        try {
            return callFunction(node.function, node.children);
        } catch (const host::Error&) {
            return Operand{errorValue(host::xlErrValue)};
        }
    }

    Operand callFunction(FormulaFunction function, const Args& args) {
        switch (function) {
        case FormulaFunction::CountIf: return Operand{countIf(args)};
        case FormulaFunction::CountA: return Operand{countA(args)};
        case FormulaFunction::Len:
        case FormulaFunction::Trim:
        case FormulaFunction::Clean:
        case FormulaFunction::Upper:
        case FormulaFunction::Lower: return Operand{textFunction(function, scalar(*args[0]))};
        case FormulaFunction::If: return ifFunction(args);
        case FormulaFunction::And: return Operand{logical(args, true)};
        case FormulaFunction::Or: return Operand{logical(args, false)};
        case FormulaFunction::Not: return Operand{notFunction(scalar(*args[0]))};
        case FormulaFunction::Sum: return Operand{sum(args)};
        case FormulaFunction::IsBlank: return Operand{isBlank(evaluate(*args[0]))};
        case FormulaFunction::Unknown: break;
        }
        return Operand{errorValue(host::xlErrName)};
    }

    Variant countIf(const Args& args) {
        const Operand range = evaluate(*args[0]);
        if (!range.area) return range.value.isError() ? range.value : errorValue(host::xlErrValue);
        const Operand criterion = evaluate(*args[1]);
        if (criterion.area && cellCount(*criterion.area) != 1) return errorValue(host::xlErrValue);
        return Variant(ctx_.countIf(*range.area, valueOf(criterion)));
    }

    Variant countA(const Args& args) {
        double count = 0;
        for (const auto& arg : args) {
            const Operand operand = evaluate(*arg);
            if (operand.area)
                count += ctx_.countA(*operand.area);
            else if (!operand.missing)
                count += 1;
        }
        return Variant(count);
    }

    static Variant textFunction(FormulaFunction function, const Variant& v) {
        if (v.isError()) return v;
        const std::u16string text = formulaText(v);
        switch (function) {
        case FormulaFunction::Len: return Variant(static_cast<double>(len(text)));
        case FormulaFunction::Trim: return Variant(host::trimSpaces(text));
        case FormulaFunction::Clean: return Variant(host::cleanControls(text));
        case FormulaFunction::Upper: return textResult(upper(text));
        default: return textResult(lower(text));
        }
    }

    Operand ifFunction(const Args& args) {
        const Variant condition = scalar(*args[0]);
        if (condition.isError()) return Operand{condition};
        const auto holds = formulaBoolean(condition);
        if (!holds) return Operand{errorValue(host::xlErrValue)};
        if (*holds) return evaluate(*args[1]);
        if (args.size() < 3) return Operand{Variant(false)};
        return evaluate(*args[2]);
    }

    static Variant notFunction(const Variant& v) {
        if (v.isError()) return v;
        const auto b = formulaBoolean(v);
        return b ? Variant(!*b) : errorValue(host::xlErrValue);
    }

    // AND (all) and OR (any): in ranges only booleans and numbers count; given directly, texts
    // must read as TRUE/FALSE. No logical value at all is #VALUE!.
    Variant logical(const Args& args, bool all) {
        bool result = all, seen = false;
        std::optional<Variant> error;
        const auto take = [&](bool b) {
            seen = true;
            result = all ? (result && b) : (result || b);
        };
        for (const auto& arg : args) {
            const Operand operand = evaluate(*arg);
            if (operand.area) {
                ctx_.forEachValue(*operand.area, [&](const Variant& v) {
                    if (v.isError() && !error)
                        error = v;
                    else if (v.isBoolean() || isNumeric(v))
                        take(v.number() != 0);
                });
            } else if (!operand.missing) {
                if (operand.value.isError()) return operand.value;
                const auto b = formulaBoolean(operand.value);
                if (!b) return errorValue(host::xlErrValue);
                take(*b);
            }
        }
        if (error) return *error;
        return seen ? Variant(result) : errorValue(host::xlErrValue);
    }

    // SUM: in ranges only numbers count; given directly, values convert as for "+".
    Variant sum(const Args& args) {
        double total = 0;
        std::optional<Variant> error;
        for (const auto& arg : args) {
            const Operand operand = evaluate(*arg);
            if (operand.area) {
                ctx_.forEachValue(*operand.area, [&](const Variant& v) {
                    if (v.isError() && !error)
                        error = v;
                    else if (isNumeric(v))
                        total += v.number();
                });
            } else if (!operand.missing) {
                if (operand.value.isError()) return operand.value;
                const auto n = formulaNumber(operand.value);
                if (!n) return errorValue(host::xlErrValue);
                total += *n;
            }
        }
        if (error) return *error;
        return numberResult(total);
    }

    Variant isBlank(const Operand& operand) const {
        if (!operand.area) return Variant(false);
        const Area& a = *operand.area;
        if (a.row1 != a.row2 || a.col1 != a.col2) return Variant(false);
        return Variant(ctx_.cellValue(a.row1, a.col1).isEmpty());
    }

    const ParsedFormula& formula_;
    const FormulaContext& ctx_;
    long rowOffset_, colOffset_;
};

int rank(const Variant& v) { return v.isText() ? 1 : (v.isBoolean() ? 2 : 0); }

// What an empty operand stands for next to the other one.
Variant emptyAs(const Variant& other) {
    if (other.isText()) return Variant(u"");
    if (other.isBoolean()) return Variant(false);
    return Variant(0.0);
}

}  // namespace

std::optional<double> formulaNumber(const Variant& v) {
    if (isNumeric(v) || v.isBoolean()) return v.number();
    if (v.isEmpty()) return 0.0;
    if (v.isText()) return parseNumberOrDate(v.text(), currentYear());
    return std::nullopt;
}

std::u16string formulaText(const Variant& v) {
    if (isNumeric(v)) return host::formatNumber(v.number());
    if (v.isBoolean()) return v.boolean() ? u"TRUE" : u"FALSE";
    if (v.isText()) return std::u16string(v.text());
    return u"";
}

int compareFormulaValues(const Variant& left, const Variant& right) {
    const Variant a = left.isEmpty() ? emptyAs(right) : left;
    const Variant b = right.isEmpty() ? emptyAs(left) : right;
    if (rank(a) != rank(b)) return rank(a) < rank(b) ? -1 : 1;
    if (a.isText()) {
        const int c = compareIgnoringCase(a.text(), b.text());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return a.number() < b.number() ? -1 : (a.number() > b.number() ? 1 : 0);
}

Variant evaluateFormula(const ParsedFormula& formula, const FormulaContext& ctx, long rowOffset, long colOffset) {
    try {
        Evaluator evaluator(formula, ctx, rowOffset, colOffset);
        const Variant result = evaluator.valueOf(evaluator.evaluate(*formula.root));
        return result.isEmpty() ? Variant(0.0) : result;
    } catch (const host::Error&) {
        return errorValue(host::xlErrValue);
    }
}

}  // namespace engine
