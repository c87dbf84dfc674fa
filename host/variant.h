#pragma once
// Variant — the value of a cell or a host property, as the object model passes it.
// Sixteen bytes: a text lives out of line, counted and never changed, so that copies of a
// value (a sheet's copy on write, an undo snapshot, a value read from a cell) share it.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace host {

enum class VariantKind : std::uint8_t { Empty, Number, Text, Boolean, Date, Error };

class Variant {
public:
    Variant() = default;
    Variant(double number) : kind_(VariantKind::Number), number_(number) {}
    Variant(int number) : kind_(VariantKind::Number), number_(number) {}
    Variant(long number) : kind_(VariantKind::Number), number_(static_cast<double>(number)) {}
    Variant(bool value) : kind_(VariantKind::Boolean), number_(value ? 1 : 0) {}
    explicit Variant(std::u16string_view text);
    Variant(const std::u16string& text) : Variant(std::u16string_view(text)) {}
    Variant(const char16_t* text) : Variant(std::u16string_view(text)) {}
    Variant(const Variant& other) : kind_(other.kind_), bits_(other.bits_) {
        if (isText() && text_) text_->refs.fetch_add(1, std::memory_order_relaxed);
    }
    // A text moves without its count changing; the value left behind is an empty text.
    Variant(Variant&& other) noexcept : kind_(other.kind_), bits_(other.bits_) {
        if (isText()) other.text_ = nullptr;
    }
    Variant& operator=(Variant other) noexcept {
        std::swap(kind_, other.kind_);
        std::swap(bits_, other.bits_);
        return *this;
    }
    ~Variant() {
        if (isText() && text_) release();
    }

    // A text of `size` units that `fill(char16_t* units)` writes in place, without a copy
    // between (a file's reader widens a cell's text straight into its value).
    template <class Fill>
    static Variant withText(std::size_t size, Fill&& fill) {
        Variant v;
        v.kind_ = VariantKind::Text;
        v.text_ = size == 0 ? nullptr : allocate(size);
        if (v.text_) fill(v.text_->units());
        return v;
    }
    static Variant date(double serial);
    static Variant error(int code);  // xlErrNA, xlErrDiv0, ...

    VariantKind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == VariantKind::Empty; }
    bool isNumber() const { return kind_ == VariantKind::Number; }
    bool isText() const { return kind_ == VariantKind::Text; }
    bool isBoolean() const { return kind_ == VariantKind::Boolean; }
    bool isDate() const { return kind_ == VariantKind::Date; }
    bool isError() const { return kind_ == VariantKind::Error; }

    // Numeric payload of Number, Date (serial) and Boolean (1/0); 0 for other kinds.
    double number() const { return isText() ? 0 : number_; }
    bool boolean() const { return number() != 0; }
    // The text of a Text value, empty for other kinds; valid while this value (or a copy) lives.
    std::u16string_view text() const {
        return isText() && text_ ? std::u16string_view(text_->units(), text_->size) : u"";
    }
    int errorCode() const { return static_cast<int>(number()); }

    // The host's default conversion to text; an error value throws host::Error 13.
    std::u16string toText() const;
    // The error literal of an error value ("#N/A"), or "" for other kinds.
    std::u16string errorText() const;

    bool operator==(const Variant& other) const {
        return kind_ == other.kind_ && (isText() ? text() == other.text() : number_ == other.number_);
    }

private:
    // A text kept once for every value that holds it: its count, its length, then its units.
    struct TextBlock {
        std::atomic<std::uint32_t> refs;
        std::uint32_t size;
        char16_t* units() { return reinterpret_cast<char16_t*>(this + 1); }
    };
    static TextBlock* allocate(std::size_t size);  // counted once, its units unset
    void release() noexcept;                       // of a Text value with a text: the last holder frees it

    VariantKind kind_ = VariantKind::Empty;
    union {
        double number_ = 0;
        TextBlock* text_;  // Text only; null for the empty text
        std::uint64_t bits_;
    };
};

// Text forms the host uses for numbers and date serials.
std::u16string formatNumber(double value);     // up to 15 significant digits, shortest form
std::u16string formatDate(double serial);      // m/d/yyyy[ h:mm:ss AM/PM]
std::u16string errorLiteral(int code);         // "#N/A" for xlErrNA; "" when unknown
int errorCodeOf(std::u16string_view literal);  // 0 when not an error literal

}  // namespace host
