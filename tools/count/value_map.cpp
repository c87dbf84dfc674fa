#include "tools/count/value_map.h"

namespace tools::count {

bool ValueMap::add(const std::u16string& value) {
    auto [it, inserted] = counts_.try_emplace(value, 0);
    ++it->second;
    if (inserted) order_.push_back(&*it);
    return inserted;
}

}  // namespace tools::count
