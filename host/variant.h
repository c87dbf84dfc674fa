#pragma once
// Variant — the value of a cell or a host property, as the object model passes it.
#include <string>

namespace host {

enum class VariantKind { Empty, Number, Text, Boolean, Date, Error };

class Variant {
public:
    Variant() = default;
    Variant(double number) : kind_(VariantKind::Number), number_(number) {}
    Variant(int number) : kind_(VariantKind::Number), number_(number) {}
    Variant(long number) : kind_(VariantKind::Number), number_(static_cast<double>(number)) {}
    Variant(bool value) : kind_(VariantKind::Boolean), number_(value ? 1 : 0) {}
    Variant(std::u16string text) : kind_(VariantKind::Text), text_(std::move(text)) {}
    Variant(const char16_t* text) : Variant(std::u16string(text)) {}

    static Variant date(double serial);
    static Variant error(int code);  // xlErrNA, xlErrDiv0, ...

    VariantKind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == VariantKind::Empty; }
    bool isNumber() const { return kind_ == VariantKind::Number; }
    bool isText() const { return kind_ == VariantKind::Text; }
    bool isBoolean() const { return kind_ == VariantKind::Boolean; }
    bool isDate() const { return kind_ == VariantKind::Date; }
    bool isError() const { return kind_ == VariantKind::Error; }

    // Numeric payload of Number, Date (serial) and Boolean (1/0).
    double number() const { return number_; }
    bool boolean() const { return number_ != 0; }
    const std::u16string& text() const { return text_; }
    int errorCode() const { return static_cast<int>(number_); }

    // The host's default conversion to text; an error value throws host::Error 13.
    std::u16string toText() const;
    // The error literal of an error value ("#N/A"), or "" for other kinds.
    std::u16string errorText() const;

    bool operator==(const Variant& other) const = default;

private:
    VariantKind kind_ = VariantKind::Empty;
    double number_ = 0;
    std::u16string text_;
};

// Text forms the host uses for numbers and date serials.
std::u16string formatNumber(double value);     // up to 15 significant digits, shortest form
std::u16string formatDate(double serial);      // m/d/yyyy[ h:mm:ss AM/PM]
std::u16string errorLiteral(int code);         // "#N/A" for xlErrNA; "" when unknown
int errorCodeOf(std::u16string_view literal);  // 0 when not an error literal

}  // namespace host
