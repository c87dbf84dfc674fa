#include "engine/column_store.h"

#include <algorithm>

#include "engine/count_index.h"
#include "engine/criteria.h"
#include "engine/text_functions.h"
#include "engine/typed_input.h"
#include "host/constants.h"

namespace engine {

using namespace host;  // the host's value types, error numbers and constants

struct ColumnStore::Node {
    Id left = kNil, right = kNil, parent = kNil;
    // Row counts fit 32 bits (a sheet has 1,048,576 rows); a million nodes make this matter.
    std::int32_t gap = 0;    // empty rows before this node's cell
    std::int32_t span = 1;   // rows covered by the subtree: sum of gap + 1
    std::int32_t count = 1;  // nodes in the subtree
    Cell cell;
};

// Cells by their folded display text, for Find: an open-addressed table of the texts'
// hashes, each slot heading a chain of the nodes whose text has that hash. No text is kept:
// a search checks the few nodes of its chain against its own text. A million distinct texts
// cost a quarter of what a map of texts to lists of nodes did.
struct ColumnStore::TextIndex {
    // A slot's head is kFree until a hash takes it, and kNil once the texts' cells went: the
    // slot stays taken. Thirty-two bits of the hash (hash32) pick a chain, since a search
    // checks every node's text anyway, and keep a slot at eight bytes.
    static constexpr Id kFree = -2;
    struct Slot {
        std::uint32_t hash = 0;
        Id head = kFree;
        bool taken() const { return head != kFree; }
    };
    std::vector<Slot> slots = std::vector<Slot>(64);  // a power of two, at most half taken
    size_t taken = 0;
    std::vector<Id> next, previous;  // by node: its neighbours in its chain, else kNil

    Slot& slotOf(std::uint32_t hash) {  // the slot holding `hash`, or the free one where it goes
        const size_t mask = slots.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask)
            if (!slots[at].taken() || slots[at].hash == hash) return slots[at];
    }

    void add(Id node, std::uint32_t hash) {
        if (next.size() <= static_cast<size_t>(node)) {
            next.resize(static_cast<size_t>(node) + 1, kNil);
            previous.resize(static_cast<size_t>(node) + 1, kNil);
        }
        Slot& slot = slotOf(hash);
        const bool fresh = !slot.taken();
        if (fresh) slot = {hash, kNil};
        next[node] = slot.head;
        if (slot.head != kNil) previous[slot.head] = node;
        slot.head = node;
        if (fresh && ++taken * 2 > slots.size()) grow();
    }

    void remove(Id node, std::uint32_t hash) {
        if (static_cast<size_t>(node) >= next.size()) return;
        Slot& slot = slotOf(hash);
        if (!slot.taken() || (slot.head != node && previous[node] == kNil)) return;  // not in the index
        if (slot.head == node) slot.head = next[node];
        if (previous[node] != kNil) next[previous[node]] = next[node];
        if (next[node] != kNil) previous[next[node]] = previous[node];
        next[node] = previous[node] = kNil;
    }

    void prefetch(std::uint32_t hash) const { __builtin_prefetch(&slots[hash & (slots.size() - 1)]); }

    void grow() {
        std::vector<Slot> bigger(slots.size() * 2);
        const size_t mask = bigger.size() - 1;
        for (const Slot& slot : slots) {
            if (!slot.taken()) continue;
            size_t at = slot.hash & mask;
            while (bigger[at].taken()) at = (at + 1) & mask;
            bigger[at] = slot;
        }
        slots = std::move(bigger);
    }
};

namespace {

std::u16string findKey(const Cell& cell) {
    return foldCaseSimple(cell.value.isError() ? cell.value.errorText() : cell.value.toText());
}

}  // namespace

ColumnStore::ColumnStore() = default;
ColumnStore::~ColumnStore() = default;

