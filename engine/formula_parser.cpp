#include "engine/formula_parser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "host/constants.h"
#include "host/error.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

namespace {

[[noreturn]] void badFormula(const char* why) {
    throw host::Error(host::errApplication, std::string("Invalid formula: ") + why);
}

constexpr size_t kMaxTextConstant = 255;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isNameStart(char16_t c) { return isAsciiLetter(c) || c == u'_' || c == u'\\' || c >= 0x80; }
bool isNameChar(char16_t c) { return isNameStart(c) || isDigit(c) || c == u'.' || c == u'?'; }
bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
char16_t asciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - 32 : c; }

std::u16string upperAscii(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out) c = asciiUpper(c);
    return out;
}

// ---------------------------------------------------------------- tokens

enum class TokenKind { Number, Text, Error, Reference, Name, Function, Operator, Open, Close, Comma, End };

struct Token {
    explicit Token(TokenKind k = TokenKind::End) : kind(k) {}
    TokenKind kind;
    std::u16string text;  // Text: the string's value; Name, Function, Operator: as written
    double number = 0;
    int error = 0;
    FormulaReference reference{};
};

class Lexer {
public:
    Lexer(std::u16string_view source, size_t start) : s_(source), pos_(start) {}

    std::vector<Token> run() {
        std::vector<Token> tokens;
        do tokens.push_back(next());
        while (tokens.back().kind != TokenKind::End);
        return tokens;
    }

private:
    Token next() {
        while (pos_ < s_.size() && isSpace(s_[pos_])) ++pos_;
        if (pos_ >= s_.size()) return Token{};
        const char16_t c = s_[pos_];
        Token token;
        if (c == u'"') return quotedText();
        if (c == u'#') return errorLiteral();
        if ((c == u'$' || isAsciiLetter(c) || isDigit(c)) && reference(token)) return token;
        if (isDigit(c) || c == u'.') return number();
        if (isNameStart(c)) return name();
        return punctuation();
    }

    Token quotedText() {
        Token token{TokenKind::Text};
        ++pos_;
        while (true) {
            if (pos_ >= s_.size()) badFormula("unterminated text");
            const char16_t c = s_[pos_++];
            if (c != u'"') {
                token.text.push_back(c);
            } else if (pos_ < s_.size() && s_[pos_] == u'"') {
                token.text.push_back(u'"');
                ++pos_;
            } else if (token.text.size() > kMaxTextConstant) {
                badFormula("text constant longer than 255 characters");
            } else {
                return token;
            }
        }
    }

    Token errorLiteral() {
        static const int kCodes[] = {host::xlErrNull, host::xlErrDiv0, host::xlErrValue, host::xlErrRef,
                                     host::xlErrName, host::xlErrNum,  host::xlErrNA};
        for (int code : kCodes) {
            const std::u16string literal = host::errorLiteral(code);
            const auto candidate = s_.substr(pos_, literal.size());
            if (upperAscii(candidate) != literal) continue;
            pos_ += literal.size();
            Token token{TokenKind::Error};
            token.error = code;
            return token;
        }
        badFormula("unknown error literal");
    }

    static bool compatible(const RefPart& a, const RefPart& b) {
        return (a.isCell() && b.isCell()) || (a.isColumn() && b.isColumn()) || (a.isRow() && b.isRow());
    }

    static FormulaReference::Shape shapeOf(const RefPart& a, bool range) {
        if (a.isColumn()) return FormulaReference::Shape::Columns;
        if (a.isRow()) return FormulaReference::Shape::Rows;
        return range ? FormulaReference::Shape::Cells : FormulaReference::Shape::Cell;
    }

    // A1, $A$1, A1:B5, B:B, $B:$C, 3:3 — when the text here is one.
    bool reference(Token& token) {
        RefPart first, second;
        const size_t firstLength = scanRefPart(s_.substr(pos_), first);
        if (firstLength == 0) return false;
        size_t end = pos_ + firstLength;
        bool range = false;
        if (end < s_.size() && s_[end] == u':') {
            const size_t secondLength = scanRefPart(s_.substr(end + 1), second);
            range = secondLength > 0 && compatible(first, second);
            if (range) end += 1 + secondLength;
        }
        if (!range && !first.isCell()) return false;
        if (end < s_.size() && (isNameChar(s_[end]) || s_[end] == u'(' || s_[end] == u'$')) return false;
        if (!range) second = first;
        token.kind = TokenKind::Reference;
        token.reference =
            FormulaReference{shapeOf(first, range), CellRef{first.row, first.col, first.rowAbs, first.colAbs},
                             CellRef{second.row, second.col, second.rowAbs, second.colAbs}, pos_, end - pos_};
        pos_ = end;
        return true;
    }

