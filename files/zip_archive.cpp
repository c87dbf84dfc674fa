#include "files/zip_archive.h"

#include <isa-l.h>
#include <zip.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

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

// Deflate levels. ISA-L deflates the parts made ahead of the close: level 1 for the parts
// asked fast, 2 for the others (its level 3 came out both slower and larger on sheet XML).
// libzip deflates the small parts itself, through zlib, at zlib's levels.
constexpr int kIsalFast = 1, kIsalThorough = 2;
constexpr int kZlibFast = 1, kZlibDefault = 6;

// An entry's raw deflate bytes, read through libzip as the archive stores them, inflated with
// ISA-L a buffer at a time; keeps the CRC of what comes out for the caller to compare.
class Inflation {
public:
    explicit Inflation(zip_file_t* file) : file_(file), state_(std::make_unique<inflate_state>()), in_(kInStep) {
        isal_inflate_init(state_.get());
        state_->crc_flag = ISAL_DEFLATE;
    }

    // Up to `capacity` inflated bytes into `out`: how many, 0 once the stream has ended, -1 when
    // the bytes are damaged (problem() says how).
    zip_int64_t read(char* out, size_t capacity) {
        inflate_state& s = *state_;
        s.next_out = reinterpret_cast<std::uint8_t*>(out);
        s.avail_out = static_cast<std::uint32_t>(std::min<size_t>(capacity, std::numeric_limits<std::uint32_t>::max()));
        const std::uint32_t room = s.avail_out;
        while (s.avail_out > 0 && s.block_state != ISAL_BLOCK_FINISH) {
            if (s.avail_in == 0 && !inputEnded_) {
                const zip_int64_t got = zip_fread(file_, in_.data(), in_.size());
                if (got < 0) return fail(zip_file_strerror(file_));
                inputEnded_ = got == 0;
                s.next_in = in_.data();
                s.avail_in = static_cast<std::uint32_t>(got);
            }
            const std::uint32_t inBefore = s.avail_in, outBefore = s.avail_out;
            const isal_block_state blockBefore = s.block_state;
            if (isal_inflate(&s) < 0) return fail("its deflated bytes are not a valid deflate stream");
            const bool stuck = s.avail_in == inBefore && s.avail_out == outBefore && s.block_state == blockBefore;
            if (stuck && s.avail_in > 0) return fail("its deflated bytes are not a valid deflate stream");
            if (stuck && inputEnded_) return fail("its deflated bytes end before the deflate stream does");
        }
        const std::uint32_t made = room - s.avail_out;
        crc_ = crc32_gzip_refl(crc_, reinterpret_cast<const unsigned char*>(out), made);
        return made;
    }
    std::uint32_t crc() const { return crc_; }
    const std::string& problem() const { return problem_; }

private:
    static constexpr size_t kInStep = 1u << 16;

    zip_int64_t fail(std::string problem) {
        problem_ = std::move(problem);
        return -1;
    }

