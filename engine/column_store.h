#pragma once
// One column of a sheet: a sparse sequence of 1,048,576 rows in an implicit treap, so that
// finding a cell, writing one and deleting rows (shifting the rest up) are O(log n).
// Each node is a run of empty rows followed by one stored cell; subtree sums give row numbers.
// A lazily built count index (match key -> number of cells) answers COUNTIF without a scan.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/cell.h"

namespace engine {

class CountIndex;
class Criterion;

class ColumnStore {
public:
    ColumnStore();
    ColumnStore(const ColumnStore& other);
    ColumnStore& operator=(const ColumnStore&) = delete;
    ~ColumnStore();

    const Cell* find(long row) const;
    // Stores the cell; a void cell erases the row.
    void set(long row, Cell cell);
    struct RowCell {
        long row;
        Cell cell;
    };
    // Stores cells in rising rows below the last stored one (as a file loads) in time linear
    // in their number; cells out of that order are stored one by one.
    void append(std::vector<RowCell>&& cells);
    void erase(long row);
    // Deletes rows first..first+count-1; the rows below move up.
    void deleteRows(long first, long count);

    // Visits stored cells with first <= row <= last, top to bottom; stop by returning false.
    bool forEach(long first, long last, const std::function<bool(long row, const Cell&)>& visit) const;
    long cellCount() const;  // stored cells (any, also fill-only)
    long formulaCount() const { return formulaCount_; }
    long commentCount() const { return commentCount_; }
    long cellCountIn(long first, long last) const;
    long firstRow() const;  // 0 when empty
    long lastRow() const;   // 0 when empty

    // COUNTIF over rows first..last of this column.
    double countIf(long first, long last, const Criterion& criterion) const;
    // Cells with content (COUNTA) in rows first..last.
    long countContent(long first, long last) const;
    // Find of a whole cell's text, ignoring case: the first row after `after` within
    // first..last whose text folds to `foldedText`, else the first such row from `first`
    // (the search wraps round); nothing when no cell matches. A lazily built index keeps it
    // proportional to the number of matching cells.
    std::optional<long> findText(const std::u16string& foldedText, long first, long last, long after) const;
    // Frees the count and text indexes; the next COUNTIF or Find builds them again.
    void dropIndexes() const;

private:
    struct Node;
    struct TextIndex;
    using Id = std::int32_t;
    static constexpr Id kNil = -1;

    static std::uint32_t priorityOf(Id id);
    void tally(const Cell& cell, long delta);  // the counts of contents, formulas and comments
    Id newNode(long gap, Cell cell);
    void compactIfSparse();
    void takeCells(Id t, long offset, std::vector<RowCell>& cells);
    void freeTree(Id t);
    void update(Id t);
    void updateUpwards(Id t);  // update from t to the root
    void unlinkNode(Id node, long row, long keptRows);
    void shrinkGap(Id node, long row);
    void addToLeftmostGap(Id t, long delta);
    std::pair<Id, Id> split(Id t, long rows);
    Id merge(Id left, long leftRows, Id right);
    Id mergeTrees(Id a, Id b);
    long rank(long row) const;  // stored cells with row <= row
    std::pair<Id, long> firstNodeFrom(long first) const;
    void indexAdd(const Cell& cell, long delta) const;
    void textIndexAdd(Id node) const;
    void textIndexRemove(Id node) const;
    void prefetchNextCount() const;
    void buildTextIndex() const;
    Id findNode(long row) const;
    struct Place {
        Id node;
        bool inGap;  // the row is in the node's gap, not its cell
    };
    Place locate(long row) const;  // from the root
    Place placeOf(long row) const;
    Id neighbour(Id node, bool down) const;
    Id stepFrom(Id node, bool down) const;
    Id successor(Id node) const { return stepFrom(node, true); }
    Id predecessor(Id node) const { return stepFrom(node, false); }
    Id moveFinger(Id node, long row) const;
    long rowOf(Id node) const;
    void setRoot(Id root);

    std::vector<Node> nodes_;
    std::vector<Id> free_;
    Id root_ = kNil;
    mutable std::unique_ptr<CountIndex> index_;
    mutable std::unique_ptr<TextIndex> textIndex_;
    // The last cell found and its row: a tool walking a column row by row finds the next cell
    // as the finger's successor instead of from the root. Any change of shape drops it.
    mutable Id finger_ = kNil;
    mutable long fingerRow_ = 0;
    mutable long lastCountRow_ = 0;  // the finger's row at the last count: a walk's direction
    long contentCount_ = 0;
    long formulaCount_ = 0;
    long commentCount_ = 0;
    // Whether the nodes' ids rise with their rows, as in a column loaded or compacted and then
    // only written over, cleared or shortened: a walk over many cells then reads the node
    // array in order, skipping the free nodes (whose cells are void, which a stored cell never
    // is), instead of stepping through the tree. A cell placed anywhere else clears it.
    bool inRowOrder_ = true;
};

}  // namespace engine
