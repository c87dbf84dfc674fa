#pragma once
// Texts met lately while a file loads, so that repeats share one text. A column of categories
// (a country, a status) repeats a few texts thousands of times, and each of its cells held a
// copy of its own. A small table indexed by a text's hash keeps the last text met in each
// slot: a repeat costs the hash and a comparison and saves an allocation. A column of distinct
// texts would gain nothing and pay for each text it pushes out of the table (a cache miss on
// the text let go), so a column whose first texts do not repeat stops using the table.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/variant.h"

namespace files {

class RecentTexts {
public:
    // The text of `bytes`, which are plain ASCII, in column `column` (1-based), shared with
    // the last equal text met.
    host::Variant ascii(std::string_view bytes, long column);

private:
    static constexpr std::size_t kSlots = 4096;    // a few hundred kilobytes of texts at most
    static constexpr std::size_t kLongText = 256;  // longer texts seldom repeat: not kept
    static constexpr std::uint32_t kTrial = 4096;  // a column's texts looked up before it is judged
    struct Slot {
        std::uint64_t hash = 0;
        host::Variant text;
    };
    struct Trial {
        std::uint32_t looked = 0, repeated = 0;
        bool worthIt() const { return looked < kTrial || repeated * 8 >= looked; }
    };
    Trial& trialOf(long column);

    std::vector<Slot> slots_ = std::vector<Slot>(kSlots);
    std::vector<Trial> trials_;  // by column
};

}  // namespace files
