#pragma once
// The zip container of a package, over libzip. Reading bounds how much any entry and the
// whole archive may inflate to, so that a zip bomb is refused instead of filling memory.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_source;

namespace files {

struct InflateLimits {
    std::uint64_t maxEntryBytes = 1ull << 31;    // one part
    std::uint64_t maxTotalBytes = 6ull << 30;    // the whole package
};

class ZipReader {
public:
    // Throws FormatError when the file is not a readable zip archive.
    ZipReader(const std::string& path, InflateLimits limits);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    const std::vector<std::string>& names() const { return names_; }
    bool contains(std::string_view name) const;
    // The whole inflated entry; throws FormatError past the limits or on a damaged entry.
    std::string read(std::string_view name);
    // Hands the inflated entry over in chunks, for parts too big to hold twice.
    void stream(std::string_view name, const std::function<void(std::string_view)>& chunk);

private:
    long long indexOf(std::string_view name) const;

    zip* archive_ = nullptr;
    InflateLimits limits_;
    std::uint64_t inflated_ = 0;
    std::vector<std::string> names_;
};

// Builds a new archive in memory, entry by entry; close() hands back its bytes, so that the
// caller alone decides where they land on disk (and owns the only temporary file).
class ZipWriter {
public:
    ZipWriter();
    ~ZipWriter();  // discards an unfinished archive
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // `fast` trades size for speed on big generated parts.
    void add(const std::string& name, std::string data, bool fast = false);
    // The finished archive; the writer takes no more entries afterwards.
    std::string close();

private:
    std::string readBack();

    zip_source* memory_ = nullptr;  // the archive's bytes; kept past zip_close() to read them back
    zip* archive_ = nullptr;
    std::deque<std::string> buffers_;  // libzip reads them at close(); a deque keeps them in place
};

}  // namespace files
