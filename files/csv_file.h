#pragma once
// csv files: read with RFC 4180 quoting from UTF-8 (with or without a byte-order mark), each
// field entered as typed input; written as RFC 4180 UTF-8, values as their text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/model_io.h"

namespace files {

// The separator among ',', ';' and tab that splits the first lines most consistently.
char detectSeparator(std::string_view text);

// Splits csv text into rows of fields (UTF-8, quotes removed); throws FormatError.
std::vector<std::vector<std::string>> splitCsv(std::string_view text, char separator);

// Reads `path` into one sheet named after the file; throws FileError.
void readCsv(const std::string& path, BookSink& sink, std::optional<char> separator = std::nullopt);

// csv text of a sheet (from A1 to the end of its used range).
std::string csvOf(const SheetSource& sheet, char separator = ',');
void writeCsv(const SheetSource& sheet, const std::string& path, char separator = ',');

}  // namespace files
