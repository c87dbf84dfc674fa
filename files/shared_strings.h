#pragma once
// The shared string table: read (rich text flattened, phonetic runs skipped) and written.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/flat_string_map.h"

namespace files {

// Rich text items (runs with their own formatting, phonetic guides) as written, by their
// flattened text, so that saving an unchanged text keeps its formatting.
using RichStrings = std::unordered_map<std::u16string, std::string>;

std::vector<std::u16string> parseSharedStrings(std::string_view xml, RichStrings* rich = nullptr);

// Where a part being written goes, piece by piece.
using PieceSink = std::function<void(std::string_view)>;

class SharedStringWriter {
public:
    explicit SharedStringWriter(const RichStrings* rich = nullptr) : rich_(rich) {}
    // The place of `text`, which must outlive the writer (a cell's own text does).
    std::uint32_t indexOf(std::u16string_view text);
    size_t references() const { return references_; }
    bool empty() const { return index_.size() == 0; }
    std::string toXml() const;
    // The same text, handed to `out` in pieces: a table of a million texts is never held whole.
    void writeXml(const PieceSink& out) const;

private:
    const RichStrings* rich_;
    base::FlatStringMap<std::uint32_t, std::u16string_view> index_;  // text -> its place, in the order added
    size_t references_ = 0;
};

}  // namespace files
