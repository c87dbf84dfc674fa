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

}  // namespace cli
