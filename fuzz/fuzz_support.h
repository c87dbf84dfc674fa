#pragma once
// Shared by the fuzz targets: turning fuzzer bytes into the inputs the parsers take, a file
// for the readers that open paths, and one way to report a broken property as a finding.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "host/text.h"

namespace fuzz {

inline std::string_view bytes(const std::uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Text parsers take UTF-16; the bytes are read as UTF-8 (bad sequences become U+FFFD), so
// that the dictionaries' ASCII tokens reach them as they are.
inline std::u16string text(const std::uint8_t* data, size_t size) { return host::utf16(bytes(data, size)); }

// A property the code documents does not hold: a finding, reported like a crash.
[[noreturn]] inline void fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "FUZZ PROPERTY BROKEN: %s\n%.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void require(bool holds, const char* what, std::string_view detail = {}) {
    if (!holds) fail(what, detail);
}

// A folder of this process for files a target writes, named after `purpose` and removed at exit.
inline const std::filesystem::path& processFolder(const std::string& purpose) {
    struct Folder {
        std::filesystem::path path;
        explicit Folder(const std::string& purpose)
            : path(std::filesystem::temp_directory_path() / ("cw-fuzz-" + purpose + "-" + std::to_string(getpid()))) {
            std::filesystem::create_directories(path);
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder(purpose);  // one target, one purpose per process
    return folder.path;
}

// The input as a file in memory, for readers that take a path (/proc/self/fd/N).
class MemoryFile {
public:
    explicit MemoryFile(std::string_view content) : fd_(memfd_create("fuzz-input", MFD_CLOEXEC)) {
        if (fd_ < 0) fail("memfd_create failed");
        size_t done = 0;
        while (done < content.size()) {
            const ssize_t n = write(fd_, content.data() + done, content.size() - done);
            if (n <= 0) fail("writing the input file failed");
            done += static_cast<size_t>(n);
        }
    }
    ~MemoryFile() { close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

}  // namespace fuzz
