#pragma once
// What the engine stores for one cell: its value, formula, fill, comment and file format.
#include <cstdint>
#include <memory>
#include <string>

#include "host/variant.h"

namespace engine {

struct CommentData {
    std::u16string text;
    std::u16string author;
};

struct Cell {
    host::Variant value;        // for a formula cell, its last result
    std::u16string formula;     // "=..." or empty when the cell holds a constant
    int colorIndex = 0;         // palette fill 1..56; 0 when unfilled
    std::uint32_t styleId = 0;  // the workbook file's cell format, carried for saving
    std::shared_ptr<const CommentData> comment;

    // Truly empty content: no value and no formula (a fill or comment may remain).
    bool hasContent() const { return !value.isEmpty() || !formula.empty(); }
    // Nothing worth storing at all.
    bool isVoid() const { return !hasContent() && colorIndex == 0 && styleId == 0 && !comment; }
};

}  // namespace engine
