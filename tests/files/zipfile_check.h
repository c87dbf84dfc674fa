#pragma once
// Other readers and writers of zip archives than our own: Python's zipfile reading back an
// archive we wrote, and archives written here byte by byte around zlib's deflate.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace files::test {

// "<first bad entry's name or None> [<each entry's compression method>, ...]\n"; empty when
// /usr/bin/python3 could not tell.
std::string zipfileCheck(const std::string& archive);

// `text` as zlib deflates it, raw (as a zip entry holds it), at its most thorough level.
// Unfinished, it ends with a sync flush instead of the final block: a stream cut where a
// block ends.
std::string zlibDeflated(std::string_view text, bool finished = true);
std::uint32_t zlibCrc(std::string_view text);

// An entry of an archive written byte by byte: its bytes as stored, and what the archive
// records for it, right or wrong.
struct RawEntry {
    std::string name;
    std::string stored;
    std::uint16_t method = 8;  // 8 deflated, 0 stored
    std::uint32_t crc = 0;
    std::uint32_t size = 0;  // inflated
};
// A deflated entry recording `text`'s CRC and size, its bytes zlib's.
RawEntry zlibEntry(const std::string& name, std::string_view text);
// The archive holding `entries` in this order, its local and central headers agreeing.
std::string zipOf(const std::vector<RawEntry>& entries);

}  // namespace files::test
