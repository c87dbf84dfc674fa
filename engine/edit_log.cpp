#include "engine/edit_log.h"

#include "host/constants.h"

namespace engine {

namespace {

std::int32_t narrow(long n) { return static_cast<std::int32_t>(n); }  // within the sheet's size

}  // namespace

std::int32_t EditLog::Entry::length() const {
    return kind == StructuralEdit::Kind::ShiftUp ? row2 - row1 + 1 : col2 - col1 + 1;
}

StructuralEdit EditLog::Entry::remainder(std::size_t done) const {
    StructuralEdit edit{kind, Area{row1, col1, row2, col2}};
    long& last = kind == StructuralEdit::Kind::ShiftUp ? edit.area.row2 : edit.area.col2;
    last -= static_cast<long>(done);
    return edit;
}

// After the run's block [first, last] went, line `first` holds what was line last + 1: a
// deletion there takes the block one further down, one at first - 1 one further up.
bool EditLog::Entry::extend(const StructuralEdit& edit) {
    if (!run || edit.kind != kind) return false;
    const Area& e = edit.area;
    const bool up = kind == StructuralEdit::Kind::ShiftUp;
    const long across1 = up ? e.col1 : e.row1, across2 = up ? e.col2 : e.row2;
    if (across1 != (up ? col1 : row1) || across2 != (up ? col2 : row2)) return false;
    const long at = up ? e.row1 : e.col1, to = up ? e.row2 : e.col2;
    std::int32_t& first = up ? row1 : col1;
    std::int32_t& last = up ? row2 : col2;
    if (at != to) return false;
    if (at == first && last < (up ? host::kMaxRows : host::kMaxColumns)) {
        ++last;
        return true;
    }
    if (at == first - 1) {
        --first;
        return true;
    }
    return false;
}

void EditLog::add(const StructuralEdit& edit) {
    ++size_;
    if (!entries_.empty() && entries_.back().extend(edit)) return;
    const Area& a = edit.area;
    Entry entry{narrow(a.row1), narrow(a.col1), narrow(a.row2), narrow(a.col2), edit.kind, false};
    entry.run = entry.length() == 1;
    entries_.push_back(entry);
}

void EditLog::replay(std::vector<Area>& areas, std::size_t& seq) const {
    if (seq >= size_) return;
    // The entry holding edit number `seq`, found from the end: a holder is seldom far behind.
    std::size_t at = entries_.size(), first = size_;
    while (first > seq) first -= entries_[--at].edits();
    for (std::size_t done = seq - first; at < entries_.size(); ++at, done = 0) {
        const StructuralEdit edit = entries_[at].remainder(done);
        std::vector<Area> kept;
        for (const Area& a : areas)
            if (auto moved = follow(a, edit)) kept.push_back(*moved);
        areas = std::move(kept);
    }
    seq = size_;
}

}  // namespace engine
