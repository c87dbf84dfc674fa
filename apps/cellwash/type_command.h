#pragma once
// `cellwash type`: enters a value into a cell the way a user types it, so that the cell's
// validation rule is enforced; a refused entry reports the host's stop alert.
#include <iosfwd>
#include <optional>
#include <string>

#include "apps/cellwash/book_files.h"

namespace cli {

struct TypeOptions {
    std::string workbook, cell, text;
    std::optional<std::string> sheet;
    OutputChoice output;
};

// The report goes to `out`, or to `err` when the result is written to standard output.
int runType(const TypeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace cli
