#pragma once
// Opening the user's workbook into the embedded host, and writing the result where asked:
// a new file (-o), over the workbook itself (--in-place), or nowhere (a dry run).
#include <optional>
#include <string>
#include <vector>

#include "host/embedded/embedded_application.h"

namespace cli {

struct OutputChoice {
    std::optional<std::string> outputPath;  // -o FILE
    bool inPlace = false;                   // --in-place
};

// Opens the file as the active workbook; a file that cannot be read is Failure(kFileError).
engine::BookPtr openBook(host::embedded::EmbeddedApplication& app, const std::string& path);

// Writes the book as the choice says and returns the path written (none for a dry run).
// Notes on what could not be kept are appended to `notes`.
std::optional<std::string> writeBook(const engine::Book& book, const std::string& inputPath, const OutputChoice& choice,
                                     std::vector<std::string>& notes);

// Selects the sheet by name (error kUsage when absent) and makes it active.
engine::SheetPtr activateSheet(engine::Book& book, const std::string& name);

}  // namespace cli
