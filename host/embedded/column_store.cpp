#include "host/embedded/column_store.h"

#include "host/constants.h"
#include "host/embedded/criteria.h"

namespace host::embedded {

struct ColumnStore::Node {
    Id left = kNil, right = kNil;
    std::uint32_t priority = 0;
    long gap = 0;    // empty rows before this node's cell
    long span = 1;   // rows covered by the subtree: sum of gap + 1
    long count = 1;  // nodes in the subtree
    Cell cell;
};

struct ColumnStore::Index {
    std::unordered_map<std::u16string, long> counts;
};

ColumnStore::ColumnStore() = default;
ColumnStore::~ColumnStore() = default;

ColumnStore::ColumnStore(const ColumnStore& other)
    : nodes_(other.nodes_), free_(other.free_), root_(other.root_), seed_(other.seed_),
      index_(other.index_ ? std::make_unique<Index>(*other.index_) : nullptr),
      contentCount_(other.contentCount_) {}

ColumnStore::Id ColumnStore::newNode(long gap, Cell cell) {
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 7;
    seed_ ^= seed_ << 17;
    Node node;
    node.priority = static_cast<std::uint32_t>(seed_ >> 32);
    node.gap = gap;
    node.span = gap + 1;
    node.cell = std::move(cell);
    if (node.cell.hasContent()) ++contentCount_;
    indexAdd(node.cell, +1);
    if (!free_.empty()) {
        const Id id = free_.back();
        free_.pop_back();
        nodes_[id] = std::move(node);
        return id;
    }
    nodes_.push_back(std::move(node));
    return static_cast<Id>(nodes_.size() - 1);
}

void ColumnStore::freeTree(Id t) {
    if (t == kNil) return;
    freeTree(nodes_[t].left);
    freeTree(nodes_[t].right);
    if (nodes_[t].cell.hasContent()) --contentCount_;
    indexAdd(nodes_[t].cell, -1);
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
    }
    if (n.right != kNil) {
        n.span += nodes_[n.right].span;
        n.count += nodes_[n.right].count;
    }
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
    if (nodes_[a].priority > nodes_[b].priority) {
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
        if (pos <= n.gap) return nullptr;
        if (pos == n.gap + 1) return &n.cell;
        pos -= n.gap + 1;
        t = n.right;
    }
    return nullptr;
}

void ColumnStore::set(long row, Cell cell) {
    if (cell.isVoid()) {
        erase(row);
        return;
    }
    if (const Cell* existing = find(row)) {
        Cell& target = const_cast<Cell&>(*existing);
        if (target.hasContent()) --contentCount_;
        indexAdd(target, -1);
        target = std::move(cell);
        if (target.hasContent()) ++contentCount_;
        indexAdd(target, +1);
        return;
    }
    const long last = lastRow();
    if (row > last) {  // appending below the last cell, as a file loads: no splits needed
        const Id node = newNode(row - last - 1, std::move(cell));
        root_ = mergeTrees(root_, node);
        return;
    }
    auto [before, after] = split(root_, row - 1);
    auto [emptyRow, rest] = split(after, 1);
    (void)emptyRow;  // the row was empty: no node there
    const Id node = newNode(0, std::move(cell));
    root_ = merge(merge(before, row - 1, node), row, rest);
}

void ColumnStore::erase(long row) {
    if (!find(row)) return;
    auto [before, after] = split(root_, row - 1);
    auto [removed, rest] = split(after, 1);
    freeTree(removed);
    root_ = merge(before, row, rest);
}

void ColumnStore::deleteRows(long first, long count) {
    if (count <= 0 || root_ == kNil || first > nodes_[root_].span) return;
    auto [before, after] = split(root_, first - 1);
    auto [removed, rest] = split(after, count);
    freeTree(removed);
    root_ = merge(before, first - 1, rest);
}

bool ColumnStore::visit(Id t, long offset, long first, long last,
                        const std::function<bool(long, const Cell&)>& fn) const {
    if (t == kNil || offset + 1 > last) return true;
    const Node& n = nodes_[t];
    const long leftSpan = n.left == kNil ? 0 : nodes_[n.left].span;
    if (offset + leftSpan >= first && !visit(n.left, offset, first, last, fn)) return false;
    const long row = offset + leftSpan + n.gap + 1;
    if (row >= first && row <= last && !fn(row, n.cell)) return false;
    if (row < last) return visit(n.right, row, first, last, fn);
    return true;
}

bool ColumnStore::forEach(long first, long last,
                          const std::function<bool(long, const Cell&)>& visitFn) const {
    return visit(root_, 0, first, last, visitFn);
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
    return rank(last) - rank(first - 1);
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
    for (const auto& key : matchKeys(cell.value)) {
        long& n = index_->counts[key];
        n += delta;
        if (n == 0) index_->counts.erase(key);
    }
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
    const auto key = criterion.indexKey();
    const long outside = cellCount() - inside;
    if (!key || criterion.matches(Variant()) || inside <= outside) return n + scan(first, last);
    if (!index_) {
        index_ = std::make_unique<Index>();
        forEach(1, host::kMaxRows, [&](long, const Cell& c) {
            indexAdd(c, +1);
            return true;
        });
    }
    const auto it = index_->counts.find(*key);
    const double total = it == index_->counts.end() ? 0 : static_cast<double>(it->second);
    return n + total - scan(1, first - 1) - scan(last + 1, host::kMaxRows);
}

long ColumnStore::countContent(long first, long last) const {
    if (last < first) return 0;
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

}  // namespace host::embedded
