#include "registry/memory_key_space.h"

#include <algorithm>

#include "registry/caseless.h"

namespace registry {

MemoryKeySpace::Node* MemoryKeySpace::child(Node& node, std::u16string_view name) {
    for (auto& c : node.children)
        if (sameName(c->name, name)) return c.get();
    return nullptr;
}

MemoryKeySpace::Node* MemoryKeySpace::find(const KeyPath& path) {
    Node* node = &root_;
    for (const std::u16string& part : path)
        if (!(node = child(*node, part))) return nullptr;
    return node;
}

std::vector<std::u16string> MemoryKeySpace::subKeyNames(const KeyPath& path) {
    std::vector<std::u16string> names;
    if (Node* node = find(path))
        for (auto& c : node->children) names.push_back(c->name);
    return names;
}

std::vector<StoredValue> MemoryKeySpace::values(const KeyPath& path) {
    Node* node = find(path);
    return node ? node->values : std::vector<StoredValue>{};
}

RegResult MemoryKeySpace::createKey(const KeyPath& path) {
    Node* node = &root_;
    for (const std::u16string& part : path) {
        Node* next = child(*node, part);
        if (!next) {
            // Sub-keys stand sorted without regard to case, as the platform lists them.
            const std::u16string folded = foldName(part);
            auto at = std::find_if(node->children.begin(), node->children.end(),
                                   [&](const auto& c) { return folded < foldName(c->name); });
            next = node->children.insert(at, std::make_unique<Node>(Node{part, {}, {}}))->get();
        }
        node = next;
    }
    ++generation_;
    return kSuccess;
}

RegResult MemoryKeySpace::deleteKey(const KeyPath& path) {
    if (path.empty()) return kAccessDenied;
    Node* parent = find(KeyPath(path.begin(), path.end() - 1));
    if (!parent) return kFileNotFound;
    auto& kids = parent->children;
    auto it = std::find_if(kids.begin(), kids.end(), [&](const auto& c) { return sameName(c->name, path.back()); });
    if (it == kids.end()) return kFileNotFound;
    kids.erase(it);
    ++generation_;
    return kSuccess;
}

RegResult MemoryKeySpace::setValue(const KeyPath& path, const StoredValue& value) {
    Node* node = find(path);
    if (!node) return kFileNotFound;
    auto it = std::find_if(node->values.begin(), node->values.end(),
                           [&](const StoredValue& v) { return sameName(v.name, value.name); });
    if (it == node->values.end())
        node->values.push_back(value);
    else {
        // The stored name keeps its spelling, as on the platform.
        it->type = value.type;
        it->data = value.data;
    }
    ++generation_;
    return kSuccess;
}

RegResult MemoryKeySpace::deleteValue(const KeyPath& path, std::u16string_view name) {
    Node* node = find(path);
    if (!node) return kFileNotFound;
    auto it = std::find_if(node->values.begin(), node->values.end(),
                           [&](const StoredValue& v) { return sameName(v.name, name); });
    if (it == node->values.end()) return kFileNotFound;
    node->values.erase(it);
    ++generation_;
    return kSuccess;
}

}  // namespace registry
