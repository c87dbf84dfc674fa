#pragma once
// A column's count index: how many cells are filed under each match key (criteria.h).
// A walk asks it at every row, and a million lookups of short keys spend their time in cache
// misses, so a key's text and its count lie together in one record of an arena, found from an
// open-addressed table of the keys' hashes: a lookup touches one slot and one record, and a
// key costs no allocation of its own. Keys are never removed (a count may fall to zero and
// stay).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// A text's hash folded to the 32 bits the engine's hash tables keep in a slot (the count
// index here, a column's Find index): a table compares the texts themselves, so a rare
// collision costs a comparison, never a wrong answer.
std::uint32_t hash32(std::u16string_view text);

class CountIndex {
public:
    // Adds `delta` to the count of `key`, filing the key at zero first when it is new.
    void add(std::u16string_view key, long delta);
    // The count of `key`; 0 when it was never filed.
    long count(std::u16string_view key) const;
    // Starts fetching the slot where `key` would be, for a count asked soon after.
    void prefetch(std::u16string_view key) const { __builtin_prefetch(&slots_[hash32(key) & (slots_.size() - 1)]); }
    // Keys filed.
    std::size_t size() const { return size_; }

    // Adds one to the count of each key it is given, as add(key, 1) does, a batch at a time:
    // a batch's slots, then the records they hold, are fetched ahead, so that building the
    // index of a column waits for one round of cache misses per batch, not two per key.
    // Every key is in the index once the filler is gone.
    class Filler {
    public:
        explicit Filler(CountIndex& index) : index_(index) {}
        Filler(const Filler&) = delete;
        Filler& operator=(const Filler&) = delete;
        ~Filler() { flush(); }
        void add(std::u16string_view key);

    private:
        static constexpr std::size_t kBatch = 32;
        void flush();
        CountIndex& index_;
        std::u16string units_;  // the pending keys, one after another
        std::size_t ends_[kBatch];
        std::uint32_t hashes_[kBatch];
        std::size_t pending_ = 0;
    };

private:
    // A record: its count (four units), the key's length (two units), the key's units.
    static constexpr std::size_t kCountUnits = 4, kLengthUnits = 2, kHeaderUnits = kCountUnits + kLengthUnits;
    // A record's reference: its chunk above kOffsetBits, its start in the chunk below.
    static constexpr unsigned kOffsetBits = 18;
    static constexpr std::size_t kChunkUnits = std::size_t{1} << kOffsetBits;
    static constexpr std::size_t kMaxChunks = std::size_t{1} << (32 - kOffsetBits);
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t record = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = UINT32_MAX;  // no record starts there: a record has a header

    char16_t* recordAt(std::uint32_t ref) const;
    static std::u16string_view keyOf(const char16_t* record);
    std::size_t slotOf(std::u16string_view key, std::uint32_t hash) const;
    void add(std::u16string_view key, std::uint32_t hash, long delta);
    std::uint32_t newRecord(std::u16string_view key);
    void grow();

    std::vector<Slot> slots_ = std::vector<Slot>(64);  // a power of two, at most half taken
    // A record longer than a chunk has a chunk of its own; none spans two.
    std::vector<std::unique_ptr<char16_t[]>> chunks_;
    std::size_t lastChunkUsed_ = kChunkUnits;  // units taken in the last chunk: none yet, so full
    std::size_t size_ = 0;
};

}  // namespace engine
