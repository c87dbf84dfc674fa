#pragma once
// `cellwash tools`, `ribbon` and `tour`: what the add-in offers, as the host shows it.
#include <iosfwd>
#include <optional>
#include <string>

namespace cli {

int runTools(std::ostream& out);
int runRibbon(const std::optional<std::string>& lang, const std::string& hostVersion, std::ostream& out);
int runTour(std::ostream& out);
int runVersion(std::ostream& out);

}  // namespace cli
