#pragma once
// What the engine stores for one cell: its value, formula, fill, comment and file format.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace engine {

struct CommentData {
    std::u16string text;
    std::u16string author;
};

class Cell {
public:
    host::Variant value;        // for a formula cell, its last result
    int colorIndex = 0;         // palette fill 1..56; 0 when unfilled
    std::uint32_t styleId = 0;  // the workbook file's cell format, carried for saving

    Cell() = default;
    Cell(const Cell& other) : value(other.value), colorIndex(other.colorIndex), styleId(other.styleId) {
        if (other.extras_) extras_ = std::make_unique<Extras>(*other.extras_);
    }
    Cell(Cell&&) noexcept = default;
    Cell& operator=(const Cell& other) { return *this = Cell(other); }
    Cell& operator=(Cell&&) noexcept = default;

    // "=..." or empty when the cell holds a constant.
    const std::u16string& formula() const { return extras_ ? extras_->formula : kNoFormula; }
    void setFormula(std::u16string formula) {
        if (formula.empty()) return clearFormula();
        extras().formula = std::move(formula);
    }
    void clearFormula() {
        if (extras_) extras_->formula.clear();
        dropEmptyExtras();
    }
    // Nothing when the cell has no comment.
    const CommentData* comment() const { return extras_ && extras_->comment ? &*extras_->comment : nullptr; }
    void setComment(CommentData comment) { extras().comment = std::move(comment); }
    void clearComment() {
        if (extras_) extras_->comment.reset();
        dropEmptyExtras();
    }

    // Truly empty content: no value and no formula (a fill or comment may remain).
    bool hasContent() const { return !value.isEmpty() || !formula().empty(); }
    // Nothing worth storing at all.
    bool isVoid() const { return !hasContent() && colorIndex == 0 && styleId == 0 && !comment(); }

private:
    // What few cells have, together out of line: a cell of a constant costs one pointer for
    // both (a cell is 32 bytes).
    struct Extras {
        std::u16string formula;
        std::optional<CommentData> comment;
    };
    Extras& extras() {
        if (!extras_) extras_ = std::make_unique<Extras>();
        return *extras_;
    }
    void dropEmptyExtras() {
        if (extras_ && extras_->formula.empty() && !extras_->comment) extras_.reset();
    }
    static inline const std::u16string kNoFormula;

    std::unique_ptr<Extras> extras_;
};

}  // namespace engine
