#include "engine/column_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "engine/criteria.h"
#include "engine/text_functions.h"
#include "host/constants.h"

using engine::Cell;
using engine::ColumnStore;
using engine::Criterion;
using host::Variant;

namespace {

Cell number(double n) {
    Cell c;
    c.value = Variant(n);
    return c;
}

std::map<long, double> contents(const ColumnStore& store) {
    std::map<long, double> out;
    store.forEach(1, host::kMaxRows, [&](long row, const Cell& c) {
        out[row] = c.value.number();
        return true;
    });
    return out;
}

// The reference model: an ordered map whose keys are shifted by hand.
void deleteRowsFrom(std::map<long, double>& model, long first, long count) {
    std::map<long, double> next;
    for (auto [row, v] : model) {
        if (row < first)
            next[row] = v;
        else if (row >= first + count)
            next[row - count] = v;
    }
    model = std::move(next);
}

TEST(ColumnStore, RandomEditsAgreeWithAPlainMap) {
    std::mt19937 rng(12345);
    ColumnStore store;
    std::map<long, double> model;
    for (int step = 0; step < 20000; ++step) {
        const int op = static_cast<int>(rng() % 10);
        const long row = 1 + static_cast<long>(rng() % 400);
        if (op < 5) {
            const double v = static_cast<double>(rng() % 7);
            store.set(row, number(v));
            model[row] = v;
        } else if (op < 7) {
            store.erase(row);
            model.erase(row);
        } else {
            const long count = 1 + static_cast<long>(rng() % 5);
            store.deleteRows(row, count);
            deleteRowsFrom(model, row, count);
        }
        if (step % 97 == 0) {
            ASSERT_EQ(contents(store), model) << "after step " << step;
            ASSERT_EQ(store.cellCount(), static_cast<long>(model.size()));
            const long lo = 1 + static_cast<long>(rng() % 200), hi = lo + static_cast<long>(rng() % 200);
            long expected = 0;
            for (auto [r, v] : model) expected += (r >= lo && r <= hi) ? 1 : 0;
            ASSERT_EQ(store.cellCountIn(lo, hi), expected);
            ASSERT_EQ(store.lastRow(), model.empty() ? 0 : model.rbegin()->first);
            ASSERT_EQ(store.firstRow(), model.empty() ? 0 : model.begin()->first);
        }
        for (auto [r, v] : model) {
            if (step % 500 != 0) break;
            const Cell* found = store.find(r);
            ASSERT_NE(found, nullptr);
            ASSERT_EQ(found->value.number(), v);
        }
    }
}

TEST(ColumnStore, CountIfUsesItsIndexAndStaysRightAcrossEdits) {
    std::mt19937 rng(7);
    ColumnStore store;
    std::map<long, double> model;
    for (long r = 1; r <= 3000; ++r) {
        const double v = static_cast<double>(rng() % 5);
        store.set(r, number(v));
        model[r] = v;
    }
    auto expectedCount = [&](long lo, long hi, double v) {
        long n = 0;
        for (auto [r, x] : model) n += (r >= lo && r <= hi && x == v) ? 1 : 0;
        return static_cast<double>(n);
    };
    const Criterion three = Criterion::parse(Variant(3.0));
    for (int round = 0; round < 200; ++round) {
        const long lo = 1 + static_cast<long>(rng() % 50);
        const long hi = 2900 + static_cast<long>(rng() % 200);
        ASSERT_EQ(store.countIf(lo, hi, three), expectedCount(lo, hi, 3.0)) << lo << ".." << hi;
        const long victim = 1 + static_cast<long>(rng() % 2500);
        store.deleteRows(victim, 1);
        deleteRowsFrom(model, victim, 1);
        const long written = 1 + static_cast<long>(rng() % 2500);
        store.set(written, number(3));
        model[written] = 3;
    }
}

Cell text(const std::u16string& t) {
    Cell c;
    c.value = Variant(t);
    return c;
}

TEST(ColumnStore, FindTextAgreesWithAScanAcrossEditsAndWrapsRound) {
    std::mt19937 rng(99);
    ColumnStore store;
    std::map<long, std::u16string> model;
    const std::u16string words[] = {u"apple", u"APPLE", u"pear", u"Plum"};
    auto scan = [&](const std::u16string& folded, long first, long last, long after) -> std::optional<long> {
        std::optional<long> wrapped;
        for (auto& [row, t] : model) {
            if (row < first || row > last || engine::foldCaseSimple(t) != folded) continue;
            if (row > after) return row;
            if (!wrapped) wrapped = row;
        }
        return wrapped;
    };
    for (int step = 0; step < 3000; ++step) {
        const long row = 1 + static_cast<long>(rng() % 300);
        if (rng() % 4 == 0) {
            store.deleteRows(row, 1);
            std::map<long, std::u16string> next;
            for (auto& [r, t] : model)
                if (r != row) next[r > row ? r - 1 : r] = t;
            model = std::move(next);
        } else {
            const auto& w = words[rng() % 4];
            store.set(row, text(w));
            model[row] = w;
        }
        if (step % 700 == 0) store.dropIndexes();  // built again from nodes some of them freed
        if (step % 50 == 0) {
            const long first = 1 + static_cast<long>(rng() % 100), last = first + static_cast<long>(rng() % 250);
            const long after = first + static_cast<long>(rng() % 50);
            for (const char16_t* key : {u"apple", u"pear", u"plum", u"fig"})
                ASSERT_EQ(store.findText(key, first, last, after), scan(key, first, last, after)) << step;
        }
    }
    ColumnStore copy(store);  // a copy builds its own index
    copy.set(1000, text(u"fig"));
    EXPECT_EQ(copy.findText(u"fig", 1, 2000, 1), 1000);
    EXPECT_EQ(store.findText(u"fig", 1, 2000, 1), std::nullopt);
}

TEST(ColumnStore, EmptyRowsMatchBlankCriteria) {
    ColumnStore store;
    store.set(2, number(1));
    store.set(5, number(1));
    EXPECT_EQ(store.countIf(1, 10, Criterion::parse(Variant(u""))), 8);
    EXPECT_EQ(store.countIf(1, 10, Criterion::parse(Variant(u"<>"))), 2);
    EXPECT_EQ(store.countContent(1, 10), 2);
    EXPECT_EQ(store.countContent(3, 4), 0);
}

// COUNTA of a single row counts a value, not a cell kept for its fill alone.
TEST(ColumnStore, CountingOneRowCountsItsValueNotItsFill) {
    ColumnStore store;
    Cell filled;
    filled.colorIndex = 6;
    store.set(3, filled);
    store.set(4, number(0));
    EXPECT_EQ(store.countContent(3, 3), 0);
    EXPECT_EQ(store.countContent(4, 4), 1);
    EXPECT_EQ(store.countContent(5, 5), 0);
    EXPECT_EQ(store.countContent(host::kMaxRows, host::kMaxRows), 0);
}

TEST(ColumnStore, CopiesAreIndependent) {
    ColumnStore original;
    original.set(1, number(1));
    original.set(3, number(3));
    ColumnStore copy(original);
    copy.deleteRows(1, 1);
    copy.set(10, number(10));
    EXPECT_EQ(contents(original), (std::map<long, double>{{1, 1}, {3, 3}}));
    EXPECT_EQ(contents(copy), (std::map<long, double>{{2, 3}, {10, 10}}));
}

// The copy a write makes takes the source's indexes along; both answer COUNTIF and Find
// from their own cells afterwards, and so they do after the indexes are dropped.
TEST(ColumnStore, IndexesGoWithACopyAndBothStayTrue) {
    ColumnStore original;
    for (long row = 1; row <= 3000; ++row) original.set(row, text(row % 3 ? u"pear" : u"plum"));
    const Criterion pear = Criterion::parse(Variant(u"pear"));
    ASSERT_EQ(original.countIf(1, 2990, pear), 1994);  // through the index: the range is most of the column
    ASSERT_EQ(original.findText(u"plum", 1, 3000, 1), 3);
    ColumnStore copy(original);
    copy.deleteRows(1, 3);
    copy.set(1, text(u"plum"));
    EXPECT_EQ(copy.countIf(1, 2990, pear), 1993);
    EXPECT_EQ(copy.findText(u"plum", 1, 3000, 0), 1);
    EXPECT_EQ(copy.findText(u"plum", 1, 3000, 1), 3);
    EXPECT_EQ(original.countIf(1, 2990, pear), 1994);
    EXPECT_EQ(original.findText(u"plum", 1, 3000, 0), 3);
    copy.dropIndexes();
    original.dropIndexes();
    EXPECT_EQ(copy.countIf(1, 2990, pear), 1993);
    EXPECT_EQ(copy.findText(u"plum", 1, 3000, 2), 3);
    EXPECT_EQ(original.countIf(2, 3000, pear), 1999);
    EXPECT_EQ(original.findText(u"pear", 1, 3000, 2999), 1);
}

// A column that loses most of its cells is built again from them (its freed nodes give their
// room back): through those rebuilds its cells, COUNTIF (whose index is kept) and Find (whose
// index is rebuilt) agree with a plain model, and so does a copy made afterwards.
TEST(ColumnStore, AColumnThatLostMostOfItsCellsStaysTrue) {
    std::mt19937 rng(4242);
    ColumnStore store;
    std::map<long, std::u16string> model;
    const std::u16string words[] = {u"ash", u"birch", u"cedar", u"elm", u"fir", u"oak", u"yew"};
    for (long row = 1; row <= 6000; ++row) {
        model[row] = words[static_cast<size_t>(row) % 7];
        store.set(row, text(model[row]));
    }
    const Criterion elm = Criterion::parse(Variant(u"elm"));
    auto check = [&](const ColumnStore& column, int step) {
        std::map<long, std::u16string> cells;
        column.forEach(1, host::kMaxRows, [&](long row, const Cell& c) {
            cells[row] = c.value.text();
            return true;
        });
        ASSERT_EQ(cells, model) << step;
        const long last = model.empty() ? 1 : model.rbegin()->first;
        double elms = 0;
        std::optional<long> firstFir;
        for (auto& [row, t] : model) {
            if (row >= 2 && t == u"elm") ++elms;
            if (row > 1 && t == u"fir" && !firstFir) firstFir = row;
        }
        ASSERT_EQ(column.countIf(2, host::kMaxRows, elm), elms) << step;
        std::optional<long> wrapped;
        for (auto& [row, t] : model)
            if (t == u"fir" && !wrapped) wrapped = row;
        ASSERT_EQ(column.findText(u"fir", 1, host::kMaxRows, 1), firstFir ? firstFir : wrapped) << step << " " << last;
    };
    check(store, -1);
    for (int step = 0; step < 5600; ++step) {
        const long row = 1 + static_cast<long>(rng() % static_cast<unsigned>(model.rbegin()->first));
        if (step % 5 == 0) {
            store.erase(row);
            model.erase(row);
        } else {
            store.deleteRows(row, 1);
            std::map<long, std::u16string> next;
            for (auto& [r, t] : model)
                if (r != row) next[r > row ? r - 1 : r] = t;
            model = std::move(next);
        }
        if (step % 400 == 0) check(store, step);
    }
    check(store, 5600);
    ColumnStore copy(store);
    check(copy, 5601);
}

// A column loaded in one go and then only written over, cleared and shortened, as the tools
// leave it, keeps its cells in the node array in row order and is walked there: walks over
// ranges, and lookups stepping down and up, agree with the model across runs of freed nodes
// both shorter and longer than the few the walk looks past.
TEST(ColumnStore, AColumnKeptInRowOrderAgreesWithTheModel) {
    std::mt19937 rng(99);
    ColumnStore store;
    std::map<long, double> model;
    std::vector<ColumnStore::RowCell> loaded;
    for (long row = 1; row <= 4000; ++row)
        if (row % 7 != 3) {  // a gap now and then
            loaded.push_back({row, number(static_cast<double>(row))});
            model[row] = static_cast<double>(row);
        }
    store.append(std::move(loaded));
    auto cellsIn = [](const ColumnStore& column, long first, long last) {
        std::map<long, double> cells;
        column.forEach(first, last, [&](long row, const Cell& c) {
            cells[row] = c.value.number();
            return true;
        });
        return cells;
    };
    auto modelIn = [&](long first, long last) {
        return std::map<long, double>(model.lower_bound(first), model.upper_bound(last));
    };
    for (int step = 0; step < 1500 && !model.empty(); ++step) {
        const long last = model.rbegin()->first;
        const long row = 1 + static_cast<long>(rng() % static_cast<unsigned>(last));
        switch (rng() % 5) {
        case 0:  // written over, where a cell is
            if (model.count(row)) store.set(row, number(-step)), model[row] = -step;
            break;
        case 1: store.erase(row), model.erase(row); break;
        case 2: store.deleteRows(row, 1), deleteRowsFrom(model, row, 1); break;
        case 3:  // a run longer than the walk looks past
            store.deleteRows(row, 40), deleteRowsFrom(model, row, 40);
            break;
        default:
            for (long r = row; r > row - 30 && r > 0; --r) store.erase(r), model.erase(r);
        }
        const long first = 1 + static_cast<long>(rng() % static_cast<unsigned>(last));
        ASSERT_EQ(cellsIn(store, first, first + 200), modelIn(first, first + 200)) << "step " << step;
        for (long r = first; r < first + 60; ++r) {  // down, then back up
            const Cell* c = store.find(r);
            ASSERT_EQ(c != nullptr, model.count(r) == 1) << "step " << step << " row " << r;
        }
        for (long r = first + 60; r >= first && r > 0; --r) {
            const Cell* c = store.find(r);
            ASSERT_EQ(c ? c->value.number() : 0.5, model.count(r) ? model[r] : 0.5) << "step " << step << " row " << r;
        }
        if (step % 100 == 0) {
            ASSERT_EQ(cellsIn(store, 1, host::kMaxRows), model) << "step " << step;
        }
    }
    ASSERT_EQ(cellsIn(ColumnStore(store), 1, host::kMaxRows), model);
}

TEST(ColumnStore, DeletingPastTheLastCellOrTheWholeColumnIsSafe) {
    ColumnStore store;
    store.set(host::kMaxRows, number(9));
    store.deleteRows(host::kMaxRows - 1, 5);
    EXPECT_EQ(store.cellCount(), 0);
    store.set(1, number(1));
    store.deleteRows(1, host::kMaxRows);
    EXPECT_EQ(store.cellCount(), 0);
    EXPECT_EQ(store.lastRow(), 0);
}

}  // namespace

