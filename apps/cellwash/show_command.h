#pragma once
// `cellwash show`: the sheets of a workbook and the cells of one of them, as a grid a person
// reads or as JSON for scripts.
#include <iosfwd>
#include <optional>
#include <string>

namespace cli {

struct ShowOptions {
    std::string workbook;
    std::optional<std::string> sheet;  // default: the active sheet
    std::optional<std::string> range;  // default: the used range
    bool json = false;
};

int runShow(const ShowOptions& options, std::ostream& out);

}  // namespace cli
