#pragma once
// csv files: read with RFC 4180 quoting from UTF-8 (with or without a byte-order mark), each
// field entered as typed input except that nothing is ever read as a formula; written back
// in the layout read, every field the tools left alone byte for byte as it was.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/book_interfaces.h"

namespace files {

// What a book read from a csv file keeps of it (the book's FileData). Each cell read from a
// field carries that field's number in Cell::styleId (0: not read from the file), so the
// field travels with its cell through deleted rows, shifted cells and sheet copies; a cell
// whose value is still the one the field gives is written back as the field's own bytes.
struct CsvFileData : FileData {
    std::string text;  // the file after its byte-order mark
    bool byteOrderMark = false;
    char separator = ',';
    std::string lineEnd = "\r\n";            // the first one in the file: "\r\n", "\n" or "\r"
    bool endsWithLineEnd = true;             // whether the last line has one
    int yearRead = 1900;                     // the year a date typed without one was read in
    std::vector<std::uint64_t> fieldBegins;  // field id k starts at fieldBegins[k - 1]

    // The bytes of the field a cell carrying `id` was read from, quotes included; empty
    // when the id is not one of this file's.
    std::string_view field(std::uint32_t id) const;
    // What lies between that field and the field read before it (the file's start for the
    // first), and between it and the next one (the file's end for the last): separators,
    // empty fields and line ends only, since every field with content has an id.
    std::string_view before(std::uint32_t id) const;
    std::string_view after(std::uint32_t id) const;
};

// The separator among ',', ';' and tab that splits the first lines most consistently.
char detectSeparator(std::string_view text);

// Splits csv text into rows of fields (UTF-8, quotes removed); throws FormatError.
std::vector<std::vector<std::string>> splitCsv(std::string_view text, char separator);

// A field's text without its quotes ("say ""hi""" -> say "hi").
std::string unquoteField(std::string_view raw);

// What a field becomes in its cell. A field starting with '=', '+', '-' or '@' is never a
// formula: a plain number ("-5", "+3.5") is a number, anything else its text as it stands.
// Other fields are typed input (numbers, dates, booleans; "'x" is the text x).
host::Variant csvFieldValue(std::u16string_view field, int currentYear);

// Reads `path` into one sheet named after the file, and gives the book a CsvFileData;
// throws FileError.
void readCsv(const std::string& path, BookSink& sink, std::optional<char> separator = std::nullopt);

// csv text of a sheet from A1 to the end of its used range. Without `read`: every row
// padded to the same width, CRLF line ends. With the CsvFileData of the file the book was
// read from: that file's separator, line ends and byte-order mark, unchanged fields as read.
std::string csvOf(const SheetSource& sheet, const CsvFileData* read = nullptr);
void writeCsv(const SheetSource& sheet, const std::string& path, const CsvFileData* read = nullptr);

}  // namespace files
