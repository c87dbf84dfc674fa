// A Wine registry file (user.reg). Parsed, an unchanged document must be written back byte
// for byte; a bad one is refused with a FormatError only. Read as a hive, every key it names
// answers its sub-keys and values; then a value is set on one of its keys and on a new key,
// and the file written must read again with both values and every other value as it was.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "host/text.h"
#include "registry/wine_document.h"
#include "registry/wine_file_hive.h"

namespace {

using registry::KeyPath;
using registry::StoredValue;

StoredValue marker(const std::u16string& name) {
    return StoredValue{name, registry::REG_SZ, {'f', 0, 'u', 0, 'z', 0, 'z', 0, 0, 0}};
}

bool hasValue(registry::WineFileHive& hive, const KeyPath& key, const StoredValue& value) {
    for (const StoredValue& v : hive.values(key))
        if (v == value) return true;
    return false;
}

bool sameKey(const KeyPath& a, const KeyPath& b) {
    auto fold = [](const KeyPath& path) {
        std::u16string out;
        for (const std::u16string& part : path) {
            for (char16_t c : part) out += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
            out += u'\\';
        }
        return out;
    };
    return fold(a) == fold(b);
}

// Every key's values as read, to compare after a write.
std::vector<std::vector<StoredValue>> allValues(registry::WineFileHive& hive, const registry::wine::Document& doc) {
    std::vector<std::vector<StoredValue>> out;
    for (const registry::wine::Section& s : doc.sections) out.push_back(hive.values(s.path));
    return out;
}

void changeAndReread(std::string_view text, const registry::wine::Document& doc) {
    const std::filesystem::path file = fuzz::processFolder("registry") / "user.reg";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    registry::WineFileHive hive(file, "\\\\User\\\\S-1-5-21");
    if (hive.status() != registry::kSuccess) fuzz::fail("a file that parses is refused as a hive", hive.problem());
    for (const registry::wine::Section& s : doc.sections) {
        fuzz::require(hive.keyExists(s.path), "a key of the file does not exist in its hive");
        hive.subKeyNames(s.path);
    }
    const std::vector<std::vector<StoredValue>> before = allValues(hive, doc);
    const KeyPath fresh{u"Software", u"Fuzz", u"New"};
    const StoredValue added = marker(u"added");
    fuzz::require(hive.createKey(fresh) == registry::kSuccess, "a key could not be created", hive.problem());
    fuzz::require(hive.setValue(fresh, added) == registry::kSuccess, "a value could not be set", hive.problem());
    registry::WineFileHive reread(file, "\\\\User\\\\S-1-5-21");
    fuzz::require(reread.status() == registry::kSuccess, "a hive written by us is refused", reread.problem());
    fuzz::require(hasValue(reread, fresh, added), "a value set is not in the file written");
    const std::vector<std::vector<StoredValue>> after = allValues(reread, doc);
    for (size_t i = 0; i < doc.sections.size(); ++i)
        if (!sameKey(doc.sections[i].path, fresh))
            fuzz::require(before[i] == after[i], "values of a key nobody changed differ after a write",
                          doc.sections[i].header);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view text = fuzz::bytes(data, size);
    registry::wine::Document doc;
    try {
        doc = registry::wine::parseDocument(text);
    } catch (const registry::wine::FormatError&) {
        return 0;
    }
    fuzz::require(registry::wine::writeDocument(doc) == text,
                  "an unchanged registry file is not written back as it was");
    if (doc.sections.size() <= 64) changeAndReread(text, doc);
    return 0;
}
