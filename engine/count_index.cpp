#include "engine/count_index.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace engine {

namespace {

long loadCount(const char16_t* record) {
    std::int64_t count;
    std::memcpy(&count, record, sizeof count);
    return static_cast<long>(count);
}

void storeCount(char16_t* record, long count) {
    const std::int64_t wide = count;
    std::memcpy(record, &wide, sizeof wide);
}

}  // namespace

static_assert(sizeof(std::int64_t) == 4 * sizeof(char16_t) && sizeof(std::uint32_t) == 2 * sizeof(char16_t));

std::uint32_t hash32(std::u16string_view text) {
    const std::uint64_t full = std::hash<std::u16string_view>{}(text);
    return static_cast<std::uint32_t>(full ^ (full >> 32));
}

char16_t* CountIndex::recordAt(std::uint32_t ref) const {
    return chunks_[ref >> kOffsetBits].get() + (ref & (kChunkUnits - 1));
}

std::u16string_view CountIndex::keyOf(const char16_t* record) {
    std::uint32_t length;
    std::memcpy(&length, record + kCountUnits, sizeof length);
    return {record + kHeaderUnits, length};
}

// The slot holding `key`, or the empty one where it would go.
std::size_t CountIndex::slotOf(std::u16string_view key, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.record == kEmpty || (slot.hash == hash && keyOf(recordAt(slot.record)) == key)) return at;
    }
}

long CountIndex::count(std::u16string_view key) const {
    const Slot& slot = slots_[slotOf(key, hash32(key))];
    return slot.record == kEmpty ? 0 : loadCount(recordAt(slot.record));
}

void CountIndex::add(std::u16string_view key, long delta) { add(key, hash32(key), delta); }

void CountIndex::add(std::u16string_view key, std::uint32_t hash, long delta) {
    std::size_t at = slotOf(key, hash);
    if (slots_[at].record == kEmpty) {
        slots_[at] = {hash, newRecord(key)};
        if (++size_ * 2 > slots_.size()) grow();
        at = slotOf(key, hash);
    }
    char16_t* record = recordAt(slots_[at].record);
    storeCount(record, loadCount(record) + delta);
}

void CountIndex::Filler::add(std::u16string_view key) {
    const std::uint32_t hash = hash32(key);
    __builtin_prefetch(&index_.slots_[hash & (index_.slots_.size() - 1)]);
    units_.append(key);
    ends_[pending_] = units_.size();
    hashes_[pending_] = hash;
    if (++pending_ == kBatch) flush();
}

void CountIndex::Filler::flush() {
    const std::size_t mask = index_.slots_.size() - 1;
    for (std::size_t i = 0; i < pending_; ++i) {  // the record of a key met before, most likely
        const Slot& slot = index_.slots_[hashes_[i] & mask];
        if (slot.record != kEmpty && slot.hash == hashes_[i]) __builtin_prefetch(index_.recordAt(slot.record));
    }
    for (std::size_t i = 0, start = 0; i < pending_; start = ends_[i++])
        index_.add(std::u16string_view(units_).substr(start, ends_[i] - start), hashes_[i], 1);
    units_.clear();
    pending_ = 0;
}

std::uint32_t CountIndex::newRecord(std::u16string_view key) {
    const std::size_t units = kHeaderUnits + key.size();
    if (lastChunkUsed_ + units > kChunkUnits) {
        if (chunks_.size() >= kMaxChunks) throw std::length_error("count index is full");
        chunks_.push_back(std::make_unique<char16_t[]>(std::max(units, kChunkUnits)));
        lastChunkUsed_ = 0;
    }
    const auto ref = static_cast<std::uint32_t>(((chunks_.size() - 1) << kOffsetBits) | lastChunkUsed_);
    char16_t* record = chunks_.back().get() + lastChunkUsed_;
    storeCount(record, 0);
    const auto length = static_cast<std::uint32_t>(key.size());
    std::memcpy(record + kCountUnits, &length, sizeof length);
    std::memcpy(record + kHeaderUnits, key.data(), key.size() * sizeof(char16_t));
    // A record bigger than a chunk fills its own; the next one starts a new chunk.
    lastChunkUsed_ = units > kChunkUnits ? kChunkUnits : lastChunkUsed_ + units;
    return ref;
}

void CountIndex::grow() {
    std::vector<Slot> bigger(slots_.size() * 2);
    const std::size_t mask = bigger.size() - 1;
    for (const Slot& slot : slots_) {
        if (slot.record == kEmpty) continue;
        std::size_t at = slot.hash & mask;
        while (bigger[at].record != kEmpty) at = (at + 1) & mask;
        bigger[at] = slot;
    }
    slots_ = std::move(bigger);
}

}  // namespace engine
