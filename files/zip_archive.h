#pragma once
// The zip container of a package, over libzip, with ISA-L inflating the deflated parts and
// deflating the big ones. Reading bounds how much any entry and the whole archive may inflate
// to, so that a zip bomb is refused instead of filling memory.
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_source;

namespace files {

// What an archive may inflate to. Real workbooks deflate about 10-30:1 (repetitive small
// parts such as styles more, but they stay small), so a part past the floor that inflates by
// more than the ratio is a bomb. The sizes the archive records are checked when it is opened,
// before anything is inflated, and an entry that inflates past its recorded size is refused
// as forged: so a bomb trips before it costs time or memory.
struct InflateLimits {
    std::uint64_t maxEntryBytes = 2ull << 30;     // one part
    std::uint64_t maxTotalBytes = 6ull << 30;     // the whole package
    std::uint64_t maxRatio = 100;                 // inflated : compressed, past the floor; 0: no bound
    std::uint64_t ratioFloorBytes = 64ull << 20;  // parts (and packages) this small may inflate more
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
    struct Entry {
        std::string name;
        std::uint64_t compressed = 0;
        std::uint64_t recorded = 0;  // the inflated size the archive states
        bool sizeKnown = false;
        bool plainDeflate = false;  // deflated, not encrypted, size and CRC recorded: ISA-L inflates it
        std::uint32_t crc = 0;
    };
    long long indexOf(std::string_view name) const;
    void checkRecordedSizes() const;
    // Throws when `entryBytes` of `entry`, `totalBytes` of the package, pass a bound.
    void checkInflated(const Entry& entry, std::uint64_t entryBytes, std::uint64_t totalBytes) const;

    zip* archive_ = nullptr;
    InflateLimits limits_;
    std::uint64_t inflated_ = 0;
    std::uint64_t compressedTotal_ = 0;
    std::vector<Entry> entries_;
    std::vector<std::string> names_;
};

// Builds a new archive in memory, entry by entry; close() hands back its bytes, so that the
// caller alone decides where they land on disk (and owns the only temporary file). Large
// entries are deflated on threads of their own as soon as they are added, while the caller
// goes on making the next; the archive takes their deflated bytes as they are.
class ZipWriter {
public:
    ZipWriter();
    ~ZipWriter();  // discards an unfinished archive
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // `fast` trades size for speed on big generated parts.
    void add(const std::string& name, std::string data, bool fast = false);
    // A part made piece by piece: `make` hands its pieces to the sink it is given. Once the
    // part passes kBackgroundBytes it is deflated fast while it is being made, on a thread of
    // its own, and never held whole; a smaller part is added as add() adds it.
    using PieceSink = std::function<void(std::string_view)>;
    void addMade(const std::string& name, const std::function<void(const PieceSink&)>& make);
    bool holds(const std::string& name) const;
    // Puts the entries in this order; entries it does not name are dropped.
    void arrange(const std::vector<std::string>& names);
    // The finished archive; the writer takes no more entries afterwards.
    std::string close();
    // The same, handed to `out` in pieces of a megabyte.
    void close(const std::function<void(std::string_view)>& out);

    // Entries at least this large are deflated in the background.
    static constexpr size_t kBackgroundBytes = 1u << 20;

private:
    class Deflation;
    class PartDeflater;
    struct RawDeflate;
    struct Entry {
        std::string name;
        std::string data;                                   // empty once handed to a background deflate
        int level;                                          // zlib's, for a small part libzip deflates itself
        std::future<std::shared_ptr<RawDeflate>> deflated;  // a part deflated ahead of the close
    };

    void readBack(const std::function<void(std::string_view)>& out);

    zip_source* memory_ = nullptr;  // the archive's bytes; kept past zip_close() to read them back
    zip* archive_ = nullptr;
    std::vector<Entry> entries_;  // added to the archive in this order when it closes
};

}  // namespace files