    Token number() {
        const size_t start = pos_;
        while (pos_ < s_.size() && isDigit(s_[pos_])) ++pos_;
        if (pos_ < s_.size() && s_[pos_] == u'.') ++pos_;
        while (pos_ < s_.size() && isDigit(s_[pos_])) ++pos_;
        if (pos_ < s_.size() && (s_[pos_] == u'e' || s_[pos_] == u'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == u'+' || s_[pos_] == u'-')) ++pos_;
            if (pos_ >= s_.size() || !isDigit(s_[pos_])) badFormula("bad exponent");
            while (pos_ < s_.size() && isDigit(s_[pos_])) ++pos_;
        }
        std::string ascii;
        for (size_t i = start; i < pos_; ++i) ascii.push_back(static_cast<char>(s_[i]));
        if (ascii == ".") badFormula("lone decimal point");
        Token token{TokenKind::Number};
        const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), token.number);
        if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() || !std::isfinite(token.number))
            badFormula("number out of range");
        return token;
    }

    Token name() {
        const size_t start = pos_;
        while (pos_ < s_.size() && isNameChar(s_[pos_])) ++pos_;
        Token token{TokenKind::Name};
        token.text = std::u16string(s_.substr(start, pos_ - start));
        size_t after = pos_;
        while (after < s_.size() && isSpace(s_[after])) ++after;
        if (after < s_.size() && s_[after] == u'(') token.kind = TokenKind::Function;
        return token;
    }

    Token punctuation() {
        const char16_t c = s_[pos_++];
        Token token{TokenKind::Operator};
        token.text = std::u16string(1, c);
        switch (c) {
        case u'(': token.kind = TokenKind::Open; return token;
        case u')': token.kind = TokenKind::Close; return token;
        case u',': token.kind = TokenKind::Comma; return token;
        case u'+':
        case u'-':
        case u'*':
        case u'/':
        case u'^':
        case u'&':
        case u'%':
        case u'=': return token;
        case u'<':
            if (pos_ < s_.size() && (s_[pos_] == u'=' || s_[pos_] == u'>')) token.text.push_back(s_[pos_++]);
            return token;
        case u'>':
            if (pos_ < s_.size() && s_[pos_] == u'=') token.text.push_back(s_[pos_++]);
            return token;
        default: badFormula("unexpected character");
        }
    }

    std::u16string_view s_;
    size_t pos_;
};

// ---------------------------------------------------------------- functions

struct FunctionInfo {
    std::u16string_view name;
    FormulaFunction function;
    size_t minArgs, maxArgs;
};

constexpr FunctionInfo kFunctions[] = {
    {u"COUNTIF", FormulaFunction::CountIf, 2, 2}, {u"COUNTA", FormulaFunction::CountA, 1, 255},
    {u"LEN", FormulaFunction::Len, 1, 1},         {u"TRIM", FormulaFunction::Trim, 1, 1},
    {u"CLEAN", FormulaFunction::Clean, 1, 1},     {u"UPPER", FormulaFunction::Upper, 1, 1},
    {u"LOWER", FormulaFunction::Lower, 1, 1},     {u"IF", FormulaFunction::If, 2, 3},
    {u"AND", FormulaFunction::And, 1, 255},       {u"OR", FormulaFunction::Or, 1, 255},
    {u"NOT", FormulaFunction::Not, 1, 1},         {u"SUM", FormulaFunction::Sum, 1, 255},
    {u"ISBLANK", FormulaFunction::IsBlank, 1, 1},
};

const FunctionInfo* findFunction(std::u16string_view name) {
    const std::u16string upper = upperAscii(name);
    for (const auto& f : kFunctions)
        if (f.name == upper) return &f;
    return nullptr;
}

// ---------------------------------------------------------------- parser

struct BinaryLevel {
    std::u16string_view ops[6];
    FormulaOp values[6];
};

// Lowest precedence first: comparisons, &, + -, * /, ^.
const BinaryLevel kLevels[] = {
    {{u"=", u"<>", u"<", u"<=", u">", u">="},
     {FormulaOp::Equal, FormulaOp::NotEqual, FormulaOp::Less, FormulaOp::LessEqual, FormulaOp::Greater,
      FormulaOp::GreaterEqual}},
    {{u"&"}, {FormulaOp::Concat}},
    {{u"+", u"-"}, {FormulaOp::Add, FormulaOp::Subtract}},
    {{u"*", u"/"}, {FormulaOp::Multiply, FormulaOp::Divide}},
    {{u"^"}, {FormulaOp::Power}},
};
constexpr int kLevelCount = sizeof kLevels / sizeof kLevels[0];

