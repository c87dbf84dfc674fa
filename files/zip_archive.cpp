#include "files/zip_archive.h"

#include <zip.h>

#include <cstring>

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

}  // namespace

ZipReader::ZipReader(const std::string& path, InflateLimits limits) : limits_(limits) {
    int code = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive_) throw FormatError("not a readable zip archive (" + zipErrorText(code) + ")");
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        names_.emplace_back(name ? name : "");
    }
}

ZipReader::~ZipReader() {
    if (archive_) zip_discard(archive_);
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
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file) throw FormatError("cannot open the part " + std::string(name) + " (" +
                                 zip_strerror(archive_) + ")");
    // The sizes in the archive may lie, so the bound is on what actually comes out.
    std::string buffer(1 << 16, '\0');
    std::uint64_t entryBytes = 0;
    try {
        for (;;) {
            const zip_int64_t got = zip_fread(file, buffer.data(), buffer.size());
            if (got < 0) throw FormatError("the part " + std::string(name) + " is damaged (" +
                                           zip_file_strerror(file) + ")");
            if (got == 0) break;
            entryBytes += static_cast<std::uint64_t>(got);
            inflated_ += static_cast<std::uint64_t>(got);
            if (entryBytes > limits_.maxEntryBytes || inflated_ > limits_.maxTotalBytes)
                throw FormatError("the part " + std::string(name) +
                                  " inflates beyond the allowed size (a zip bomb?)");
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
    zip_stat_t st;
    const long long index = indexOf(name);
    if (index >= 0 && zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &st) == 0 &&
        (st.valid & ZIP_STAT_SIZE) && st.size <= limits_.maxEntryBytes)
        out.reserve(static_cast<size_t>(st.size));
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

void ZipWriter::add(const std::string& name, std::string data, bool fast) {
    buffers_.push_back(std::move(data));
    const std::string& kept = buffers_.back();
    zip_source_t* source = zip_source_buffer(archive_, kept.data(), kept.size(), 0);
    if (!source) throw FormatError(std::string("cannot add ") + name + ": " + zip_strerror(archive_));
    const zip_int64_t index = zip_file_add(archive_, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        throw FormatError(std::string("cannot add ") + name + ": " + zip_strerror(archive_));
    }
    zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, fast ? 1 : 6);
}

std::string ZipWriter::close() {
    if (!archive_) throw FormatError("the zip archive is already closed");
    if (zip_close(archive_) != 0)
        throw FormatError(std::string("cannot finish the zip archive (") + zip_strerror(archive_) + ")");
    archive_ = nullptr;
    buffers_.clear();
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