// A copy is made to be written (copy on write), so the indexes, caches of the cells as they
// are now, go with it instead of being copied: the nodes keep their ids, so both stay true,
// and the source rebuilds its own should it be asked again. A million-cell index costs tens
// of megabytes; two of them, one never read again, would be a waste.
ColumnStore::ColumnStore(const ColumnStore& other)
    : nodes_(other.nodes_),
      free_(other.free_),
      root_(other.root_),
      index_(std::move(other.index_)),
      textIndex_(std::move(other.textIndex_)),
      contentCount_(other.contentCount_),
      formulaCount_(other.formulaCount_),
      commentCount_(other.commentCount_),
      inRowOrder_(other.inRowOrder_) {}

// A node's treap priority: its id, scrambled (splitmix64's finish). The scrambled ids are
// as good as random numbers for the balance, and a million nodes keep four bytes each. An
// id taken again by a new node brings the old priority, which says nothing of its row either.
std::uint32_t ColumnStore::priorityOf(Id id) {
    std::uint64_t x = static_cast<std::uint64_t>(id) + 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((x ^ (x >> 31)) >> 32);
}

void ColumnStore::tally(const Cell& cell, long delta) {
    if (cell.hasContent()) contentCount_ += delta;
    if (!cell.formula().empty()) formulaCount_ += delta;
    if (cell.comment()) commentCount_ += delta;
}

ColumnStore::Id ColumnStore::newNode(long gap, Cell cell) {
    Node node;
    node.gap = gap;
    node.span = gap + 1;
    node.cell = std::move(cell);
    tally(node.cell, +1);
    indexAdd(node.cell, +1);
    Id id;
    if (!free_.empty()) {
        id = free_.back();
        free_.pop_back();
        nodes_[id] = std::move(node);
        inRowOrder_ = false;
    } else {
        nodes_.push_back(std::move(node));
        id = static_cast<Id>(nodes_.size() - 1);
    }
    textIndexAdd(id);
    return id;
}

void ColumnStore::freeTree(Id t) {
    if (t == kNil) return;
    freeTree(nodes_[t].left);
    freeTree(nodes_[t].right);
    tally(nodes_[t].cell, -1);
    indexAdd(nodes_[t].cell, -1);
    textIndexRemove(t);
    if (t == finger_) finger_ = kNil;
    nodes_[t].cell = Cell{};
    free_.push_back(t);
}

void ColumnStore::update(Id t) {
    Node& n = nodes_[t];
    n.span = n.gap + 1;
    n.count = 1;
    if (n.left != kNil) {
        n.span += nodes_[n.left].span;
        n.count += nodes_[n.left].count;
        nodes_[n.left].parent = t;
    }
    if (n.right != kNil) {
        n.span += nodes_[n.right].span;
        n.count += nodes_[n.right].count;
        nodes_[n.right].parent = t;
    }
}

void ColumnStore::setRoot(Id root) {
    finger_ = kNil;
    root_ = root;
    if (root_ != kNil) nodes_[root_].parent = kNil;
}

void ColumnStore::addToLeftmostGap(Id t, long delta) {
    while (t != kNil) {
        nodes_[t].span += delta;
        if (nodes_[t].left == kNil) {
            nodes_[t].gap += delta;
            return;
        }
        t = nodes_[t].left;
    }
}

// Splits into the first `rows` rows and the rest; the rest's positions start after `rows`.
std::pair<ColumnStore::Id, ColumnStore::Id> ColumnStore::split(Id t, long rows) {
    if (t == kNil || rows <= 0) return {kNil, t};
    Node& n = nodes_[t];
    const long leftSpan = n.left == kNil ? 0 : nodes_[n.left].span;
    const long cellRow = leftSpan + n.gap + 1;
    if (cellRow <= rows) {
        auto [a, b] = split(n.right, rows - cellRow);
        nodes_[t].right = a;
        update(t);
        return {t, b};
    }
    if (rows >= leftSpan) {
        const Id a = n.left;
        n.left = kNil;
        n.gap -= rows - leftSpan;
        update(t);
        return {a, t};
    }
    auto [a, b] = split(n.left, rows);
    nodes_[t].left = b;
    update(t);
    return {a, t};
}