FormulaNodePtr makeNode(FormulaNode node) { return std::make_shared<const FormulaNode>(std::move(node)); }

FormulaNodePtr makeOperation(FormulaNode::Kind kind, FormulaOp op, std::vector<FormulaNodePtr> operands) {
    FormulaNode node(kind);
    node.op = op;
    node.children = std::move(operands);
    return makeNode(std::move(node));
}

class Parser {
public:
    Parser(const std::vector<Token>& tokens, ParsedFormula& out) : tokens_(tokens), out_(out) {}

    FormulaNodePtr formula() {
        FormulaNodePtr root = expression();
        if (peek().kind != TokenKind::End) badFormula("unexpected text after the formula");
        return root;
    }

private:
    // Counts a level of nesting for as long as it lives.
    class Nesting {
    public:
        explicit Nesting(int& depth) : depth_(depth) {
            if (++depth_ > kMaxFormulaNesting) badFormula("nested too deeply");
        }
        ~Nesting() { --depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        int& depth_;
    };

    const Token& peek() const { return tokens_[pos_]; }
    const Token& take() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }
    bool isOperator(std::u16string_view op) const { return peek().kind == TokenKind::Operator && peek().text == op; }

    FormulaNodePtr expression() { return binary(0); }

    FormulaNodePtr binary(int level) {
        if (level == kLevelCount) return unary();
        FormulaNodePtr left = binary(level + 1);
        while (const FormulaOp* op = binaryOpHere(level)) {
            take();
            FormulaNodePtr right = binary(level + 1);
            left = makeOperation(FormulaNode::Kind::Binary, *op, {left, right});
        }
        return left;
    }

    const FormulaOp* binaryOpHere(int level) const {
        const BinaryLevel& l = kLevels[level];
        for (size_t i = 0; i < 6 && !l.ops[i].empty(); ++i)
            if (isOperator(l.ops[i])) return &l.values[i];
        return nullptr;
    }

    FormulaNodePtr unary() {
        if (isOperator(u"-") || isOperator(u"+")) {
            const FormulaOp op = take().text == u"-" ? FormulaOp::Negate : FormulaOp::Plus;
            Nesting nesting(depth_);
            return makeOperation(FormulaNode::Kind::Unary, op, {unary()});
        }
        return postfix();
    }

    FormulaNodePtr postfix() {
        FormulaNodePtr node = primary();
        int percents = 0;
        while (isOperator(u"%")) {
            take();
            if (depth_ + ++percents > kMaxFormulaNesting) badFormula("nested too deeply");
            node = makeOperation(FormulaNode::Kind::Unary, FormulaOp::Percent, {node});
        }
        return node;
    }

    FormulaNodePtr primary() {
        const Token& token = take();
        switch (token.kind) {
        case TokenKind::Number: return constant(host::Variant(token.number));
        case TokenKind::Text: return constant(host::Variant(token.text));
        case TokenKind::Error: return constant(host::Variant::error(token.error));
        case TokenKind::Reference: return reference(token.reference);
        case TokenKind::Name: return name(token.text);
        case TokenKind::Function: return call(token.text);
        case TokenKind::Open: return parenthesised();
        default: badFormula("an operand is missing");
        }
    }

    static FormulaNodePtr constant(host::Variant value) {
        FormulaNode node(FormulaNode::Kind::Constant);
        node.value = std::move(value);
        return makeNode(std::move(node));
    }

    FormulaNodePtr reference(const FormulaReference& ref) {
        out_.references.push_back(ref);
        FormulaNode node(FormulaNode::Kind::Reference);
        node.reference = out_.references.size() - 1;
        return makeNode(std::move(node));
    }

    static FormulaNodePtr name(const std::u16string& text) {
        const std::u16string upper = upperAscii(text);
        if (upper == u"TRUE") return constant(host::Variant(true));
        if (upper == u"FALSE") return constant(host::Variant(false));
        return makeNode(FormulaNode(FormulaNode::Kind::Name));
    }

    FormulaNodePtr parenthesised() {
        Nesting nesting(depth_);
        FormulaNodePtr inner = expression();
        if (take().kind != TokenKind::Close) badFormula("missing ')'");
        return inner;
    }

