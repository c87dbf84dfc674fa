#pragma once
// What the engine stores for one cell: its value, formula, fill, comment and file format.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/variant.h"

namespace engine {

struct CommentData {
    std::u16string text;
    std::u16string author;
};

// A cell's formula text, "=..." or empty. Most cells hold a constant, so the text lives out of
// line and an empty one costs a pointer instead of a string.
class FormulaText {
public:
    FormulaText() = default;
    FormulaText(std::u16string text) { assign(std::move(text)); }
    FormulaText(const char16_t* text) : FormulaText(std::u16string(text)) {}
    FormulaText(const FormulaText& other) { *this = other; }
    FormulaText(FormulaText&&) noexcept = default;
    FormulaText& operator=(const FormulaText& other) {
        if (this != &other) text_ = other.text_ ? std::make_unique<std::u16string>(*other.text_) : nullptr;
        return *this;
    }
    FormulaText& operator=(FormulaText&&) noexcept = default;

    bool empty() const { return !text_; }
    void clear() { text_.reset(); }
    const std::u16string& str() const { return text_ ? *text_ : none(); }
    operator const std::u16string&() const { return str(); }
    operator std::u16string_view() const { return str(); }
    bool operator==(const FormulaText& other) const { return str() == other.str(); }

private:
    static const std::u16string& none() {
        static const std::u16string empty;
        return empty;
    }
    void assign(std::u16string text) {
        if (text.empty())
            text_.reset();
        else
            text_ = std::make_unique<std::u16string>(std::move(text));
    }
    std::unique_ptr<std::u16string> text_;
};

// An optional value kept out of line and copied with its owner: eight bytes in every cell for
// what few cells have.
template <class T>
class Boxed {
public:
    Boxed() = default;
    Boxed(std::nullptr_t) {}
    Boxed(T value) : value_(std::make_unique<T>(std::move(value))) {}
    Boxed(const Boxed& other) : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(const Boxed& other) { return *this = Boxed(other); }
    Boxed& operator=(Boxed&&) noexcept = default;

    explicit operator bool() const { return value_ != nullptr; }
    bool operator==(std::nullptr_t) const { return !value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return value_.get(); }
    void reset() { value_.reset(); }

private:
    std::unique_ptr<T> value_;
};

struct Cell {
    host::Variant value;        // for a formula cell, its last result
    FormulaText formula;        // "=..." or empty when the cell holds a constant
    int colorIndex = 0;         // palette fill 1..56; 0 when unfilled
    std::uint32_t styleId = 0;  // the workbook file's cell format, carried for saving
    Boxed<CommentData> comment;

    // Truly empty content: no value and no formula (a fill or comment may remain).
    bool hasContent() const { return !value.isEmpty() || !formula.empty(); }
    // Nothing worth storing at all.
    bool isVoid() const { return !hasContent() && colorIndex == 0 && styleId == 0 && !comment; }
};

}  // namespace engine