// Lookups walk down from the last cell found: walks in order, through gaps, backwards and
// after edits that change the column's shape must all agree with the model.
TEST(ColumnStore, FindAgreesWithTheModelWhetherWalkingOrJumping) {
    std::mt19937 rng(777);
    ColumnStore store;
    std::map<long, double> model;
    auto check = [&](long row) {
        const auto it = model.find(row);
        long visited = 0;  // a one-row range is read from the finger, as a lookup is
        store.forEach(row, row, [&](long at, const Cell& c) {
            EXPECT_EQ(at, row);
            EXPECT_TRUE(it != model.end() && c.value.number() == it->second) << "row " << row;
            return ++visited > 0;
        });
        ASSERT_EQ(visited, it == model.end() ? 0 : 1) << "row " << row;
        const Cell* found = store.find(row);
        if (it == model.end()) {
            ASSERT_EQ(found, nullptr) << "row " << row;
        } else {
            ASSERT_NE(found, nullptr) << "row " << row;
            ASSERT_EQ(found->value.number(), it->second) << "row " << row;
        }
    };
    for (int step = 0; step < 3000; ++step) {
        const long row = 1 + static_cast<long>(rng() % 300);
        switch (rng() % 8) {
        case 0: store.set(row, number(step)), model[row] = step; break;
        case 1: store.erase(row), model.erase(row); break;
        case 2: store.deleteRows(row, 3), deleteRowsFrom(model, row, 3); break;
        case 6:  // a walk down that deletes each empty row it meets, staying on the row
            for (long r = row, steps = 0; steps < 40; ++steps) {
                check(r);
                if (model.count(r)) {
                    ++r;
                    continue;
                }
                store.deleteRows(r, 1), deleteRowsFrom(model, r, 1);
            }
            break;
        case 7:  // a walk up that deletes every other row, empty or not
            for (long r = row; r > row - 40 && r > 0; --r) {
                check(r);
                if (r % 2 == 0) store.deleteRows(r, 1), deleteRowsFrom(model, r, 1);
            }
            break;
        case 3:
            for (long r = row; r < row + 40; ++r) check(r);  // a walk down, gaps included
            break;
        case 4:
            for (long r = row; r > row - 40 && r > 0; --r) check(r);  // and up
            break;
        default:
            check(row);
            store.set(row, number(-step));  // overwriting keeps the shape
            model[row] = -step;
            check(row + 1);
        }
    }
}

