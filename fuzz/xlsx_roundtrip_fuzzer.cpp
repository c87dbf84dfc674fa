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

// A folder of this process for the saved files, removed at exit.
const std::filesystem::path& saveFolder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            path = std::filesystem::temp_directory_path() / ("cw-fuzz-roundtrip-" + std::to_string(getpid()));
            std::filesystem::create_directories(path);
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const fuzz::MemoryFile file(fuzz::bytes(data, size));
    host::embedded::BookPtr book;
    try {
        book = files::openWorkbook(fuzz::application(), host::utf16(file.path()), smallLimits());
    } catch (const files::FileError&) {
        return 0;
    }
    const std::string saved = (saveFolder() / "saved.xlsx").string();
    try {
        files::saveWorkbook(*book, host::utf16(saved));
    } catch (const files::FileError&) {
        return 0;
    }
    host::embedded::BookPtr again;
    try {
        again = files::openWorkbook(fuzz::application(), host::utf16(saved), smallLimits());
    } catch (const files::FileError& e) {
        fuzz::fail("a saved workbook does not open again", e.what());
    }
    const std::string before = fuzz::dumpBook(*book), after = fuzz::dumpBook(*again);
    fuzz::require(before == after, "a workbook changed through its own save", before + "----\n" + after);
    return 0;
}
