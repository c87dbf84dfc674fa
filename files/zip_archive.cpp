#include "files/zip_archive.h"

#include <zip.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "files/file_error.h"

namespace files {

namespace {

std::string zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

std::string sizeText(std::uint64_t bytes) {
    constexpr std::uint64_t mib = 1u << 20;
    if (bytes % mib == 0) return std::to_string(bytes / mib) + " MiB";
    if (bytes < mib) return std::to_string(bytes) + " bytes";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / mib);
    return text;
}

// Whether `bytes` inflated from `compressed` passes the ratio bound.
bool pastRatio(std::uint64_t bytes, std::uint64_t compressed, const InflateLimits& limits) {
    if (bytes <= limits.ratioFloorBytes || limits.maxRatio == 0) return false;
    if (compressed > std::numeric_limits<std::uint64_t>::max() / limits.maxRatio) return false;
    return bytes > compressed * limits.maxRatio;
}

}  // namespace

ZipReader::ZipReader(const std::string& path, InflateLimits limits) : limits_(limits) {
    int code = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive_) throw FormatError("not a readable zip archive (" + zipErrorText(code) + ")");
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        Entry entry;
        const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        entry.name = name ? name : "";
        zip_stat_t st;
        if (zip_stat_index(archive_, static_cast<zip_uint64_t>(i), 0, &st) == 0) {
            if (st.valid & ZIP_STAT_COMP_SIZE) entry.compressed = st.comp_size;
            entry.sizeKnown = (st.valid & ZIP_STAT_SIZE) != 0;
            if (entry.sizeKnown) entry.recorded = st.size;
        }
        compressedTotal_ += entry.compressed;
        names_.push_back(entry.name);
        entries_.push_back(std::move(entry));
    }
    try {
        checkRecordedSizes();
    } catch (...) {
        zip_discard(archive_);
        throw;
    }
}

ZipReader::~ZipReader() {
    if (archive_) zip_discard(archive_);
}

void ZipReader::checkRecordedSizes() const {
    std::uint64_t total = 0;
    for (const Entry& entry : entries_) {
        if (!entry.sizeKnown) continue;
        total += entry.recorded;
        checkInflated(entry, entry.recorded, total);
    }
}

void ZipReader::checkInflated(const Entry& entry, std::uint64_t entryBytes, std::uint64_t totalBytes) const {
    const auto refuse = [&](const std::string& what) { throw FormatError("the part " + entry.name + " " + what); };
    if (entry.sizeKnown && entryBytes > entry.recorded)
        refuse("inflates to more than the " + sizeText(entry.recorded) +
               " its archive entry records (a forged archive)");
    if (entryBytes > limits_.maxEntryBytes)
        refuse("inflates to more than " + sizeText(limits_.maxEntryBytes) + " (a zip bomb?)");
    if (pastRatio(entryBytes, entry.compressed, limits_))
        refuse("inflates to more than " + std::to_string(limits_.maxRatio) +
               " times its compressed size (a zip bomb?)");
    if (totalBytes > limits_.maxTotalBytes)
        throw FormatError("the package inflates to more than " + sizeText(limits_.maxTotalBytes) +
                          " in all, reaching it at " + entry.name + " (a zip bomb?)");
    if (pastRatio(totalBytes, compressedTotal_, limits_))
        throw FormatError("the package inflates to more than " + std::to_string(limits_.maxRatio) +
                          " times its compressed size, reaching it at " + entry.name + " (a zip bomb?)");
}

long long ZipReader::indexOf(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name) return static_cast<long long>(i);
    return -1;
}

bool ZipReader::contains(std::string_view name) const { return indexOf(name) >= 0; }

void ZipReader::stream(std::string_view name, const std::function<void(std::string_view)>& chunk) {
    const long long index = indexOf(name);
    if (index < 0) throw FormatError("the part " + std::string(name) + " is missing");
    const Entry& entry = entries_[static_cast<size_t>(index)];
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file) throw FormatError("cannot open the part " + std::string(name) + " (" + zip_strerror(archive_) + ")");
    // The recorded sizes were checked when opening; the bounds hold again for what comes out.
    std::string buffer(1 << 16, '\0');
    std::uint64_t entryBytes = 0;
    try {
        for (;;) {
            const zip_int64_t got = zip_fread(file, buffer.data(), buffer.size());
            if (got < 0)
                throw FormatError("the part " + std::string(name) + " is damaged (" + zip_file_strerror(file) + ")");
            if (got == 0) break;
            entryBytes += static_cast<std::uint64_t>(got);
            inflated_ += static_cast<std::uint64_t>(got);
            checkInflated(entry, entryBytes, inflated_);
            chunk(std::string_view(buffer.data(), static_cast<size_t>(got)));
        }
    } catch (...) {
        zip_fclose(file);
        throw;
    }
    zip_fclose(file);
}

std::string ZipReader::read(std::string_view name) {
    std::string out;
    const long long index = indexOf(name);
    if (index >= 0 && entries_[static_cast<size_t>(index)].sizeKnown)
        out.reserve(static_cast<size_t>(entries_[static_cast<size_t>(index)].recorded));  // checked when opened
    stream(name, [&](std::string_view chunk) { out.append(chunk); });
    return out;
}

