#pragma once
// The syntax tree of a formula and the parser that builds it from the formula's text.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/address.h"
#include "host/variant.h"

namespace engine {

// A reference as written in the formula: one cell, a block of cells, whole columns or whole
// rows, with the place of its text so that the text can be rewritten when it is shifted.
struct FormulaReference {
    enum class Shape { Cell, Cells, Columns, Rows } shape;
    CellRef first, last;   // for Columns only the columns count, for Rows only the rows
    size_t start, length;  // where it is written in the formula's text
};

enum class FormulaFunction { Unknown, CountIf, CountA, Len, Trim, Clean, Upper, Lower, If, And, Or, Not, Sum, IsBlank };

enum class FormulaOp {
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Concat,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Negate,
    Plus,
    Percent
};

struct FormulaNode;
using FormulaNodePtr = std::shared_ptr<const FormulaNode>;

struct FormulaNode {
    enum class Kind { Constant, Reference, Name, Missing, Unary, Binary, Call };
    explicit FormulaNode(Kind k) : kind(k) {}
    Kind kind;
    host::Variant value;                                  // Constant
    size_t reference = 0;                                 // Reference: index into ParsedFormula::references
    FormulaOp op = FormulaOp::Add;                        // Unary, Binary
    FormulaFunction function = FormulaFunction::Unknown;  // Call
    std::vector<FormulaNodePtr> children;                 // operands or arguments
};

struct ParsedFormula {
    std::u16string source;  // the text as given, with or without '='
    FormulaNodePtr root;
    std::vector<FormulaReference> references;
};

constexpr size_t kMaxFormulaLength = 8192;
constexpr int kMaxFormulaNesting = 64;

// Parses the text (with or without a leading '='); host::Error 1004 when it is not a formula.
ParsedFormula parseFormula(std::u16string_view text);

// The area a reference points at after shifting its relative parts; false when it leaves
// the sheet.
bool resolveReference(const FormulaReference& ref, long rowOffset, long colOffset, Area& area);
// Its text after shifting ("B7", "$B:$C", "3:3"), or "#REF!" when it leaves the sheet.
std::u16string referenceText(const FormulaReference& ref, long rowOffset, long colOffset);

}  // namespace engine
