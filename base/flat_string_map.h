#pragma once
// A hash map from text to a value, open-addressed: each slot holds the key's hash and the
// position of the entry, and the entries lie in one vector in the order they were added.
// Millions of lookups of short texts (a save's shared strings, COUNTIF's index) spend their
// time in cache misses; this costs one for the slot and one for the key, with no node per
// entry. Entries are never removed (a count may fall to zero and stay).
// With Key std::u16string_view the map keeps no text of its own: the caller's texts must
// outlive it (a save's shared strings are the cells' own texts).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace base {

template <class Value, class Key = std::u16string>
class FlatStringMap {
public:
    struct Entry {
        Key key;
        Value value;
    };

    // The entry for `key`, added with `value` when there was none; true when added.
    std::pair<Entry&, bool> tryEmplace(std::u16string_view key, Value value = Value()) {
        const std::uint32_t hash = hashOf(key);
        size_t at = slotOf(key, hash);
        if (slots_[at].entry != kEmpty) return {entries_[slots_[at].entry], false};
        slots_[at] = {hash, static_cast<std::uint32_t>(entries_.size())};
        entries_.push_back({Key(key), std::move(value)});
        if (entries_.size() * 2 > slots_.size()) grow();
        return {entries_.back(), true};
    }
    Value& operator[](std::u16string_view key) { return tryEmplace(key).first.value; }
    const Value* find(std::u16string_view key) const {
        const Slot& slot = slots_[slotOf(key, hashOf(key))];
        return slot.entry == kEmpty ? nullptr : &entries_[slot.entry].value;
    }
    Value* find(std::u16string_view key) {
        return const_cast<Value*>(static_cast<const FlatStringMap&>(*this).find(key));
    }
    // In the order they were added.
    const std::vector<Entry>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }

private:
    // 32 bits of the key's hash place the slot (enough for tables of four billion slots) and
    // spare most key comparisons: eight bytes a slot, not sixteen.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = UINT32_MAX;

    static std::uint32_t hashOf(std::u16string_view key) {
        const std::uint64_t full = std::hash<std::u16string_view>{}(key);
        return static_cast<std::uint32_t>(full ^ (full >> 32));
    }
    // The slot holding `key`, or the empty one where it would go.
    size_t slotOf(std::u16string_view key, std::uint32_t hash) const {
        const size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.entry == kEmpty || (slot.hash == hash && entries_[slot.entry].key == key)) return at;
        }
    }
    void grow() {
        std::vector<Slot> bigger(slots_.size() * 2);
        const size_t mask = bigger.size() - 1;
        for (const Slot& slot : slots_) {
            if (slot.entry == kEmpty) continue;
            size_t at = slot.hash & mask;
            while (bigger[at].entry != kEmpty) at = (at + 1) & mask;
            bigger[at] = slot;
        }
        slots_ = std::move(bigger);
    }

    std::vector<Entry> entries_;
    std::vector<Slot> slots_ = std::vector<Slot>(64);  // a power of two, at most half full
};

}  // namespace base
