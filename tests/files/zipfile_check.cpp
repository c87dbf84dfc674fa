#include "zipfile_check.h"

#include <zlib.h>

#include <cstdio>
#include <stdexcept>

namespace files::test {

std::string zipfileCheck(const std::string& archive) {
    const std::string check =
        "/usr/bin/python3 -c \"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
        "print(z.testzip(), [i.compress_type for i in z.infolist()])\" " +
        archive;
    FILE* pipe = ::popen(check.c_str(), "r");
    if (!pipe) return "";
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    ::pclose(pipe);
    return read ? line : "";
}

std::string zlibDeflated(std::string_view text, bool finished) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::string out(deflateBound(&stream, static_cast<uLong>(text.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, finished ? Z_FINISH : Z_SYNC_FLUSH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != (finished ? Z_STREAM_END : Z_OK) || stream.avail_in != 0)
        throw std::runtime_error("zlib did not deflate the whole text");
    return out;
}

std::uint32_t zlibCrc(std::string_view text) {
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
}

RawEntry zlibEntry(const std::string& name, std::string_view text) {
    return RawEntry{name, zlibDeflated(text), 8, zlibCrc(text), static_cast<std::uint32_t>(text.size())};
}

std::string zipOf(const std::vector<RawEntry>& entries) {
    std::string zip, central;
    const auto put = [](std::string& to, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) to += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    // From the version needed to the name's length: the same in both headers.
    const auto common = [&](std::string& to, const RawEntry& entry) {
        put(to, 20, 2);  // version needed: 2.0, deflate
        put(to, 0, 2);   // flags
        put(to, entry.method, 2);
        put(to, 0, 2);     // time: midnight
        put(to, 0x21, 2);  // date: 1980-01-01
        put(to, entry.crc, 4);
        put(to, static_cast<std::uint32_t>(entry.stored.size()), 4);
        put(to, entry.size, 4);
        put(to, static_cast<std::uint32_t>(entry.name.size()), 2);
        put(to, 0, 2);  // extra field's length
    };
    for (const RawEntry& entry : entries) {
        const auto offset = static_cast<std::uint32_t>(zip.size());
        put(zip, 0x04034b50, 4);
        common(zip, entry);
        zip += entry.name;
        zip += entry.stored;
        put(central, 0x02014b50, 4);
        put(central, 20, 2);  // made by: 2.0, MS-DOS
        common(central, entry);
        put(central, 0, 2);  // comment's length
        put(central, 0, 2);  // disk
        put(central, 0, 2);  // internal attributes
        put(central, 0, 4);  // external attributes
        put(central, offset, 4);
        central += entry.name;
    }
    const auto centralAt = static_cast<std::uint32_t>(zip.size());
    zip += central;
    put(zip, 0x06054b50, 4);
    put(zip, 0, 2);  // this disk
    put(zip, 0, 2);  // the central directory's disk
    put(zip, static_cast<std::uint32_t>(entries.size()), 2);
    put(zip, static_cast<std::uint32_t>(entries.size()), 2);
    put(zip, static_cast<std::uint32_t>(central.size()), 4);
    put(zip, centralAt, 4);
    put(zip, 0, 2);  // comment's length
    return zip;
}

}  // namespace files::test
