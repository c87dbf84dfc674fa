#pragma once
// RegVariant — what cRegistry's Value and Default hold: empty, text, a 16-bit or
// 32-bit integer, a byte array, a floating-point number or a Boolean. The integer
// widths are kept apart because only 16-bit and 32-bit integers write as REG_DWORD.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace registry {

using ByteArray = std::vector<std::uint8_t>;

class RegVariant {
public:
    RegVariant() = default;
    RegVariant(std::u16string text) : value_(std::move(text)) {}
    RegVariant(const char16_t* text) : value_(std::u16string(text)) {}
    RegVariant(std::int16_t number) : value_(number) {}
    RegVariant(std::int32_t number) : value_(number) {}
    RegVariant(ByteArray bytes) : value_(std::move(bytes)) {}
    RegVariant(double number) : value_(number) {}
    RegVariant(bool value) : value_(value) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isText() const { return std::holds_alternative<std::u16string>(value_); }
    bool isInteger() const { return isInt16() || isInt32(); }
    bool isInt16() const { return std::holds_alternative<std::int16_t>(value_); }
    bool isInt32() const { return std::holds_alternative<std::int32_t>(value_); }
    bool isBytes() const { return std::holds_alternative<ByteArray>(value_); }

    const std::u16string& text() const { return std::get<std::u16string>(value_); }
    std::int32_t integer() const { return isInt16() ? std::get<std::int16_t>(value_) : std::get<std::int32_t>(value_); }
    const ByteArray& bytes() const { return std::get<ByteArray>(value_); }

    // As the value reads where text is wanted: numbers in decimal, Booleans as
    // "True"/"False", empty as "", a byte array as its bytes in hex pairs.
    std::u16string toText() const;

    bool operator==(const RegVariant&) const = default;

private:
    std::variant<std::monostate, std::u16string, std::int16_t, std::int32_t, ByteArray, double, bool> value_;
};

}  // namespace registry
