#include "resources/resource_text.h"

namespace resources {

namespace {

// Windows-1252 at 0x80..0x9F; the rest of the code page is Latin-1. Undefined codes stay.
constexpr char16_t cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::u16string wideText(Bytes bytes) {
    std::u16string text;
    text.reserve((bytes.size() + 1) / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char16_t low = bytes[i];
        char16_t high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        text.push_back(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

std::u16string narrowText(Bytes bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::uint8_t b : bytes)
        text.push_back(b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : static_cast<char16_t>(b));
    return text;
}

}  // namespace resources
