#pragma once
// `cellwash show`: the sheets of a workbook and the cells of one of them, as a grid a person
// reads, as csv or tsv for other tools, or as JSON for scripts. Any sheet can be shown,
// hidden ones too: showing does not activate it.
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

inline constexpr std::string_view kShowFormats[] = {"grid", "csv", "tsv", "json"};

struct ShowOptions {
    std::string workbook;
    std::optional<std::string> sheet;  // default: the active sheet
    std::optional<std::string> range;  // default: the used range (csv and tsv: from A1)
    std::string format = "grid";
    bool json = false;  // --json: the same as --format json
};

int runShow(const ShowOptions& options, std::ostream& out);

}  // namespace cli
