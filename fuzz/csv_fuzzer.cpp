// csv text: split with each separator and with the detected one, and read as a file into an
// engine sheet, every field entered as typed input. The splitter may refuse with a
// FormatError, the file reader with a FileError.
#include <cstdint>
#include <string>
#include <vector>

#include "book_dump.h"
#include "engine_sheet.h"
#include "files/csv_file.h"
#include "files/file_error.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text = fuzz::bytes(data, size);
    const char detected = files::detectSeparator(text);
    fuzz::require(detected == ',' || detected == ';' || detected == '\t', "a separator outside the three was detected");
    for (char separator : {',', ';', '\t'}) {
        try {
            files::splitCsv(text, separator);
        } catch (const files::FormatError&) {}
    }
    const fuzz::MemoryFile file(text);
    fuzz::EngineBookSink sink;
    try {
        files::readCsv(file.path(), sink);
        fuzz::require(sink.book().sheets().size() == 1, "a csv file read as other than one sheet");
        fuzz::dumpBook(sink.book());
    } catch (const files::FileError&) {}
    return 0;
}
