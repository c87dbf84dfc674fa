#pragma once
// The plain options on the parser: one option per flag of the table, and what was given.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "apps/cellwash/plain_options.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace cli {

class PlainOptionInputs {
public:
    void addTo(CLI::App& command);
    // The options given, with their values ("" for flags), in the table's order.
    std::vector<PlainSetting> given() const;
    // The option made for the flag (after addTo).
    CLI::Option* option(std::string_view flag) const { return options_.at(std::string(flag)); }

private:
    std::map<std::string, std::string> values_;
    std::map<std::string, bool> switches_;
    std::map<std::string, CLI::Option*> options_;
};

}  // namespace cli
