#pragma once
// A Wine registry file ("WINE REGISTRY Version 2") as a document: sections of keys,
// each with its value lines. Every line keeps the text it was read with, so that a
// file written back is the same byte for byte except where something was changed.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "registry/key_space.h"

namespace registry::wine {

struct Line {
    std::string raw;  // as read, line end included; a value's continuation lines belong to it
    std::optional<StoredValue> value;
};

struct Section {
    KeyPath path;
    std::string header;  // "[Software\\Wine]", as read
    std::string stamp;   // what follows the bracket: " 1700000000"
    std::string lineEnd;
    std::vector<Line> lines;
};

struct Document {
    std::vector<Line> prelude;  // the format line, comments and options before the first key
    std::vector<Section> sections;
    std::string lineEnd = "\n";  // for lines written anew: the file's own
};

class FormatError : public std::runtime_error {
public:
    FormatError(int line, const std::string& reason)
        : std::runtime_error("line " + std::to_string(line) + ": " + reason), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

inline constexpr std::string_view kFormatLine = "WINE REGISTRY Version 2";

Document parseDocument(std::string_view text);  // throws FormatError
std::string writeDocument(const Document& document);
// An empty registry of the format, for a file that does not exist yet.
Document emptyDocument(std::string_view relativeTo);

// A value line as Wine writes it, long hex data folded onto continuation lines.
std::string formatValue(const StoredValue& value, const std::string& lineEnd);
std::string formatHeader(const KeyPath& path);
// The time as Wine stamps a key: seconds since 1970 after the bracket, and a
// "#time=" line with the 100-ns count since 1601.
std::string formatStamp(long long unixSeconds);
std::string formatTimeLine(long long unixSeconds, long nanoseconds, const std::string& lineEnd);

}  // namespace registry::wine
