#pragma once
// MemoryKeySpace — a hive held in memory, for tests and as a scratch registry.
#include <memory>

#include "registry/key_space.h"

namespace registry {

class MemoryKeySpace : public KeySpace {
public:
    RegResult status() override { return kSuccess; }
    bool writable() override { return writable_; }
    std::uint64_t generation() override { return generation_; }
    // A hive the caller may read but not change (access denied on writes).
    void setWritable(bool writable) { writable_ = writable; }

    bool keyExists(const KeyPath& path) override { return find(path) != nullptr; }
    std::vector<std::u16string> subKeyNames(const KeyPath& path) override;
    std::vector<StoredValue> values(const KeyPath& path) override;
    RegResult createKey(const KeyPath& path) override;
    RegResult deleteKey(const KeyPath& path) override;
    RegResult setValue(const KeyPath& path, const StoredValue& value) override;
    RegResult deleteValue(const KeyPath& path, std::u16string_view name) override;

private:
    struct Node {
        std::u16string name;
        std::vector<StoredValue> values;
        std::vector<std::unique_ptr<Node>> children;
    };
    Node* find(const KeyPath& path);
    static Node* child(Node& node, std::u16string_view name);

    Node root_;
    bool writable_ = true;
    std::uint64_t generation_ = 1;
};

}  // namespace registry
