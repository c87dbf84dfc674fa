#pragma once
// The shared string table: read (rich text flattened, phonetic runs skipped) and written.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace files {

// Rich text items (runs with their own formatting, phonetic guides) as written, by their
// flattened text, so that saving an unchanged text keeps its formatting.
using RichStrings = std::unordered_map<std::u16string, std::string>;

std::vector<std::u16string> parseSharedStrings(std::string_view xml, RichStrings* rich = nullptr);

class SharedStringWriter {
public:
    explicit SharedStringWriter(const RichStrings* rich = nullptr) : rich_(rich) {}
    std::uint32_t indexOf(const std::u16string& text);
    size_t references() const { return references_; }
    bool empty() const { return strings_.empty(); }
    std::string toXml() const;

private:
    // An open-addressing table of indexes into strings_, with each string's hash beside its
    // index: a save looks up every text cell here, and a node per string cost a cache miss.
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t index = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    void grow();

    const RichStrings* rich_;
    std::vector<std::u16string> strings_;
    std::vector<Slot> slots_ = std::vector<Slot>(1024);  // a power of two, at most half full
    size_t references_ = 0;
};

}  // namespace files