    zip_file_t* file_;
    std::unique_ptr<inflate_state> state_;  // tens of kilobytes of tables and window
    std::vector<std::uint8_t> in_;
    bool inputEnded_ = false;
    std::uint32_t crc_ = 0;
    std::string problem_;
};

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
            // Anything else (stored, encrypted, other methods) goes through libzip's own reading.
            entry.plainDeflate = entry.sizeKnown && (st.valid & ZIP_STAT_COMP_METHOD) &&
                                 st.comp_method == ZIP_CM_DEFLATE && (st.valid & ZIP_STAT_ENCRYPTION_METHOD) &&
                                 st.encryption_method == ZIP_EM_NONE && (st.valid & ZIP_STAT_CRC);
            entry.crc = st.crc;
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
    // A deflated entry is read as the archive stores it and inflated here, faster than libzip does.
    zip_file_t* file =
        zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), entry.plainDeflate ? ZIP_FL_COMPRESSED : 0);
    if (!file) throw FormatError("cannot open the part " + std::string(name) + " (" + zip_strerror(archive_) + ")");
    std::optional<Inflation> inflation;
    if (entry.plainDeflate) inflation.emplace(file);
    const auto damaged = [&](const std::string& why) {
        return FormatError("the part " + std::string(name) + " is damaged (" + why + ")");
    };
    // The recorded sizes were checked when opening; the bounds hold again for what comes out.
    std::string buffer(1 << 16, '\0');
    std::uint64_t entryBytes = 0;
    try {
        for (;;) {
            const zip_int64_t got = inflation ? inflation->read(buffer.data(), buffer.size())
                                              : zip_fread(file, buffer.data(), buffer.size());
            if (got < 0) throw damaged(inflation ? inflation->problem() : zip_file_strerror(file));
            if (got == 0) break;
            entryBytes += static_cast<std::uint64_t>(got);
            inflated_ += static_cast<std::uint64_t>(got);
            checkInflated(entry, entryBytes, inflated_);
            chunk(std::string_view(buffer.data(), static_cast<size_t>(got)));
        }
        // More than the recorded size was refused above, as libzip checks what it inflates.
        if (inflation && entryBytes < entry.recorded)
            throw damaged("it inflates to fewer bytes than its archive entry records");
        if (inflation && inflation->crc() != entry.crc) throw damaged("CRC error");
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

// A part deflated ahead of the archive's close: raw deflate bytes, as an entry holds them,
// with the size and CRC the entry records. As a libzip source it says its bytes are deflated already,
// so the archive copies them as they are.
struct ZipWriter::RawDeflate {
    std::string bytes;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    size_t readAt = 0;
    zip_error_t error{};

    static zip_int64_t source(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
        auto& part = *static_cast<RawDeflate*>(state);
        switch (command) {
        case ZIP_SOURCE_OPEN: part.readAt = 0; return 0;
        case ZIP_SOURCE_READ: {
            const size_t n = std::min(static_cast<size_t>(length), part.bytes.size() - part.readAt);
            std::memcpy(data, part.bytes.data() + part.readAt, n);
            part.readAt += n;
            return static_cast<zip_int64_t>(n);
        }
        case ZIP_SOURCE_STAT: {
            auto* st = static_cast<zip_stat_t*>(data);
            zip_stat_init(st);
            st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
            st->size = part.size;
            st->comp_size = part.bytes.size();
            st->comp_method = ZIP_CM_DEFLATE;
            st->crc = part.crc;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR: return zip_error_to_data(&part.error, data, length);
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE: return 0;  // the writer's entry owns the bytes
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default: zip_error_set(&part.error, ZIP_ER_OPNOTSUPP, 0); return -1;
        }
    }
};

// A raw deflate stream into a RawDeflate, fed piece by piece, made by ISA-L.
class ZipWriter::Deflation {
public:
    // `level` is ISA-L's, 0 to ISAL_DEF_MAX_LEVEL.
    explicit Deflation(int level)
        : part_(std::make_shared<RawDeflate>()),
          stream_(std::make_unique<isal_zstream>()),
          levelBuffer_(levelBufferBytes(level)) {
        isal_deflate_init(stream_.get());
        stream_->level = static_cast<std::uint32_t>(level);
        stream_->level_buf = levelBuffer_.data();
        stream_->level_buf_size = static_cast<std::uint32_t>(levelBuffer_.size());
        stream_->gzip_flag = IGZIP_DEFLATE;  // raw: the zip entry is its own wrapper
        stream_->flush = NO_FLUSH;
    }
    Deflation(const Deflation&) = delete;
    Deflation& operator=(const Deflation&) = delete;

    // False when ISA-L fails; `last` ends the stream.
    bool feed(std::string_view piece, bool last) {
        constexpr size_t kSlice = 1u << 30;  // ISA-L counts in 32 bits
        isal_zstream& s = *stream_;
        do {
            const std::string_view slice = piece.substr(0, kSlice);
            piece.remove_prefix(slice.size());
            auto* in = reinterpret_cast<const std::uint8_t*>(slice.data());
            part_->crc = crc32_gzip_refl(part_->crc, in, slice.size());
            part_->size += slice.size();
            s.next_in = const_cast<std::uint8_t*>(in);
            s.avail_in = static_cast<std::uint32_t>(slice.size());
            s.end_of_stream = last && piece.empty();
            do {
                const size_t had = part_->bytes.size();
                part_->bytes.resize(had + kOutStep);
                s.next_out = reinterpret_cast<std::uint8_t*>(part_->bytes.data() + had);
                s.avail_out = kOutStep;
                const int result = isal_deflate(&s);
                part_->bytes.resize(had + kOutStep - s.avail_out);
                if (result != COMP_OK) return false;
            } while (s.avail_out == 0 || s.avail_in > 0 || (s.end_of_stream && s.internal_state.state != ZSTATE_END));
        } while (!piece.empty());
        return true;
    }
    const std::shared_ptr<RawDeflate>& part() const { return part_; }

    // A whole text deflated at once.
    static std::shared_ptr<RawDeflate> whole(std::string_view text, int level) {
        Deflation deflation(level);
        if (!deflation.feed(text, true)) throw FormatError("cannot deflate a part of the archive");
        return deflation.part_;
    }

private:
    static constexpr std::uint32_t kOutStep = 1u << 16;

    static size_t levelBufferBytes(int level) {
        switch (level) {
        case 0: return ISAL_DEF_LVL0_DEFAULT;
        case 1: return ISAL_DEF_LVL1_DEFAULT;
        case 2: return ISAL_DEF_LVL2_DEFAULT;
        default: return ISAL_DEF_LVL3_DEFAULT;
        }
    }

    std::shared_ptr<RawDeflate> part_;
    std::unique_ptr<isal_zstream> stream_;  // holds its window: tens of kilobytes
    std::vector<std::uint8_t> levelBuffer_;
};

// Deflates a part's pieces on a thread of its own as they come. The maker waits when it is
// more than a few pieces ahead, so that the pieces held stay few.
class ZipWriter::PartDeflater {
public:
    explicit PartDeflater(int level) : deflation_(level) {
        worker_ = std::thread([this] { run(); });
    }
    ~PartDeflater() { stop(); }
    PartDeflater(const PartDeflater&) = delete;
    PartDeflater& operator=(const PartDeflater&) = delete;

    void write(std::string piece) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return queue_.size() < kPiecesAhead; });
        queue_.push_back(std::move(piece));
        changed_.notify_all();
    }

    std::shared_ptr<RawDeflate> finish() {
        stop();
        if (failed_) throw FormatError("cannot deflate a part of the archive");
        return deflation_.part();
    }

