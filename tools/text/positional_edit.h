#pragma once
// The cell work of the positional tools, apart from the host: which piece of a cell's text
// is removed or replaced, and what the dialog's number boxes are worth.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tools::text {

enum class PositionalCode { RALC, RATC, RXLC, RXTC, RLXC, RTXC };

std::optional<PositionalCode> positionalCodeOf(std::u16string_view code);

// What the passes read from the dialog once, at the start of the pass.
struct PositionalInputs {
    std::u16string search;       // txtNthChars
    std::int32_t startPosition;  // txtStartPos, 1-based
    std::int32_t count;          // txtNoOfChars (X)
    std::u16string replacement;  // txtReplaceChars when chkReplaceChars is ticked, else ""
};

// The new text of a cell holding `text`, or nothing when the cell is to be left alone (the
// search text is not found, the start position is below 1, RXLC finds too few characters
// before the search text). An empty piece gives `text` unchanged.
std::optional<std::u16string> positionalResult(PositionalCode code, const std::u16string& text,
                                               const PositionalInputs& inputs);

// The whole number a number box holds: a decimal number with optional sign, fraction and
// exponent, spaces around allowed, rounded half to even; 0 when the text is not a number.
// Values past the 32-bit range saturate (a count or position that large reaches past every
// cell text, the host's limit being 32,767 characters).
std::int32_t wholeNumberOf(std::u16string_view text);

}  // namespace tools::text