ColumnStore::Id ColumnStore::mergeTrees(Id a, Id b) {
    if (a == kNil) return b;
    if (b == kNil) return a;
    if (priorityOf(a) > priorityOf(b)) {
        nodes_[a].right = mergeTrees(nodes_[a].right, b);
        update(a);
        return a;
    }
    nodes_[b].left = mergeTrees(a, nodes_[b].left);
    update(b);
    return b;
}

// Joins `left`, taken as `leftRows` rows long, with `right` whose positions follow it.
ColumnStore::Id ColumnStore::merge(Id left, long leftRows, Id right) {
    const long leftSpan = left == kNil ? 0 : nodes_[left].span;
    addToLeftmostGap(right, leftRows - leftSpan);
    return mergeTrees(left, right);
}

const Cell* ColumnStore::find(long row) const {
    const Id node = findNode(row);
    return node == kNil ? nullptr : &nodes_[node].cell;
}

ColumnStore::Id ColumnStore::findNode(long row) const {
    const Place place = placeOf(row);
    return place.inGap ? kNil : place.node;
}

// As locate, but a row next to the finger is found from it, as a walk asks for its rows.
ColumnStore::Place ColumnStore::placeOf(long row) const {
    if (finger_ != kNil && row == fingerRow_) return {finger_, false};
    if (finger_ != kNil && row > fingerRow_) {  // a walk down the column
        const Id next = successor(finger_);
        if (next == kNil) return {kNil, false};  // below the last cell
        const long nextRow = fingerRow_ + nodes_[next].gap + 1;
        if (row < nextRow) return {next, true};
        if (row == nextRow) return {moveFinger(next, nextRow), false};
    } else if (finger_ != kNil) {  // a walk up the column, as the tools that delete rows take
        const long gapTop = fingerRow_ - nodes_[finger_].gap;
        if (row >= gapTop) return {finger_, true};
        const Id previous = predecessor(finger_);
        if (previous != kNil && row == gapTop - 1) return {moveFinger(previous, row), false};
    }
    const Place place = locate(row);
    if (place.node != kNil && !place.inGap) moveFinger(place.node, row);
    return place;
}

// The node whose cell is in `row`, or whose gap holds it; kNil below the last cell.
ColumnStore::Place ColumnStore::locate(long row) const {
    Id t = root_;
    long pos = row;
    while (t != kNil) {
        const Node& n = nodes_[t];
        const long leftSpan = n.left == kNil ? 0 : nodes_[n.left].span;
        if (pos <= leftSpan) {
            t = n.left;
            continue;
        }
        pos -= leftSpan;
        if (pos <= n.gap + 1) return {t, pos <= n.gap};
        pos -= n.gap + 1;
        t = n.right;
    }
    return {kNil, false};
}

// The next cell down the column (`down`) or up it: constant time on average over a walk.
ColumnStore::Id ColumnStore::neighbour(Id node, bool down) const {
    const auto toward = [&](Id t) { return down ? nodes_[t].right : nodes_[t].left; };
    const auto away = [&](Id t) { return down ? nodes_[t].left : nodes_[t].right; };
    if (Id t = toward(node); t != kNil) {
        while (away(t) != kNil) t = away(t);
        return t;
    }
    for (Id child = node, parent = nodes_[node].parent; parent != kNil; child = parent, parent = nodes_[parent].parent)
        if (away(parent) == child) return parent;
    return kNil;
}

ColumnStore::Id ColumnStore::moveFinger(Id node, long row) const {
    finger_ = node;
    fingerRow_ = row;
    return node;
}