// The duplicate and organiser tools walk a column from the bottom up, reading each row and
// clearing it or deleting it as they go: every find on the way, and the counts after, agree
// with a model, whatever the mix of cells, gaps, clears and deletions.
TEST(ColumnStore, AWalkUpThatClearsAndDeletesRowsAgreesWithTheModel) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 40; ++round) {
        ColumnStore store;
        std::map<long, double> model;
        for (long r = 1; r <= 400; ++r)
            if (rng() % 3 != 0) store.set(r, number(static_cast<double>(r % 9))), model[r] = r % 9;
        const Criterion four = Criterion::parse(Variant(4.0));
        store.countIf(1, host::kMaxRows, four);  // the count index is kept up through the walk
        for (long r = 420; r >= 1; --r) {
            if (r % 100 == 0) store.dropIndexes();  // built again from nodes some of them freed
            const Cell* found = store.find(r);
            ASSERT_EQ(found != nullptr, model.count(r) == 1) << "round " << round << ", row " << r;
            ASSERT_EQ(store.countContent(r, r), static_cast<long>(model.count(r)))
                << "round " << round << ", row " << r;
            if (found) {
                ASSERT_EQ(found->value.number(), model[r]);
                // The count of the row's own entry, as the walks ask it before they act.
                const Criterion same = Criterion::parse(Variant(model[r]));
                const auto matching =
                    std::count_if(model.begin(), model.end(), [&](const auto& e) { return e.second == model[r]; });
                ASSERT_EQ(store.countIf(1, host::kMaxRows, same), static_cast<double>(matching))
                    << "round " << round << ", row " << r;
            }
            switch (rng() % 4) {
            case 0: store.erase(r), model.erase(r); break;
            case 1: store.deleteRows(r, 1), deleteRowsFrom(model, r, 1); break;
            default: break;
            }
        }
        ASSERT_EQ(contents(store), model) << "round " << round;
        ASSERT_EQ(store.cellCount(), static_cast<long>(model.size()));
        ASSERT_EQ(store.lastRow(), model.empty() ? 0 : model.rbegin()->first);
        const auto fours = std::count_if(model.begin(), model.end(), [](const auto& e) { return e.second == 4; });
        ASSERT_EQ(store.countIf(1, host::kMaxRows, four), static_cast<double>(fours));
    }
}

