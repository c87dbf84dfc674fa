#pragma once
// Reads an xlsx or xlsm file into a BookSink, keeping whatever the engine does not model in
// the workbook's and sheets' file data so that saving loses nothing.
#include <string>

#include "files/book_interfaces.h"
#include "files/zip_archive.h"

namespace files {

// Throws FileError naming the file and the problem; the sink may then hold a partial book,
// which the caller discards.
void readXlsx(const std::string& path, BookSink& sink, InflateLimits limits = {});

}  // namespace files
