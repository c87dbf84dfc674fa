#pragma once
// The word rule of the statistics tools, per text, and the value text of a cell as the count
// tools read it.
#include <cstdint>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace tools::count {

// What one text adds to the statistics. Lengths are UTF-16 code units, as the host's LEN
// counts them (a character outside the basic plane counts 2).
struct TextFigures {
    std::int64_t words = 0;            // runs of characters other than space (32)
    std::int64_t charsNoSpaces = 0;    // length without the spaces
    std::int64_t charsWithSpaces = 0;  // length

    TextFigures& operator+=(const TextFigures& other);
    bool operator==(const TextFigures&) const = default;
};

// words(t) = 0 when TRIM(t) is empty, else LEN(TRIM(t)) - LEN(t without spaces) + 1, which is
// the number of runs of non-space characters; only character 32 is a space.
TextFigures textFigures(std::u16string_view text);

// The text of a cell's value: the host's default conversion (numbers by their stored value,
// dates m/d/yyyy, booleans True/False, empty ""); an error value by its literal ("#N/A").
std::u16string valueText(const host::Variant& value);

}  // namespace tools::count