private:
    static constexpr size_t kPiecesAhead = 4;

    void stop() {
        {
            const std::lock_guard lock(mutex_);
            ending_ = true;
        }
        changed_.notify_all();
        if (worker_.joinable()) worker_.join();
    }

    void run() {
        for (;;) {
            std::string piece;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return !queue_.empty() || ending_; });
                if (queue_.empty()) break;
                piece = std::move(queue_.front());
                queue_.pop_front();
            }
            changed_.notify_all();
            if (!failed_) failed_ = !deflation_.feed(piece, false);
        }
        if (!failed_) failed_ = !deflation_.feed({}, true);
    }

    Deflation deflation_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> queue_;
    bool ending_ = false;
    bool failed_ = false;  // the worker's alone until it is joined
    std::thread worker_;
};

void ZipWriter::addMade(const std::string& name, const std::function<void(const PieceSink&)>& make) {
    if (!archive_) throw FormatError("the zip archive is already closed");
    std::string pending;
    std::unique_ptr<PartDeflater> deflater;
    make([&](std::string_view piece) {
        pending.append(piece);
        if (pending.size() < kBackgroundBytes) return;
        if (!deflater) deflater = std::make_unique<PartDeflater>(kIsalFast);
        deflater->write(std::exchange(pending, {}));
    });
    if (!deflater) {
        add(name, std::move(pending));
        return;
    }
    deflater->write(std::move(pending));
    std::promise<std::shared_ptr<RawDeflate>> made;
    made.set_value(deflater->finish());
    entries_.push_back(Entry{name, {}, kZlibFast, made.get_future()});
}

bool ZipWriter::holds(const std::string& name) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; });
}

void ZipWriter::arrange(const std::vector<std::string>& names) {
    std::vector<Entry> arranged;
    std::vector<bool> placed(entries_.size(), false);
    for (const std::string& name : names)
        for (size_t i = 0; i < entries_.size(); ++i)
            if (!placed[i] && entries_[i].name == name) {
                placed[i] = true;
                arranged.push_back(std::move(entries_[i]));
                break;
            }
    entries_ = std::move(arranged);
}

void ZipWriter::add(const std::string& name, std::string data, bool fast) {
    if (!archive_) throw FormatError("the zip archive is already closed");
    Entry entry{name, {}, fast ? kZlibFast : kZlibDefault, {}};
    if (data.size() >= kBackgroundBytes)
        // The text goes as soon as it is deflated, not when the archive closes.
        entry.deflated = std::async(std::launch::async,
                                    [data = std::move(data), level = fast ? kIsalFast : kIsalThorough]() mutable {
                                        const std::string text = std::move(data);
                                        return Deflation::whole(text, level);
                                    });
    else
        entry.data = std::move(data);
    entries_.push_back(std::move(entry));
}

std::string ZipWriter::close() {
    std::string bytes;
    close([&](std::string_view piece) { bytes += piece; });
    return bytes;
}

void ZipWriter::close(const PieceSink& out) {
    if (!archive_) throw FormatError("the zip archive is already closed");
    std::vector<std::shared_ptr<RawDeflate>> deflated;  // read by zip_close(): kept till then
    for (Entry& entry : entries_) {
        const bool inBackground = entry.deflated.valid();
        zip_source_t* source = nullptr;
        if (inBackground) {
            deflated.push_back(entry.deflated.get());
            source = zip_source_function(archive_, &RawDeflate::source, deflated.back().get());
        } else {
            source = zip_source_buffer(archive_, entry.data.data(), entry.data.size(), 0);
        }
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
    readBack(out);
}

void ZipWriter::readBack(const PieceSink& out) {
    const auto failure = [this](const char* step) {
        return FormatError(std::string("cannot ") + step + " the finished zip archive (" +
                           zip_error_strerror(zip_source_error(memory_)) + ")");
    };
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(memory_, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) throw failure("measure");
    if (zip_source_open(memory_) != 0) throw failure("open");
    std::string piece(std::min<std::uint64_t>(st.size, 1u << 20), '\0');
    std::uint64_t handed = 0;
    try {
        while (handed < st.size) {
            const zip_int64_t got = zip_source_read(memory_, piece.data(), piece.size());
            if (got <= 0) break;
            out(std::string_view(piece.data(), static_cast<size_t>(got)));
            handed += static_cast<std::uint64_t>(got);
        }
    } catch (...) {
        zip_source_close(memory_);
        throw;
    }
    zip_source_close(memory_);
    if (handed != st.size) throw failure("read back");
}

}  // namespace files