    FormulaNodePtr call(const std::u16string& functionName) {
        Nesting nesting(depth_);
        take();  // '('
        FormulaNode node(FormulaNode::Kind::Call);
        if (peek().kind == TokenKind::Close) {
            take();
        } else {
            node.children = arguments();
        }
        const FunctionInfo* info = findFunction(functionName);
        if (info) {
            node.function = info->function;
            if (node.children.size() < info->minArgs || node.children.size() > info->maxArgs)
                badFormula("wrong number of arguments");
        }
        return makeNode(std::move(node));
    }

    // Arguments after '(' up to and including ')'; an empty argument is Missing.
    std::vector<FormulaNodePtr> arguments() {
        std::vector<FormulaNodePtr> args;
        while (true) {
            const bool empty = peek().kind == TokenKind::Comma || peek().kind == TokenKind::Close;
            args.push_back(empty ? makeNode(FormulaNode(FormulaNode::Kind::Missing)) : expression());
            if (args.size() > 255) badFormula("too many arguments");
            const Token& separator = take();
            if (separator.kind == TokenKind::Close) return args;
            if (separator.kind != TokenKind::Comma) badFormula("missing ')'");
        }
    }

    const std::vector<Token>& tokens_;
    ParsedFormula& out_;
    size_t pos_ = 0;
    int depth_ = 0;
};

long shifted(long value, bool absolute, long offset) {
    constexpr long kFar = 1L << 40;  // beyond any sheet; keeps the sum from overflowing
    return absolute ? value : value + std::clamp(offset, -kFar, kFar);
}

CellRef shiftedRef(const CellRef& ref, long rowOffset, long colOffset) {
    return CellRef{shifted(ref.row, ref.rowAbs, rowOffset), shifted(ref.col, ref.colAbs, colOffset), ref.rowAbs,
                   ref.colAbs};
}

std::u16string rowPart(long row, bool absolute) {
    std::u16string out = absolute ? u"$" : u"";
    for (char c : std::to_string(row)) out.push_back(static_cast<char16_t>(c));
    return out;
}

std::u16string columnPart(long col, bool absolute) { return (absolute ? u"$" : u"") + columnLetters(col); }

}  // namespace

ParsedFormula parseFormula(std::u16string_view text) {
    const size_t start = !text.empty() && text.front() == u'=' ? 1 : 0;
    if (text.size() - start > kMaxFormulaLength) badFormula("longer than 8192 characters");
    ParsedFormula parsed;
    parsed.source = std::u16string(text);
    const std::vector<Token> tokens = Lexer(parsed.source, start).run();
    if (tokens.front().kind == TokenKind::End) badFormula("empty");
    parsed.root = Parser(tokens, parsed).formula();
    return parsed;
}

bool resolveReference(const FormulaReference& ref, long rowOffset, long colOffset, Area& area) {
    const CellRef a = shiftedRef(ref.first, rowOffset, colOffset);
    const CellRef b = shiftedRef(ref.last, rowOffset, colOffset);
    switch (ref.shape) {
    case FormulaReference::Shape::Cell:
    case FormulaReference::Shape::Cells:
        area = Area{std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row), std::max(a.col, b.col)};
        break;
    case FormulaReference::Shape::Columns:
        area = Area{1, std::min(a.col, b.col), host::kMaxRows, std::max(a.col, b.col)};
        break;
    case FormulaReference::Shape::Rows:
        area = Area{std::min(a.row, b.row), 1, std::max(a.row, b.row), host::kMaxColumns};
        break;
    }
    return isInsideSheet(area);
}

std::u16string referenceText(const FormulaReference& ref, long rowOffset, long colOffset) {
    Area area;
    if (!resolveReference(ref, rowOffset, colOffset, area)) return u"#REF!";
    const CellRef a = shiftedRef(ref.first, rowOffset, colOffset);
    const CellRef b = shiftedRef(ref.last, rowOffset, colOffset);
    switch (ref.shape) {
    case FormulaReference::Shape::Cell: return formatCellRef(a);
    case FormulaReference::Shape::Cells: return formatCellRef(a) + u":" + formatCellRef(b);
    case FormulaReference::Shape::Columns: return columnPart(a.col, a.colAbs) + u":" + columnPart(b.col, b.colAbs);
    case FormulaReference::Shape::Rows: return rowPart(a.row, a.rowAbs) + u":" + rowPart(b.row, b.rowAbs);
    }
    return u"#REF!";
}

}  // namespace engine
