// The edit log against the plain replay of every edit one by one, from every point a holder
// may have reached: runs of one-line deletions are kept as blocks, and replaying part of a
// block must land each area where the edits one by one would.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/edit_log.h"
#include "host/constants.h"

using engine::Area;
using engine::EditLog;
using engine::StructuralEdit;

namespace {

using Kind = StructuralEdit::Kind;

std::vector<Area> oneByOne(std::vector<Area> areas, const std::vector<StructuralEdit>& edits, size_t from) {
    for (size_t i = from; i < edits.size(); ++i) {
        std::vector<Area> kept;
        for (const Area& a : areas)
            if (auto moved = engine::follow(a, edits[i])) kept.push_back(*moved);
        areas = std::move(kept);
    }
    return areas;
}

// Areas of every shape near the edits: single cells, spans across the deleted lines, whole
// columns and rows (which a deletion of cells leaves alone).
std::vector<Area> probes() {
    std::vector<Area> areas;
    for (long r = 1; r <= 24; r += 3)
        for (long h : {0L, 2L, 9L}) areas.push_back(Area{r, 2, r + h, 3});
    areas.push_back(Area{1, 2, host::kMaxRows, 2});     // a whole column
    areas.push_back(Area{5, 1, 5, host::kMaxColumns});  // a whole row
    areas.push_back(Area{4, 1, 12, 4});                 // wider than the deleted columns
    areas.push_back(Area{3, 5, 4, 9});                  // for the deletions to the left
    return areas;
}

void expectSameAsOneByOne(const std::vector<StructuralEdit>& edits) {
    EditLog log;
    for (const auto& e : edits) log.add(e);
    ASSERT_EQ(log.size(), edits.size());
    for (size_t seq = 0; seq <= edits.size(); ++seq) {
        std::vector<Area> areas = probes();
        size_t at = seq;
        log.replay(areas, at);
        EXPECT_EQ(at, edits.size());
        const std::vector<Area> expected = oneByOne(probes(), edits, seq);
        ASSERT_EQ(areas.size(), expected.size()) << "from edit " << seq;
        for (size_t i = 0; i < areas.size(); ++i) {
            EXPECT_EQ(areas[i].row1, expected[i].row1) << "from edit " << seq << ", area " << i;
            EXPECT_EQ(areas[i].row2, expected[i].row2) << "from edit " << seq << ", area " << i;
            EXPECT_EQ(areas[i].col1, expected[i].col1) << "from edit " << seq << ", area " << i;
            EXPECT_EQ(areas[i].col2, expected[i].col2) << "from edit " << seq << ", area " << i;
        }
    }
}

StructuralEdit rowsUp(long first, long last, long col1 = 2, long col2 = 3) {
    return {Kind::ShiftUp, Area{first, col1, last, col2}};
}

TEST(EditLog, RowsDeletedGoingUpReplayFromAnyPoint) {
    std::vector<StructuralEdit> edits;
    for (long r = 20; r >= 6; --r) edits.push_back(rowsUp(r, r));
    expectSameAsOneByOne(edits);
}

TEST(EditLog, TheSameRowDeletedAgainAndAgainReplaysFromAnyPoint) {
    std::vector<StructuralEdit> edits;
    for (int i = 0; i < 12; ++i) edits.push_back(rowsUp(7, 7));
    edits.push_back(rowsUp(6, 6));  // then one above: the run goes on
    edits.push_back(rowsUp(6, 6));
    expectSameAsOneByOne(edits);
}

TEST(EditLog, RunsBreakWhereTheEditsStopContinuingThem) {
    expectSameAsOneByOne({rowsUp(10, 10),
                          rowsUp(9, 9),
                          rowsUp(4, 4),
                          rowsUp(4, 4),        // a gap
                          rowsUp(4, 4, 2, 4),  // other columns
                          rowsUp(3, 5),
                          rowsUp(3, 3),  // a block
                          {Kind::ShiftLeft, Area{3, 6, 4, 6}},
                          {Kind::ShiftLeft, Area{3, 6, 4, 6}},
                          {Kind::ShiftLeft, Area{3, 5, 4, 5}},
                          rowsUp(2, 2)});
}

TEST(EditLog, RandomEditsReplayAsOneByOne) {
    std::mt19937 random(17);
    for (int round = 0; round < 40; ++round) {
        std::vector<StructuralEdit> edits;
        long row = 15;
        for (int i = 0; i < 30; ++i) {
            switch (random() % 5) {
            case 0: row = std::max(1L, row - 1); break;  // going up
            case 1: break;                               // the same row
            case 2: row = 1 + static_cast<long>(random() % 25); break;
            case 3: edits.push_back(rowsUp(row, row + static_cast<long>(random() % 3))); continue;
            default: edits.push_back({Kind::ShiftLeft, Area{3, 5 + static_cast<long>(random() % 3), 4, 6}}); continue;
            }
            edits.push_back(rowsUp(row, row));
        }
        expectSameAsOneByOne(edits);
    }
}

// At the sheet's last row a deletion of that row again takes no row from below: it is not
// one more row of the block.
TEST(EditLog, TheLastRowDeletedTwice) {
    const long last = host::kMaxRows;
    EditLog log;
    log.add(rowsUp(last, last));
    log.add(rowsUp(last, last));
    std::vector<Area> areas{Area{last - 1, 2, last, 2}, Area{last, 2, last, 2}};
    size_t seq = 0;
    log.replay(areas, seq);
    ASSERT_EQ(areas.size(), 1u);
    EXPECT_EQ(areas[0].row1, last - 1);
    EXPECT_EQ(areas[0].row2, last - 1);
    EXPECT_EQ(seq, 2u);
}

// A million one-row deletions up a column, as remove-duplicates makes them, replay from the
// start and from the middle.
TEST(EditLog, AMillionDeletionsGoingUp) {
    EditLog log;
    const long n = host::kMaxRows;
    for (long r = n; r >= 2; --r) log.add(rowsUp(r, r, 1, 1));
    std::vector<Area> fromStart{Area{1, 1, n - 1, 1}, Area{2, 1, 2, 1}};  // n rows would be the whole column
    size_t seq = 0;
    log.replay(fromStart, seq);
    ASSERT_EQ(fromStart.size(), 1u);
    EXPECT_EQ(fromStart[0].row2, 1);
    std::vector<Area> fromMiddle{Area{1, 1, n / 2, 1}};  // after n/2 deletions: rows 1..n/2 are left
    seq = static_cast<size_t>(n / 2);
    log.replay(fromMiddle, seq);
    ASSERT_EQ(fromMiddle.size(), 1u);
    EXPECT_EQ(fromMiddle[0].row1, 1);
    EXPECT_EQ(fromMiddle[0].row2, 1);
}

}  // namespace
