// The shared string table: parsed (rich text flattened, phonetic runs left out), then written
// again. The written table must read back as the same strings, in first-seen order, whether
// a string is written plainly or as the rich item it was read as.
#include <cstdint>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "files/shared_strings.h"
#include "fuzz_support.h"

namespace {

std::vector<std::u16string> unique(const std::vector<std::u16string>& strings, files::SharedStringWriter& writer) {
    std::vector<std::u16string> out;
    for (const std::u16string& s : strings)
        if (writer.indexOf(s) == out.size()) out.push_back(s);
    return out;
}

void checkWrittenBack(const std::vector<std::u16string>& strings, const files::RichStrings* rich) {
    files::SharedStringWriter writer(rich);
    const std::vector<std::u16string> expected = unique(strings, writer);
    std::vector<std::u16string> back;
    try {
        back = files::parseSharedStrings(writer.toXml());
    } catch (const files::FormatError& e) {
        fuzz::fail("a written string table does not parse", e.what());
    }
    fuzz::require(back == expected, rich ? "rich strings change through a write" : "strings change through a write",
                  writer.toXml());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    files::RichStrings rich;
    std::vector<std::u16string> strings;
    try {
        strings = files::parseSharedStrings(fuzz::bytes(data, size), &rich);
    } catch (const files::FormatError&) {
        return 0;
    }
    checkWrittenBack(strings, nullptr);
    checkWrittenBack(strings, &rich);
    return 0;
}
