#pragma once
// `cellwash tools`, `ribbon` and `tour`: what the add-in offers, as the host shows it.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "shell/command_catalogue.h"

namespace cli {

// A command of the catalogue with the label the ribbon shows for it (English).
struct ToolListing {
    shell::CatalogueEntry entry;
    std::string label;
};
std::vector<ToolListing> toolListings();

int runTools(std::ostream& out);
int runRibbon(const std::optional<std::string>& lang, const std::string& hostVersion, std::ostream& out);
int runTour(std::ostream& out);
int runVersion(std::ostream& out);

}  // namespace cli