void ColumnStore::set(long row, Cell cell) {
    if (cell.isVoid()) {
        erase(row);
        return;
    }
    const long last = lastRow();
    if (row > last) {  // appending below the last cell, as a file loads: no splits needed
        const Id node = newNode(row - last - 1, std::move(cell));
        setRoot(mergeTrees(root_, node));
        return;
    }
    if (const Id existing = findNode(row); existing != kNil) {
        Cell& target = nodes_[existing].cell;
        // The indexes file a cell by its value: a new fill or comment leaves them as they are.
        const bool sameValue = target.value == cell.value;
        tally(target, -1);
        if (!sameValue) {
            indexAdd(target, -1);
            textIndexRemove(existing);
        }
        target = std::move(cell);
        tally(target, +1);
        if (!sameValue) {
            indexAdd(target, +1);
            textIndexAdd(existing);
        }
        return;
    }
    auto [before, after] = split(root_, row - 1);
    auto [emptyRow, rest] = split(after, 1);
    (void)emptyRow;       // the row was empty: no node there
    inRowOrder_ = false;  // a new node above others
    const Id node = newNode(0, std::move(cell));
    setRoot(merge(merge(before, row - 1, node), row, rest));
}

void ColumnStore::append(std::vector<RowCell>&& cells) {
    long previous = lastRow();
    for (const auto& c : cells) {
        if (c.row <= previous || c.row > host::kMaxRows) {
            for (auto& each : cells) set(each.row, std::move(each.cell));
            return;
        }
        previous = c.row;
    }
    // A treap of the new cells built in one pass (a Cartesian tree over their priorities):
    // the stack holds its right spine; a node leaving the spine has its whole subtree and
    // gets its sums then.
    std::vector<Id> spine;
    previous = lastRow();
    for (auto& c : cells) {
        if (c.cell.isVoid()) continue;
        const Id node = newNode(c.row - previous - 1, std::move(c.cell));
        previous = c.row;
        Id below = kNil;
        while (!spine.empty() && priorityOf(spine.back()) < priorityOf(node)) {
            below = spine.back();
            spine.pop_back();
            update(below);
        }
        nodes_[node].left = below;
        if (!spine.empty()) nodes_[spine.back()].right = node;
        spine.push_back(node);
    }
    for (auto it = spine.rbegin(); it != spine.rend(); ++it) update(*it);
    if (!spine.empty()) setRoot(mergeTrees(root_, spine.front()));
}

void ColumnStore::erase(long row) {
    const Id node = findNode(row);
    if (node == kNil) return;
    unlinkNode(node, row, nodes_[node].gap + 1);  // its rows stay, as empty ones
    compactIfSparse();
}

void ColumnStore::deleteRows(long first, long count) {
    if (count <= 0 || root_ == kNil || first > nodes_[root_].span) return;
    if (count == 1) {  // a tool deleting rows one by one: no split and merge
        if (const Place place = placeOf(first); place.inGap)
            shrinkGap(place.node, first);
        else if (place.node != kNil)
            unlinkNode(place.node, first, nodes_[place.node].gap);
        compactIfSparse();
        return;
    }
    auto [before, after] = split(root_, first - 1);
    auto [removed, rest] = split(after, count);
    freeTree(removed);
    setRoot(merge(before, first - 1, rest));
    compactIfSparse();
}

// Takes one node, the cell in `row`, out of the tree where it stands; `keptRows` of its rows
// (its gap, and its own row when the rows do not move up) join the gap of the next cell down.
// The finger moves to the cell above, where a walk up the column goes next.
void ColumnStore::unlinkNode(Id node, long row, long keptRows) {
    const Id above = predecessor(node);
    const long aboveRow = row - nodes_[node].gap - 1;
    const Id below = successor(node);
    if (below != kNil) nodes_[below].gap += static_cast<std::int32_t>(keptRows);
    Node& n = nodes_[node];
    // The cell below lies in the right subtree, and so under the joined children once they
    // take the node's place, or it is an ancestor of the node: either way one walk up, from
    // the deeper of it and the parent, mends every sum that changed.
    const Id deeper = n.right != kNil ? below : n.parent;
    const Id parent = n.parent;
    const Id joined = mergeTrees(n.left, n.right);
    if (parent == kNil) {
        setRoot(joined);
    } else {
        (nodes_[parent].left == node ? nodes_[parent].left : nodes_[parent].right) = joined;
        if (joined != kNil) nodes_[joined].parent = parent;
    }
    updateUpwards(deeper);
    n.left = n.right = n.parent = kNil;
    freeTree(node);
    finger_ = kNil;
    if (above != kNil) moveFinger(above, aboveRow);
}