TEST(ColumnStore, AppendBuildsTheColumnThatCellByCellWritesBuild) {
    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        ColumnStore bulk, single;
        std::map<long, double> model;
        long row = 0;
        for (int batch = 0; batch < 5; ++batch) {
            std::vector<ColumnStore::RowCell> cells;
            for (int i = 0; i < 200; ++i) {
                row += 1 + static_cast<long>(rng() % 4);
                Cell c = rng() % 10 == 0 ? Cell{} : number(static_cast<double>(row));  // void cells store nothing
                if (!c.isVoid()) model[row] = static_cast<double>(row);
                single.set(row, c);
                cells.push_back({row, std::move(c)});
            }
            bulk.append(std::move(cells));
            ASSERT_EQ(contents(bulk), model);
            ASSERT_EQ(bulk.cellCount(), static_cast<long>(model.size()));
            ASSERT_EQ(bulk.lastRow(), model.rbegin()->first);
        }
        EXPECT_EQ(contents(bulk), contents(single));
        // The built tree carries right sums: edits and row deletions keep agreeing.
        bulk.deleteRows(5, 17);
        deleteRowsFrom(model, 5, 17);
        bulk.set(3, number(-1));
        model[3] = -1;
        EXPECT_EQ(contents(bulk), model);
        EXPECT_EQ(bulk.cellCountIn(1, 300),
                  static_cast<long>(std::count_if(model.begin(), model.end(), [](auto& e) { return e.first <= 300; })));
    }
}

