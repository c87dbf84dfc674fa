#pragma once
// Finding a command of the add-in by any of its names: the ribbon control id
// (btnDelDupsKF_25), the legacy tag (CWTOOLS5_DC1), the command key
// (removeDuplicatesKeepFirst) or the key's kebab-case form (remove-duplicates-keep-first).
#include <optional>
#include <string>

#include "shell/command_catalogue.h"

namespace cli {

std::optional<shell::CatalogueEntry> findTool(const std::string& name);
std::string kebabCase(std::u16string_view commandKey);
// The name the command line offers for a command: its key's kebab-case form, or its ribbon id
// when it has no key.
std::string preferredName(const shell::CatalogueEntry& entry);

}  // namespace cli
