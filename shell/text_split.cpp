#include "shell/text_split.h"

namespace shell {

std::vector<std::u16string> splitText(std::u16string_view text, std::u16string_view separator) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::u16string_view::npos; start = at + separator.size())
        parts.emplace_back(text.substr(start, at - start));
    parts.emplace_back(text.substr(start));
    return parts;
}

}  // namespace shell
