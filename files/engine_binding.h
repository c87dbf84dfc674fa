#pragma once
// The file layer on the engine: opening files into engine books and saving them, by file
// type, and the opener and saver a host calls for Workbooks.Open and Workbook.Save.
#include <optional>
#include <string>
#include <vector>

#include "engine/book.h"
#include "files/xlsx_writer.h"
#include "files/zip_archive.h"

namespace files {

struct OpenOptions {
    InflateLimits limits;
    std::optional<char> csvSeparator;  // detected when not given
};

// Opens xlsx, xlsm and csv; ods and xls through LibreOffice when it is installed, into a new
// engine book named after the file. Throws FileError naming the file and the problem.
engine::BookPtr openWorkbook(const std::u16string& path, const OpenOptions& options = {});
// Saves as xlsx/xlsm, or the active sheet as csv, by the target's extension. Returns what
// could not be kept. Throws FileError and leaves the target as it was.
std::vector<std::u16string> saveWorkbook(const engine::Book& book, const std::u16string& path,
                                         const SaveOptions& options = {});
// What the user should know about how the book was read (e.g. converted from .ods).
std::vector<std::u16string> openNotes(const engine::Book& book);
// What the last save of a book read from a file could not keep (saves through the
// application's saver have no other way to say it).
std::vector<std::u16string> saveNotes(const engine::Book& book);

// openWorkbook and saveWorkbook as a host's object model calls them: a file error is the
// host's error 1004 with our message, and saving a book over its own file (Save, Close with
// changes) is asked for.
engine::BookPtr openForHost(const std::u16string& path);
void saveForHost(const engine::Book& book, const std::u16string& path);

}  // namespace files
