#pragma once
// Registry names compare without regard to case, as the platform compares them:
// code unit by code unit, each mapped to upper case.
#include <string>
#include <string_view>

namespace registry {

std::u16string foldName(std::u16string_view name);
bool sameName(std::u16string_view a, std::u16string_view b);

}  // namespace registry
