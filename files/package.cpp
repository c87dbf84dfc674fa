#include "files/package.h"

#include <algorithm>
#include <set>

namespace files {

const std::string* Package::find(std::string_view part) const {
    const auto it = parts_.find(std::string(part));
    return it == parts_.end() ? nullptr : &it->second;
}

void Package::put(const std::string& part, std::string bytes) {
    const auto [it, added] = parts_.insert_or_assign(part, std::move(bytes));
    if (added) order_.push_back(part);
}

std::string Package::take(const std::string& part) {
    const auto it = parts_.find(part);
    return it == parts_.end() ? std::string() : std::move(it->second);
}

void Package::remove(const std::string& part) {
    if (parts_.erase(part) == 0) return;
    std::erase(order_, part);
    types.removeOverride(part);
    const std::string rels = relsPartName(part);
    if (parts_.erase(rels)) std::erase(order_, rels);
}

Relationships Package::relsOf(std::string_view part) const {
    const std::string* xml = find(relsPartName(part));
    return xml ? Relationships::parse(*xml) : Relationships{};
}

void Package::setRels(std::string_view part, const Relationships& rels) {
    const std::string name = relsPartName(part);
    if (rels.items.empty()) {
        if (parts_.erase(name)) std::erase(order_, name);
        return;
    }
    put(name, rels.toXml());
}

std::string Package::freshName(std::string_view prefix, std::string_view suffix) const {
    for (int n = 1;; ++n) {
        std::string name = std::string(prefix) + std::to_string(n) + std::string(suffix);
        bool used = false;
        for (const auto& [part, bytes] : parts_)
            used = used || std::equal(part.begin(), part.end(), name.begin(), name.end(),
                                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
        if (!used) return name;
    }
}

namespace {
std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}
}  // namespace

std::vector<std::string> Package::unreachable() const {
    std::set<std::string> reached{"[content_types].xml", "_rels/.rels"};
    std::vector<std::string> pending{""};  // the package root
    while (!pending.empty()) {
        const std::string source = pending.back();
        pending.pop_back();
        for (const Relationship& r : relsOf(source).items) {
            if (r.external) continue;
            const std::string target = resolveTarget(source, r.target);
            if (reached.insert(lowered(target)).second) {
                reached.insert(lowered(relsPartName(target)));
                pending.push_back(target);
            }
        }
    }
    std::vector<std::string> out;
    for (const std::string& part : order_)
        if (!reached.count(lowered(part))) out.push_back(part);
    return out;
}

std::optional<std::string> findEntry(const std::vector<std::string>& entries, std::string_view part) {
    for (const std::string& e : entries) {
        const std::string_view name = !e.empty() && e[0] == '/' ? std::string_view(e).substr(1) : std::string_view(e);
        if (std::equal(name.begin(), name.end(), part.begin(), part.end(),
                       [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
            return e;
    }
    return std::nullopt;
}

}  // namespace files
