#include "registry/wine_file_hive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include "base/atomic_file.h"
#include "registry/caseless.h"

namespace registry {

namespace {

std::u16string foldedKey(const KeyPath& path, size_t count) {
    std::u16string key;
    for (size_t i = 0; i < count; ++i) {
        if (i) key += u'\\';
        key += foldName(path[i]);
    }
    return key;
}

// Depth-first order of the keys, siblings compared without regard to case.
bool keyBefore(const KeyPath& a, const KeyPath& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const std::u16string fa = foldName(a[i]), fb = foldName(b[i]);
        if (fa != fb) return fa < fb;
    }
    return a.size() < b.size();
}

timespec now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts;
}

bool isBlank(const wine::Line& line) { return line.raw.find_first_not_of(" \t\r\n") == std::string::npos; }

// A line appended after this one must not run on from it.
void endLine(std::vector<wine::Line>& lines, const std::string& lineEnd) {
    if (!lines.empty() && !lines.back().raw.empty() && lines.back().raw.back() != '\n') lines.back().raw += lineEnd;
}

}  // namespace

WineFileHive::WineFileHive(std::filesystem::path file, std::string relativeTo)
    : file_(std::move(file)), relativeTo_(std::move(relativeTo)) {}

WineFileHive::FileStamp WineFileHive::stampNow() const {
    struct stat st {};
    if (::stat(file_.c_str(), &st) != 0) return {};
    return {true, static_cast<std::uintmax_t>(st.st_size), static_cast<std::uintmax_t>(st.st_ino), st.st_mtim.tv_sec,
            st.st_mtim.tv_nsec};
}

