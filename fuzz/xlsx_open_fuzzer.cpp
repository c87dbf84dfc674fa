// A whole xlsx file opened the way the command line opens one: through the file layer's
// openWorkbook into an engine book (inflating and parsing on the background reader). A file
// that cannot be read must be refused with a FileError.
#include <cstdint>

#include "book_dump.h"
#include "engine_sheet.h"
#include "files/engine_binding.h"
#include "files/file_error.h"
#include "fuzz_support.h"
#include "host/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const fuzz::MemoryFile file(fuzz::bytes(data, size));
    files::OpenOptions options;
    options.limits.maxEntryBytes = 8u << 20;  // within the fuzzer's memory limit
    options.limits.maxTotalBytes = 32u << 20;
    try {
        const engine::BookPtr book = files::openWorkbook(host::utf16(file.path()), options);
        fuzz::dumpBook(*book);  // every cell read back through the engine
        files::openNotes(*book);
    } catch (const files::FileError&) {}
    return 0;
}