ZipWriter::ZipWriter() {
    zip_error_t error;
    zip_error_init(&error);
    memory_ = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (memory_) archive_ = zip_open_from_source(memory_, ZIP_TRUNCATE, &error);
    if (!archive_) {
        const std::string text = zip_error_strerror(&error);
        zip_error_fini(&error);
        if (memory_) zip_source_free(memory_);
        throw FormatError("cannot start a zip archive in memory (" + text + ")");
    }
    zip_error_fini(&error);
    zip_source_keep(memory_);  // zip_close() would otherwise free the bytes it has just written
}

ZipWriter::~ZipWriter() {
    if (archive_) zip_discard(archive_);
    zip_source_free(memory_);
}

// One entry deflated into an archive of its own in memory, open for reading, from which the
// package copies the compressed bytes without inflating them.
class ZipWriter::DeflatedEntry {
public:
    DeflatedEntry(const std::string& data, int level) {
        memory_ = zip_source_buffer_create(nullptr, 0, 0, nullptr);
        if (!memory_) throw FormatError("cannot start a zip archive in memory");
        if (!deflateInto(data, level) || !(archive_ = openOwned(ZIP_RDONLY))) {
            zip_source_free(memory_);
            throw FormatError("cannot deflate a part of the archive");
        }
    }
    ~DeflatedEntry() {
        zip_discard(archive_);  // gives back the reference it held on memory_
        zip_source_free(memory_);
    }
    DeflatedEntry(const DeflatedEntry&) = delete;
    DeflatedEntry& operator=(const DeflatedEntry&) = delete;

    // A source for `target` that hands over the deflated bytes as they are.
    zip_source_t* source(zip* target) const { return zip_source_zip(target, archive_, 0, ZIP_FL_COMPRESSED, 0, -1); }

private:
    // An archive on memory_ holding a reference of its own, so that closing it keeps the bytes.
    zip* openOwned(int flags) {
        zip_source_keep(memory_);
        zip* archive = zip_open_from_source(memory_, flags, nullptr);
        if (!archive) zip_source_free(memory_);  // not taken over on failure
        return archive;
    }
    bool deflateInto(const std::string& data, int level) {
        zip* building = openOwned(ZIP_TRUNCATE);
        if (!building) return false;
        zip_source_t* source = zip_source_buffer(building, data.data(), data.size(), 0);
        const bool added = source && zip_file_add(building, "part", source, 0) == 0;
        if (source && !added) zip_source_free(source);
        if (added && zip_set_file_compression(building, 0, ZIP_CM_DEFLATE, static_cast<zip_uint32_t>(level)) == 0 &&
            zip_close(building) == 0)
            return true;
        zip_discard(building);
        return false;
    }

    zip_source_t* memory_ = nullptr;
    zip* archive_ = nullptr;
};

void ZipWriter::add(const std::string& name, std::string data, bool fast) {
    if (!archive_) throw FormatError("the zip archive is already closed");
    Entry entry{name, {}, fast ? 1 : 6, {}};
    if (data.size() >= kBackgroundBytes)
        entry.deflated = std::async(std::launch::async, [data = std::move(data), level = entry.level] {
            return std::make_unique<DeflatedEntry>(data, level);
        });
    else
        entry.data = std::move(data);
    entries_.push_back(std::move(entry));
}

std::string ZipWriter::close() {
    if (!archive_) throw FormatError("the zip archive is already closed");
    std::vector<std::unique_ptr<DeflatedEntry>> deflated;  // read by zip_close(): kept till then
    for (Entry& entry : entries_) {
        const bool inBackground = entry.deflated.valid();
        if (inBackground) deflated.push_back(entry.deflated.get());
        zip_source_t* source = inBackground ? deflated.back()->source(archive_)
                                            : zip_source_buffer(archive_, entry.data.data(), entry.data.size(), 0);
        if (!source) throw FormatError("cannot add " + entry.name + ": " + zip_strerror(archive_));
        const zip_int64_t index = zip_file_add(archive_, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            throw FormatError("cannot add " + entry.name + ": " + zip_strerror(archive_));
        }
        if (!inBackground)
            zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                     static_cast<zip_uint32_t>(entry.level));
    }
    if (zip_close(archive_) != 0)
        throw FormatError(std::string("cannot finish the zip archive (") + zip_strerror(archive_) + ")");
    archive_ = nullptr;
    entries_.clear();
    return readBack();
}

std::string ZipWriter::readBack() {
    const auto failure = [this](const char* step) {
        return FormatError(std::string("cannot ") + step + " the finished zip archive (" +
                           zip_error_strerror(zip_source_error(memory_)) + ")");
    };
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(memory_, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) throw failure("measure");
    if (zip_source_open(memory_) != 0) throw failure("open");
    std::string bytes(static_cast<size_t>(st.size), '\0');
    size_t filled = 0;
    while (filled < bytes.size()) {
        const zip_int64_t got = zip_source_read(memory_, bytes.data() + filled, bytes.size() - filled);
        if (got <= 0) break;
        filled += static_cast<size_t>(got);
    }
    zip_source_close(memory_);
    if (filled != bytes.size()) throw failure("read back");
    return bytes;
}

}  // namespace files
