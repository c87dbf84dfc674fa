// A part's relationships: parsed, written and parsed back to the same items; every internal
// target resolved to a part name, and the relative target written for that part resolving
// to it again.
#include <cstdint>
#include <string>

#include "files/file_error.h"
#include "files/relationships.h"
#include "fuzz_support.h"

namespace {

bool sameItems(const files::Relationships& a, const files::Relationships& b) {
    if (a.items.size() != b.items.size()) return false;
    for (size_t i = 0; i < a.items.size(); ++i) {
        const files::Relationship &x = a.items[i], &y = b.items[i];
        if (x.id != y.id || x.type != y.type || x.target != y.target || x.external != y.external) return false;
    }
    return true;
}

void checkTargets(const files::Relationships& rels) {
    static const char* const kSources[] = {"", "xl/workbook.xml", "xl/worksheets/sheet1.xml"};
    for (const files::Relationship& r : rels.items) {
        if (r.external) continue;
        for (const char* source : kSources) {
            const std::string part = files::resolveTarget(source, r.target);
            // Part names with '%' or '#' read differently as targets (escapes, fragments).
            if (part.empty() || part.find_first_of("%#") != std::string::npos) continue;
            const std::string relative = files::relativeTarget(source, part);
            fuzz::require(files::resolveTarget(source, relative) == part, "a relative target names another part",
                          std::string(source) + " -> " + part + " via " + relative);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    files::Relationships rels;
    try {
        rels = files::Relationships::parse(fuzz::bytes(data, size));
    } catch (const files::FormatError&) {
        return 0;
    }
    const std::string written = rels.toXml();
    files::Relationships back;
    try {
        back = files::Relationships::parse(written);
    } catch (const files::FormatError& e) {
        fuzz::fail("written relationships do not parse", std::string(e.what()) + "\n" + written);
    }
    fuzz::require(sameItems(rels, back), "relationships changed through a write", written);
    checkTargets(rels);
    for (const files::Relationship& r : rels.items) {
        rels.firstOfKind(r.kind());
        rels.byId(r.id);
    }
    rels.add("worksheet", "worksheets/new.xml");
    return 0;
}