void WineFileHive::refresh() {
    const FileStamp stamp = stampNow();
    if (loadedStamp_ && *loadedStamp_ == stamp) return;
    loadedStamp_ = stamp;
    ++generation_;
    malformed_ = false;
    problem_.clear();
    document_ = wine::emptyDocument(relativeTo_);
    if (stamp.exists) {
        std::ifstream in(file_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        try {
            if (!in) throw std::runtime_error(std::string("cannot be read: ") + std::strerror(errno));
            document_ = wine::parseDocument(text.str());
        } catch (const std::exception& e) {
            malformed_ = true;
            problem_ = file_.string() + ": " + e.what();
            document_ = {};
        }
    }
    reindex();
}

void WineFileHive::reindex() {
    sectionIndex_.clear();
    keys_ = {u""};
    children_.clear();
    for (size_t i = 0; i < document_.sections.size(); ++i) {
        const KeyPath& path = document_.sections[i].path;
        for (size_t level = 1; level <= path.size(); ++level)
            if (keys_.insert(foldedKey(path, level)).second)
                children_[foldedKey(path, level - 1)].push_back(path[level - 1]);
        sectionIndex_.emplace(foldedKey(path, path.size()), i);
    }
}

RegResult WineFileHive::status() {
    refresh();
    return malformed_ ? kBadDatabase : kSuccess;
}

std::uint64_t WineFileHive::generation() {
    refresh();
    return generation_;
}

std::vector<size_t> WineFileHive::sectionsOf(const KeyPath& path) const {
    std::vector<size_t> found;
    auto [from, to] = sectionIndex_.equal_range(foldedKey(path, path.size()));
    for (auto it = from; it != to; ++it) found.push_back(it->second);
    std::sort(found.begin(), found.end());
    return found;
}

bool WineFileHive::keyExists(const KeyPath& path) {
    refresh();
    return !malformed_ && keys_.count(foldedKey(path, path.size()));
}

std::vector<std::u16string> WineFileHive::subKeyNames(const KeyPath& path) {
    refresh();
    auto it = children_.find(foldedKey(path, path.size()));
    return it == children_.end() ? std::vector<std::u16string>{} : it->second;
}

std::vector<StoredValue> WineFileHive::values(const KeyPath& path) {
    refresh();
    std::vector<StoredValue> out;
    // A key written in two sections has the values of both; a later one wins.
    for (size_t index : sectionsOf(path)) {
        for (const wine::Line& line : document_.sections[index].lines) {
            if (!line.value) continue;
            auto same = std::find_if(out.begin(), out.end(),
                                     [&](const StoredValue& v) { return sameName(v.name, line.value->name); });
            if (same == out.end())
                out.push_back(*line.value);
            else {
                same->type = line.value->type;
                same->data = line.value->data;
            }
        }
    }
    return out;
}

void WineFileHive::touch(wine::Section& section) {
    const timespec t = now();
    section.stamp = wine::formatStamp(t.tv_sec);
    for (wine::Line& line : section.lines) {
        if (line.raw.rfind("#time=", 0) == 0) {
            line.raw = wine::formatTimeLine(t.tv_sec, t.tv_nsec, document_.lineEnd);
            break;
        }
    }
}

size_t WineFileHive::insertSection(const KeyPath& path) {
    auto& sections = document_.sections;
    const size_t at =
        static_cast<size_t>(std::find_if(sections.begin(), sections.end(),
                                         [&](const wine::Section& s) { return keyBefore(path, s.path); }) -
                            sections.begin());
    const std::string& end = document_.lineEnd;
    std::vector<wine::Line>& before = at == 0 ? document_.prelude : sections[at - 1].lines;
    endLine(before, end);
    if (before.empty() || !isBlank(before.back())) before.push_back({end, std::nullopt});

    const timespec t = now();
    wine::Section section{path,
                          wine::formatHeader(path),
                          wine::formatStamp(t.tv_sec),
                          end,
                          {{wine::formatTimeLine(t.tv_sec, t.tv_nsec, end), std::nullopt}}};
    if (at < sections.size()) section.lines.push_back({end, std::nullopt});
    sections.insert(sections.begin() + static_cast<std::ptrdiff_t>(at), std::move(section));
    reindex();
    return at;
}

RegResult WineFileHive::createKey(const KeyPath& path) {
    refresh();
    if (malformed_) return kBadDatabase;
    if (keys_.count(foldedKey(path, path.size()))) return kSuccess;
    insertSection(path);
    return save();
}

RegResult WineFileHive::deleteKey(const KeyPath& path) {
    refresh();
    if (malformed_) return kBadDatabase;
    const std::vector<size_t> found = sectionsOf(path);
    if (found.empty()) return kFileNotFound;
    for (auto it = found.rbegin(); it != found.rend(); ++it)
        document_.sections.erase(document_.sections.begin() + static_cast<std::ptrdiff_t>(*it));
    reindex();
    // A parent held up only by this key would vanish with it; give it a section.
    const KeyPath parent(path.begin(), path.end() - 1);
    if (!parent.empty() && !keys_.count(foldedKey(parent, parent.size()))) insertSection(parent);
    return save();
}

RegResult WineFileHive::setValue(const KeyPath& path, const StoredValue& value) {
    refresh();
    if (malformed_) return kBadDatabase;
    std::vector<size_t> found = sectionsOf(path);
    if (found.empty()) found.push_back(insertSection(path));  // a key that had only sub-keys
    for (auto index = found.rbegin(); index != found.rend(); ++index) {
        wine::Section& section = document_.sections[*index];
        for (wine::Line& line : section.lines) {
            if (!line.value || !sameName(line.value->name, value.name)) continue;
            line.value->type = value.type;  // the name keeps its spelling
            line.value->data = value.data;
            line.raw = wine::formatValue(*line.value, document_.lineEnd);
            touch(section);
            return save();
        }
    }
    wine::Section& section = document_.sections[found.back()];
    auto& lines = section.lines;
    auto at = lines.end();
    while (at != lines.begin() && isBlank(*(at - 1))) --at;
    if (at != lines.begin() && (at - 1)->raw.back() != '\n') (at - 1)->raw += document_.lineEnd;
    lines.insert(at, wine::Line{wine::formatValue(value, document_.lineEnd), value});
    touch(section);
    return save();
}

RegResult WineFileHive::deleteValue(const KeyPath& path, std::u16string_view name) {
    refresh();
    if (malformed_) return kBadDatabase;
    bool removed = false;
    for (size_t index : sectionsOf(path)) {
        wine::Section& section = document_.sections[index];
        const size_t before = section.lines.size();
        std::erase_if(section.lines,
                      [&](const wine::Line& line) { return line.value && sameName(line.value->name, name); });
        if (section.lines.size() != before) {
            removed = true;
            touch(section);
        }
    }
    return removed ? save() : kFileNotFound;
}

RegResult WineFileHive::save() {
    try {
        base::replaceFileContent(file_, wine::writeDocument(document_));
    } catch (const base::FileWriteError& e) {
        loadedStamp_.reset();  // back to what the file holds
        refresh();
        problem_ = e.what();
        return kRegistryIoFailed;
    }
    loadedStamp_ = stampNow();
    ++generation_;
    return kSuccess;
}

}  // namespace registry