TEST(ColumnStore, AppendOutOfOrderFallsBackToWritingEachCell) {
    ColumnStore store;
    store.set(10, number(10));
    std::vector<ColumnStore::RowCell> cells;
    cells.push_back({12, number(12)});
    cells.push_back({5, number(5)});    // above the last stored cell
    cells.push_back({12, number(13)});  // the same row again: the later value wins
    store.append(std::move(cells));
    EXPECT_EQ(contents(store), (std::map<long, double>{{5, 5}, {10, 10}, {12, 13}}));
}

// A fill written over a cell keeps its value: the count and Find indexes stay as they were,
// and a value written after that still moves them.
TEST(ColumnStore, FillingCellsKeepsTheIndexesRight) {
    ColumnStore store;
    for (long r = 1; r <= 100; ++r) store.set(r, text(r % 2 ? u"Odd" : u"even"));
    const Criterion odd = Criterion::parse(Variant(u"odd"));
    ASSERT_EQ(store.countIf(1, 100, odd), 50);        // builds the count index
    ASSERT_EQ(store.findText(u"odd", 1, 100, 0), 1);  // and the Find index
    for (long r = 1; r <= 100; ++r) {
        Cell filled = *store.find(r);
        filled.colorIndex = 6;
        store.set(r, filled);
    }
    EXPECT_EQ(store.countIf(1, 100, odd), 50);
    EXPECT_EQ(store.findText(u"odd", 2, 100, 2), 3);
    Cell changed = text(u"even");
    changed.colorIndex = 6;
    store.set(1, changed);
    EXPECT_EQ(store.countIf(1, 100, odd), 49);
    EXPECT_EQ(store.findText(u"odd", 1, 100, 0), 3);
    EXPECT_EQ(store.find(1)->colorIndex, 6);
}
