#include "apps/cellwash/plain_option_inputs.h"

#include <CLI/CLI.hpp>

namespace cli {

void PlainOptionInputs::addTo(CLI::App& command) {
    for (const auto& flag : plainFlags()) {
        const std::string name(flag.name);
        const std::string summary(flag.summary);
        CLI::Option* option =
            flag.kind == ValueKind::None
                ? command.add_flag(name, switches_[name], summary)
                : command.add_option(name, values_[name], summary)->type_name(std::string(flag.valueName));
        option->group("Plain options (`cellwash run TOOL --help` shows those of a tool)");
        options_[name] = option;
    }
}

std::vector<PlainSetting> PlainOptionInputs::given() const {
    std::vector<PlainSetting> settings;
    for (const auto& flag : plainFlags()) {
        const std::string name(flag.name);
        if (options_.at(name)->count() == 0) continue;
        settings.push_back({name, flag.kind == ValueKind::None ? "" : values_.at(name)});
    }
    return settings;
}

}  // namespace cli