// Deletes an empty row, `row`, inside the gap above `node`: that gap and the sums above it
// shrink. The shape stays, so the finger does too, one row up when it was below the row.
void ColumnStore::shrinkGap(Id node, long row) {
    nodes_[node].gap -= 1;
    updateUpwards(node);
    if (finger_ != kNil && fingerRow_ > row) --fingerRow_;
}

void ColumnStore::updateUpwards(Id t) {
    for (; t != kNil; t = nodes_[t].parent) update(t);
}

// Freed nodes wait in nodes_ for the next cells; once they are half of it (a tool deleted
// most of the rows), the column is built again from its cells, so that the room goes back
// and a copy on write copies only live nodes. Each rebuild follows as many deletions as it
// keeps cells, so the work stays linear.
void ColumnStore::compactIfSparse() {
    constexpr size_t kFewNodes = 1024;
    if (nodes_.size() < kFewNodes || free_.size() * 2 < nodes_.size()) return;
    std::vector<RowCell> cells;
    cells.reserve(static_cast<size_t>(cellCount()));
    takeCells(root_, 0, cells);
    nodes_ = {};
    nodes_.reserve(cells.size());  // room for the cells alone, not the next power of two
    free_ = {};
    inRowOrder_ = true;
    setRoot(kNil);
    contentCount_ = formulaCount_ = commentCount_ = 0;
    textIndex_.reset();               // it names nodes, which get new ids
    auto counts = std::move(index_);  // the cells stay the same, and so do their counts
    append(std::move(cells));
    index_ = std::move(counts);
}

// Moves the cells of subtree t, whose rows start after `offset`, to `cells` in row order.
void ColumnStore::takeCells(Id t, long offset, std::vector<RowCell>& cells) {
    while (t != kNil) {
        Node& n = nodes_[t];
        const long leftSpan = n.left == kNil ? 0 : nodes_[n.left].span;
        takeCells(n.left, offset, cells);
        offset += leftSpan + n.gap + 1;
        cells.push_back({offset, std::move(n.cell)});
        t = n.right;
    }
}

// The first node whose cell lies in row `first` or below, and its row; kNil when none does.
std::pair<ColumnStore::Id, long> ColumnStore::firstNodeFrom(long first) const {
    Id found = kNil;
    long foundRow = 0, offset = 0;
    for (Id t = root_; t != kNil;) {
        const Node& n = nodes_[t];
        const long row = offset + (n.left == kNil ? 0 : nodes_[n.left].span) + n.gap + 1;
        if (row >= first) {
            found = t;
            foundRow = row;
            t = n.left;
        } else {
            offset = row;
            t = n.right;
        }
    }
    return {found, foundRow};
}

// From the first cell at or below `first`, node to successor.
bool ColumnStore::forEach(long first, long last, const std::function<bool(long, const Cell&)>& visit) const {
    if (first > last || first > lastRow()) return true;
    if (first == last) {  // one cell, as a tool asks row by row: found from the finger
        const Cell* cell = find(first);
        return !cell || visit(first, *cell);
    }
    auto [t, row] = firstNodeFrom(first);
    while (t != kNil && row <= last) {
        if (!visit(row, nodes_[t].cell)) return false;
        t = successor(t);
        if (t != kNil) row += nodes_[t].gap + 1;
    }
    return true;
}

