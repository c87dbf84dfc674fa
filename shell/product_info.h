#pragma once
// Fixed facts about the product: version, maker, contact and its web addresses.
#include <string_view>

namespace shell {

inline constexpr std::u16string_view productVersionLine = u"Version: 5.1 | Edition: Professional";
inline constexpr std::u16string_view productMakerLine = u"Maker: The Cellwash Team";
inline constexpr std::u16string_view productContactLine =
    u"Contact: feedback@cellwash.example | https://www.cellwash.example";

// The product's feedback web page, shown by the feedback window.
inline constexpr std::u16string_view feedbackAddress = u"https://www.cellwash.example/feedback";

// The plain text list of languages that the language list button downloads.
inline constexpr std::string_view languageListAddressDefault = "https://www.cellwash.example/addin/LNG2.txt";

}  // namespace shell
