#pragma once
// The shared string table: read (rich text flattened, phonetic runs skipped) and written.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace files {

std::vector<std::u16string> parseSharedStrings(std::string_view xml);

class SharedStringWriter {
public:
    std::uint32_t indexOf(const std::u16string& text);
    size_t references() const { return references_; }
    bool empty() const { return strings_.empty(); }
    std::string toXml() const;

private:
    std::unordered_map<std::u16string, std::uint32_t> index_;
    std::vector<const std::u16string*> strings_;
    size_t references_ = 0;
};

}  // namespace files
