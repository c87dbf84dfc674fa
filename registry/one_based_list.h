#pragma once
// OneBasedList — a list whose first element stands at position 1, as the arrays
// cRegistry's enumerations fill.
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace registry {

template <typename T>
class OneBasedList {
public:
    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    bool empty() const { return items_.empty(); }
    // Positions 1 to count(); others throw std::out_of_range.
    const T& operator[](std::int32_t position) const { return items_.at(index(position)); }
    T& operator[](std::int32_t position) { return items_.at(index(position)); }

    void clear() { items_.clear(); }
    // Stores `item` at `position`, growing the list to reach it.
    void store(std::int32_t position, T item) {
        if (position > count()) items_.resize(static_cast<size_t>(position));
        items_.at(index(position)) = std::move(item);
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    static size_t index(std::int32_t position) {
        if (position < 1) throw std::out_of_range("position below 1");
        return static_cast<size_t>(position - 1);
    }
    std::vector<T> items_;
};

}  // namespace registry
