#pragma once
// Opening the user's workbook into the embedded host, and writing the result where asked:
// a new file (-o), standard output (-o -), over the workbook itself (--in-place), or nowhere
// (a dry run). "-" as the workbook reads csv from standard input.
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/embedded/embedded_application.h"

namespace cli {

// "-": standard input as the workbook, standard output as -o.
inline constexpr std::string_view kStandardStream = "-";

struct OutputChoice {
    std::optional<std::string> outputPath;  // -o FILE, or "-"
    bool inPlace = false;                   // --in-place
    std::optional<std::string> format;      // --format csv|xlsx: for "-", or a name that does not say
    bool undoCopy = true;                   // --no-undo-copy: the snapshot sheets are left out
};

// The formats a result can be written in when its name does not say (--format).
inline constexpr std::string_view kResultFormats[] = {"csv", "xlsx"};

bool writesToStandardOutput(const OutputChoice& choice);

// Usage errors of the choice for this workbook, found before anything is loaded: -o and
// --in-place together, --in-place or -o - for a workbook read from standard input, a
// --format the name contradicts, xlsx to standard output on a terminal.
void checkOutputChoice(const OutputChoice& choice, const std::string& workbook);

// Opens the file ("-": csv from standard input) as the active workbook; a file that cannot be
// read is Failure(kFileError).
engine::BookPtr openBook(host::embedded::EmbeddedApplication& app, const std::string& path);

// Writes the book as the choice says and returns where it went ("-" for standard output,
// which gets the bytes through `data`; none for a dry run). Notes on what could not be kept,
// or was left out, are appended to `notes`. With undoCopy false the snapshot sheets are
// removed from the book first.
std::optional<std::string> writeBook(engine::Book& book, const std::string& inputPath, const OutputChoice& choice,
                                     std::vector<std::string>& notes, std::ostream& data);

// The sheet by name (without regard to case); Failure(kUsage) naming the sheets when absent.
engine::SheetPtr sheetNamed(const engine::Book& book, const std::string& name);
// Selects the sheet by name (error kUsage when absent) and makes it active.
engine::SheetPtr activateSheet(engine::Book& book, const std::string& name);

}  // namespace cli