// The cell below or above `node`. While the ids rise with the rows it is the nearest node in
// the array that is not free, looked for a few nodes away: past a run of free nodes the tree
// answers.
ColumnStore::Id ColumnStore::stepFrom(Id node, bool down) const {
    if (inRowOrder_) {
        constexpr Id kLookAhead = 4;
        const Id step = down ? 1 : -1;
        const auto size = static_cast<Id>(nodes_.size());
        for (Id next = node + step, left = kLookAhead; left > 0; next += step, --left) {
            if (next < 0 || next >= size) return kNil;
            if (!nodes_[next].cell.isVoid()) return next;
        }
    }
    return neighbour(node, down);
}

void ColumnStore::dropIndexes() const {
    index_.reset();
    textIndex_.reset();
}

long ColumnStore::cellCount() const { return root_ == kNil ? 0 : nodes_[root_].count; }

long ColumnStore::rank(long row) const {
    long result = 0;
    Id t = root_;
    long pos = row;
    while (t != kNil && pos > 0) {
        const Node& n = nodes_[t];
        const long leftSpan = n.left == kNil ? 0 : nodes_[n.left].span;
        if (pos <= leftSpan) {
            t = n.left;
            continue;
        }
        const long leftCount = n.left == kNil ? 0 : nodes_[n.left].count;
        pos -= leftSpan;
        if (pos <= n.gap) return result + leftCount;
        result += leftCount + 1;
        pos -= n.gap + 1;
        t = n.right;
    }
    return result;
}

long ColumnStore::cellCountIn(long first, long last) const {
    if (last < first) return 0;
    // COUNTIF over a whole column asks this at every row: one descent, or none, instead of two.
    const long below = last >= lastRow() ? cellCount() : rank(last);
    return below - (first <= 1 ? 0 : rank(first - 1));
}

long ColumnStore::firstRow() const {
    if (root_ == kNil) return 0;
    long row = 0;
    Id t = root_;
    while (nodes_[t].left != kNil) t = nodes_[t].left;
    row = nodes_[t].gap + 1;
    return row;
}

long ColumnStore::lastRow() const { return root_ == kNil ? 0 : nodes_[root_].span; }

void ColumnStore::indexAdd(const Cell& cell, long delta) const {
    if (!index_ || cell.value.isEmpty()) return;
    forEachMatchKey(cell.value, currentYear(), [&](std::u16string_view key) { index_->add(key, delta); });
}

double ColumnStore::countIf(long first, long last, const Criterion& criterion) const {
    if (last < first) return 0;
    const long inside = cellCountIn(first, last);
    double n = criterion.matches(Variant()) ? static_cast<double>(last - first + 1 - inside) : 0;
    auto scan = [&](long from, long to) {
        double matched = 0;
        forEach(from, to, [&](long, const Cell& c) {
            if (criterion.matches(c.value)) ++matched;
            return true;
        });
        return matched;
    };
    thread_local std::u16string key;  // reused: a walk asks at every row
    const long outside = cellCount() - inside;
    if (!criterion.indexKey(key) || criterion.matches(Variant()) || inside <= outside) return n + scan(first, last);
    if (!index_) {
        index_ = std::make_unique<CountIndex>();
        CountIndex::Filler filler(*index_);
        const int year = currentYear();
        // The counts do not care for the rows' order: the node array is read in the order of
        // memory, not of the tree, and its free nodes hold empty cells, which are not filed.
        for (const Node& node : nodes_)
            if (!node.cell.value.isEmpty())
                forEachMatchKey(node.cell.value, year, [&](std::u16string_view cellKey) { filler.add(cellKey); });
    }
    const auto total = static_cast<double>(index_->count(key));
    prefetchNextCount();
    return n + total - scan(1, first - 1) - scan(last + 1, host::kMaxRows);
}

