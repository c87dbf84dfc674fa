#pragma once
// WineFileHive — one hive of a Wine prefix, kept in its registry file (user.reg,
// system.reg). The file is read when first needed and again whenever it changes on
// disk. Every change is written at once: the whole document goes to a temporary
// file beside the original, which then replaces it by a rename, so the file is
// never half-written. A missing file is an empty hive until the first write
// creates it; a malformed file is refused and never written.
#include <filesystem>
#include <map>
#include <set>

#include "registry/key_space.h"
#include "registry/wine_document.h"

namespace registry {

class WineFileHive : public KeySpace {
public:
    // `relativeTo` names the hive in the header of a file written anew.
    WineFileHive(std::filesystem::path file, std::string relativeTo);

    RegResult status() override;
    std::uint64_t generation() override;
    // Why the file cannot be read (its path, the line, the reason), or why the last write
    // failed; empty when neither, and cleared when the file is read anew.
    const std::string& problem() const { return problem_; }
    const std::filesystem::path& file() const { return file_; }

    bool keyExists(const KeyPath& path) override;
    std::vector<std::u16string> subKeyNames(const KeyPath& path) override;
    std::vector<StoredValue> values(const KeyPath& path) override;
    RegResult createKey(const KeyPath& path) override;
    RegResult deleteKey(const KeyPath& path) override;
    RegResult setValue(const KeyPath& path, const StoredValue& value) override;
    RegResult deleteValue(const KeyPath& path, std::u16string_view name) override;

private:
    struct FileStamp {
        bool exists = false;
        std::uintmax_t size = 0, inode = 0;
        long long seconds = 0, nanoseconds = 0;
        bool operator==(const FileStamp&) const = default;
    };
    FileStamp stampNow() const;
    void refresh();
    void reindex();
    RegResult save();
    std::vector<size_t> sectionsOf(const KeyPath& path) const;
    size_t insertSection(const KeyPath& path);
    void touch(wine::Section& section);

    std::filesystem::path file_;
    std::string relativeTo_;
    std::optional<FileStamp> loadedStamp_;
    bool malformed_ = false;
    std::string problem_;
    wine::Document document_;
    std::uint64_t generation_ = 0;
    // Folded paths: of each section, of every key (sections and their parents), and
    // each key's sub-keys in the order they first appear.
    std::multimap<std::u16string, size_t> sectionIndex_;
    std::set<std::u16string> keys_;
    std::map<std::u16string, std::vector<std::u16string>> children_;
};

}  // namespace registry
