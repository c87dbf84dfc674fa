#pragma once
// The tally's map from value text to its number of occurrences, in first-seen order: one
// lookup per entry, and the values can be walked in the order they first appeared.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tools::count {

class ValueMap {
public:
    // Counts one more occurrence of `value`; true when it was not in the map before.
    bool add(const std::u16string& value);

    std::size_t size() const { return order_.size(); }
    // The number of occurrences of the j-th value first seen (0-based).
    std::int64_t countAt(std::size_t j) const { return order_[j]->second; }
    const std::u16string& valueAt(std::size_t j) const { return order_[j]->first; }

private:
    using Map = std::unordered_map<std::u16string, std::int64_t>;
    Map counts_;
    std::vector<Map::value_type*> order_;  // node addresses stay put as the map grows
};

}  // namespace tools::count
