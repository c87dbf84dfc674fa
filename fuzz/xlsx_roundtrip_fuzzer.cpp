// A whole xlsx file opened, saved as a new file and opened again: whatever the first open
// delivered must come back from the saved file unchanged (sheets, visibility, cells, fills),
// and the file written must open. A save may refuse with a FileError, never write a file
// that loses what was read.
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "book_dump.h"
#include "engine_sheet.h"
#include "files/engine_binding.h"
#include "files/file_error.h"
#include "fuzz_support.h"
#include "host/text.h"

namespace {

files::OpenOptions smallLimits() {
    files::OpenOptions options;
    options.limits.maxEntryBytes = 8u << 20;
    options.limits.maxTotalBytes = 32u << 20;
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const fuzz::MemoryFile file(fuzz::bytes(data, size));
    engine::BookPtr book;
    try {
        book = files::openWorkbook(host::utf16(file.path()), smallLimits());
    } catch (const files::FileError&) {
        return 0;
    }
    const std::string saved = (fuzz::processFolder("roundtrip") / "saved.xlsx").string();
    try {
        files::saveWorkbook(*book, host::utf16(saved));
    } catch (const files::FileError&) {
        return 0;
    }
    engine::BookPtr again;
    try {
        again = files::openWorkbook(host::utf16(saved), smallLimits());
    } catch (const files::FileError& e) {
        fuzz::fail("a saved workbook does not open again", e.what());
    }
    const std::string before = fuzz::dumpBook(*book), after = fuzz::dumpBook(*again);
    fuzz::require(before == after, "a workbook changed through its own save", before + "----\n" + after);
    return 0;
}
