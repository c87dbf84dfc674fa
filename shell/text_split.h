#pragma once
// splitText: a text cut at every occurrence of a separator, as the host's Split does —
// n separators give n + 1 parts, empty parts included.
#include <string>
#include <string_view>
#include <vector>

namespace shell {

std::vector<std::u16string> splitText(std::u16string_view text, std::u16string_view separator);

}  // namespace shell
