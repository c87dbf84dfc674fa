#pragma once
// The file layer on the embedded engine: opening and saving Books by file type, and the
// opener and saver the EmbeddedApplication calls for Workbooks.Open and Workbook.Save.
#include <optional>
#include <string>
#include <vector>

#include "files/xlsx_writer.h"
#include "files/zip_archive.h"
#include "host/embedded/embedded_application.h"

namespace files {

struct OpenOptions {
    InflateLimits limits;
    std::optional<char> csvSeparator;  // detected when not given
};

// Opens xlsx, xlsm and csv; ods and xls through LibreOffice when it is installed. The book is
// not added to the application. Throws FileError naming the file and the problem.
host::embedded::BookPtr openWorkbook(host::embedded::EmbeddedApplication& app, const std::u16string& path,
                                     const OpenOptions& options = {});
// Saves as xlsx/xlsm, or the active sheet as csv, by the target's extension. Returns what
// could not be kept. Throws FileError and leaves the target as it was.
std::vector<std::u16string> saveWorkbook(const host::embedded::Book& book, const std::u16string& path,
                                         const SaveOptions& options = {});
// What the user should know about how the book was read (e.g. converted from .ods).
std::vector<std::u16string> openNotes(const host::embedded::Book& book);
// What the last save of a book read from a file could not keep (saves through the
// application's saver have no other way to say it).
std::vector<std::u16string> saveNotes(const host::embedded::Book& book);

// Registers openWorkbook and saveWorkbook as the application's opener and saver. Saving a
// book over its own file through the object model (Save, Close with changes) is asked for.
void registerFileHandlers(host::embedded::EmbeddedApplication& app);

}  // namespace files
