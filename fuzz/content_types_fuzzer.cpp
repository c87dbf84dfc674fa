// [Content_Types].xml: parsed, written and parsed back to the same defaults and overrides;
// the type of each named part looked up.
#include <cstdint>
#include <string>

#include "files/content_types.h"
#include "files/file_error.h"
#include "fuzz_support.h"

namespace {

bool same(const std::vector<files::ContentTypes::Entry>& a, const std::vector<files::ContentTypes::Entry>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].key != b[i].key || a[i].type != b[i].type) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    files::ContentTypes types;
    try {
        types = files::ContentTypes::parse(fuzz::bytes(data, size));
    } catch (const files::FormatError&) {
        return 0;
    }
    const std::string written = types.toXml();
    files::ContentTypes back;
    try {
        back = files::ContentTypes::parse(written);
    } catch (const files::FormatError& e) {
        fuzz::fail("written content types do not parse", std::string(e.what()) + "\n" + written);
    }
    fuzz::require(same(types.defaults, back.defaults) && same(types.overrides, back.overrides),
                  "content types changed through a write", written);
    for (const files::ContentTypes::Entry& e : types.overrides) types.of(e.key);
    types.of("xl/worksheets/sheet1.xml");
    return 0;
}