// A walk reads a row, counts its entry and reads the next row, down or up the column: the
// keys of successive rows are unrelated, so each count waits for its slot to come from
// memory. The next row's slot, asked for now, arrives while the tool finishes this row.
void ColumnStore::prefetchNextCount() const {
    const bool down = fingerRow_ >= lastCountRow_;
    lastCountRow_ = fingerRow_;
    if (finger_ == kNil) return;
    const Id next = down ? successor(finger_) : predecessor(finger_);
    if (next == kNil || nodes_[next].cell.value.isEmpty()) return;
    forEachMatchKey(nodes_[next].cell.value, currentYear(),
                    [&](std::u16string_view nextKey) { index_->prefetch(nextKey); });
}

long ColumnStore::countContent(long first, long last) const {
    if (last < first) return 0;
    // COUNTA of one row, as a tool asks at every row of a walk: the finger finds its cell
    // next to the last one found, where counting would descend from the root three times.
    if (first == last) {
        const Cell* cell = find(first);
        return cell && cell->hasContent() ? 1 : 0;
    }
    auto scan = [&](long from, long to) {
        long counted = 0;
        forEach(from, to, [&](long, const Cell& c) {
            if (c.hasContent()) ++counted;
            return true;
        });
        return counted;
    };
    const long inside = cellCountIn(first, last);
    if (inside <= cellCount() - inside) return scan(first, last);
    return contentCount_ - scan(1, first - 1) - scan(last + 1, host::kMaxRows);
}

void ColumnStore::textIndexAdd(Id node) const {
    const Cell& cell = nodes_[node].cell;
    if (textIndex_ && cell.hasContent()) textIndex_->add(node, hash32(findKey(cell)));
}

void ColumnStore::textIndexRemove(Id node) const {
    const Cell& cell = nodes_[node].cell;
    if (textIndex_ && cell.hasContent()) textIndex_->remove(node, hash32(findKey(cell)));
}

long ColumnStore::rowOf(Id node) const {
    const Node& n = nodes_[node];
    long row = (n.left == kNil ? 0 : nodes_[n.left].span) + n.gap + 1;
    for (Id child = node, parent = n.parent; parent != kNil; child = parent, parent = nodes_[parent].parent) {
        const Node& p = nodes_[parent];
        if (p.right == child) row += (p.left == kNil ? 0 : nodes_[p.left].span) + p.gap + 1;
    }
    return row;
}

// Every cell with content, in the order of the node array (free nodes hold empty cells), a
// batch at a time: the slots of a batch's texts are fetched ahead, so that their cache
// misses overlap instead of coming one after another.
void ColumnStore::buildTextIndex() const {
    textIndex_ = std::make_unique<TextIndex>();
    textIndex_->next.assign(nodes_.size(), kNil);
    textIndex_->previous.assign(nodes_.size(), kNil);
    constexpr int kBatch = 32;
    Id ids[kBatch];
    std::uint32_t hashes[kBatch];
    int pending = 0;
    const auto flush = [&] {
        for (int i = 0; i < pending; ++i) textIndex_->add(ids[i], hashes[i]);
        pending = 0;
    };
    for (Id id = 0; id < static_cast<Id>(nodes_.size()); ++id) {
        if (!nodes_[id].cell.hasContent()) continue;
        ids[pending] = id;
        hashes[pending] = hash32(findKey(nodes_[id].cell));
        textIndex_->prefetch(hashes[pending]);
        if (++pending == kBatch) flush();
    }
    flush();
}

std::optional<long> ColumnStore::findText(const std::u16string& foldedText, long first, long last, long after) const {
    if (!textIndex_) buildTextIndex();
    const TextIndex::Slot& slot = textIndex_->slotOf(hash32(foldedText));
    std::optional<long> next, wrapped;
    for (Id id = slot.taken() ? slot.head : kNil; id != kNil; id = textIndex_->next[id]) {
        const long row = rowOf(id);
        if (row < first || row > last) continue;
        if (findKey(nodes_[id].cell) != foldedText) continue;  // another text of the same hash
        if (row > after && (!next || row < *next)) next = row;
        if (!wrapped || row < *wrapped) wrapped = row;
    }
    return next ? next : wrapped;
}

}  // namespace engine
