#pragma once
// Expansion of %NAME% references, as the platform's ExpandEnvironmentStrings does it:
// a defined name is replaced by its value, an unknown one (or "%%") stays as written.
#include <functional>
#include <optional>
#include <string>

namespace registry {

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

std::string expandReferences(const std::string& text, const EnvironmentLookup& lookup);

// The process environment; names match without regard to case, as on Windows.
std::optional<std::string> processEnvironment(const std::string& name);

}  // namespace registry
