#include "tools/text/positional_edit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tools::text {

namespace {

struct Piece {
    std::size_t from;  // 0-based
    std::size_t length;
};

// 0-based position of the search text at or after the 1-based start, or nothing. An empty
// search text is found at the start position itself while that lies within the text.
std::optional<std::size_t> findFrom(const std::u16string& text, const PositionalInputs& in) {
    if (in.startPosition < 1) return std::nullopt;
    const std::size_t start = static_cast<std::size_t>(in.startPosition) - 1;
    if (in.search.empty()) return start < text.size() ? std::optional<std::size_t>(start) : std::nullopt;
    if (start >= text.size()) return std::nullopt;
    const std::size_t p = text.find(in.search, start);
    return p == std::u16string::npos ? std::nullopt : std::optional<std::size_t>(p);
}

std::size_t atMost(std::int32_t x, std::size_t limit) {
    return x <= 0 ? 0 : std::min(static_cast<std::size_t>(x), limit);
}

std::optional<Piece> pieceOf(PositionalCode code, const std::u16string& t, const PositionalInputs& in) {
    const std::size_t size = t.size();
    if (code == PositionalCode::RLXC) return Piece{0, atMost(in.count, size)};
    if (code == PositionalCode::RTXC) {
        const std::size_t n = atMost(in.count, size);
        return Piece{size - n, n};
    }
    const std::optional<std::size_t> p = findFrom(t, in);
    if (!p) return std::nullopt;
    const std::size_t after = *p + in.search.size();
    switch (code) {
    case PositionalCode::RALC: return Piece{0, *p};
    case PositionalCode::RATC: return Piece{after, size - after};
    case PositionalCode::RXLC: {
        // 1-based p > X: the X characters just before; otherwise the cell is left alone.
        if (static_cast<long long>(*p) + 1 <= in.count) return std::nullopt;
        const std::size_t n = atMost(in.count, *p);
        return Piece{*p - n, n};
    }
    case PositionalCode::RXTC: return Piece{after, atMost(in.count, size - after)};
    default: return std::nullopt;
    }
}

bool numberCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' || c == u'E';
}

}  // namespace

std::optional<PositionalCode> positionalCodeOf(std::u16string_view code) {
    constexpr std::pair<std::u16string_view, PositionalCode> kCodes[] = {
        {u"RALC", PositionalCode::RALC}, {u"RATC", PositionalCode::RATC}, {u"RXLC", PositionalCode::RXLC},
        {u"RXTC", PositionalCode::RXTC}, {u"RLXC", PositionalCode::RLXC}, {u"RTXC", PositionalCode::RTXC},
    };
    for (const auto& [name, value] : kCodes)
        if (name == code) return value;
    return std::nullopt;
}

std::optional<std::u16string> positionalResult(PositionalCode code, const std::u16string& text,
                                               const PositionalInputs& inputs) {
    const std::optional<Piece> piece = pieceOf(code, text, inputs);
    if (!piece) return std::nullopt;
    if (piece->length == 0) return text;
    std::u16string result = text;
    result.replace(piece->from, piece->length, inputs.replacement);
    return result;
}

std::int32_t wholeNumberOf(std::u16string_view text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return 0;
    const auto last = text.find_last_not_of(u' ');
    std::string ascii;
    for (char16_t c : text.substr(first, last - first + 1)) {
        if (!numberCharacter(c)) return 0;
        ascii.push_back(static_cast<char>(c));
    }
    char* end = nullptr;
    const double value = std::strtod(ascii.c_str(), &end);
    if (end != ascii.c_str() + ascii.size() || std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value);  // ties to even
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::clamp(rounded, kMin, kMax));
}

}  // namespace tools::text
