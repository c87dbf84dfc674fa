#pragma once
// The structural edits made to a sheet, which areas held elsewhere (a Range, a file's defined
// names) replay to follow the cells they point at. A tool deleting row after row logs an edit
// per row, a million of them on a large sheet; most of them come in runs — going up the rows
// (each deletion just above the last) or down (the same row again, as the rows below come up)
// — and such a run of one-row (or one-column) deletions is kept as the one block it deletes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/area_ops.h"

namespace engine {

class EditLog {
public:
    void add(const StructuralEdit& edit);
    // Edits added, each deletion of a run counted on its own.
    std::size_t size() const { return size_; }
    // Moves the areas through the edits after the first `seq` and drops those that vanish;
    // `seq` becomes size().
    void replay(std::vector<Area>& areas, std::size_t& seq) const;

private:
    // One edit, or a run of one-line deletions as the block they deleted together. Rows and
    // columns fit 32 bits, which keeps an entry at 20 bytes.
    struct Entry {
        std::int32_t row1, col1, row2, col2;
        StructuralEdit::Kind kind;
        bool run;  // one-line deletions, as many as the block is long

        std::int32_t length() const;  // along the shift: rows for ShiftUp, columns for ShiftLeft
        std::size_t edits() const { return run ? static_cast<std::size_t>(length()) : 1; }
        // The entry less its first `done` deletions: the block's first length - done lines.
        StructuralEdit remainder(std::size_t done) const;
        bool extend(const StructuralEdit& edit);  // takes the edit into the run when it continues it
    };
    std::vector<Entry> entries_;
    std::size_t size_ = 0;
};

}  // namespace engine
