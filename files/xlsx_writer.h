#pragma once
// Writes a book as an xlsx (or xlsm) package: the parts the engine models regenerated, every
// other part carried over as it was read, relationships and content types kept consistent.
// The file is written beside the target and renamed over it only once complete.
#include <functional>
#include <string>
#include <vector>

#include "files/book_interfaces.h"

namespace files {

struct SaveOptions {
    // Writing over the file the book was read from must be asked for.
    bool overwriteSource = false;
};

// Returns notes on what could not be kept; throws FileError and leaves the target untouched.
std::vector<std::u16string> writeXlsx(const BookSource& book, const std::string& path, const SaveOptions& options = {});

// Writes `bytes` to `path` through a temporary file in the same folder and a rename.
void replaceFile(const std::string& path, const std::function<void(const std::string& temporary)>& write);

}  // namespace files
