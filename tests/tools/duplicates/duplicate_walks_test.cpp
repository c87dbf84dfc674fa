// The walks of the duplicate cleaner on the engine, without the dialog: what each tool
// removes in each deletion mode, and what it reports per item.
#include <gtest/gtest.h>

#include "host/application.h"
#include "host/range.h"
#include "tests/support/sheet_builder.h"
#include "tests/tools/duplicates/walk_recorder.h"

using duplicatestest::WalkRecorder;
using tools::duplicates::DeletionMode;
using Column = std::vector<std::u16string>;

namespace {

std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

testsupport::Rows rowsOf(const Column& entries) {
    testsupport::Rows rows;
    for (const auto& e : entries) rows.push_back({e});
    return rows;
}

enum class Tool { KeepFirst, RemoveAll, Uniques };

// Walks column A holding `entries` and returns column A over the same rows afterwards.
Column walk(Tool tool, const Column& entries, WalkRecorder& recorder) {
    auto t = testsupport::makeHost(rowsOf(entries));
    const long n = static_cast<long>(entries.size());
    auto target = t.app->Range(u"A1:A" + u16(std::to_string(n)));
    if (tool == Tool::Uniques)
        tools::duplicates::walkUniques(*t.app, target, recorder);
    else
        tools::duplicates::walkDuplicates(*t.app, target, tool == Tool::RemoveAll, recorder);
    return testsupport::column(*t.sheet, u"A1:A" + u16(std::to_string(n)));
}

Column walk(Tool tool, const Column& entries, DeletionMode mode) {
    WalkRecorder recorder(mode);
    return walk(tool, entries, recorder);
}

const Column kMixedCase = {u"a", u"b", u"A", u"a", u"c"};

TEST(KeepFirst, ClearsLaterCopiesWhateverTheirCase) {
    EXPECT_EQ(walk(Tool::KeepFirst, kMixedCase, DeletionMode::ClearContents), (Column{u"a", u"b", u"", u"", u"c"}));
}

TEST(KeepFirst, ShiftUpAndEntireRowCloseTheGaps) {
    const Column closed = {u"a", u"b", u"c", u"", u""};
    EXPECT_EQ(walk(Tool::KeepFirst, kMixedCase, DeletionMode::ShiftUp), closed);
    EXPECT_EQ(walk(Tool::KeepFirst, kMixedCase, DeletionMode::EntireRow), closed);
}

TEST(KeepFirst, NoModeChangesNothing) { EXPECT_EQ(walk(Tool::KeepFirst, kMixedCase, DeletionMode::None), kMixedCase); }

TEST(RemoveAll, LeavesOnlyEntriesThatWereUnique) {
    EXPECT_EQ(walk(Tool::RemoveAll, kMixedCase, DeletionMode::ClearContents), (Column{u"", u"b", u"", u"", u"c"}));
    EXPECT_EQ(walk(Tool::RemoveAll, kMixedCase, DeletionMode::ShiftUp), (Column{u"b", u"c", u"", u"", u""}));
    EXPECT_EQ(walk(Tool::RemoveAll, kMixedCase, DeletionMode::EntireRow), (Column{u"b", u"c", u"", u"", u""}));
}

TEST(RemoveAll, ListsEachDuplicatedEntryOnceAndCountsItInTheTotal) {
    WalkRecorder r(DeletionMode::ClearContents);
    walk(Tool::RemoveAll, {u"x", u"y", u"x", u"y", u"x", u"z"}, r);
    // Rows 6..1: z, x(3), y(2: listed), x(2: listed), y(1), x(1).
    EXPECT_EQ(r.firstPassTotals, (std::vector<std::int32_t>{6, 6, 7, 8, 8, 8}));
    EXPECT_EQ(r.secondPassTotals, (std::vector<std::int32_t>{8, 8}));
    EXPECT_EQ(r.counts, (std::vector<std::int32_t>{6}));
}

TEST(RemoveUniques, RemovesEntriesThatOccurOnce) {
    EXPECT_EQ(walk(Tool::Uniques, kMixedCase, DeletionMode::ClearContents), (Column{u"a", u"", u"A", u"a", u""}));
    EXPECT_EQ(walk(Tool::Uniques, kMixedCase, DeletionMode::ShiftUp), (Column{u"a", u"A", u"a", u"", u""}));
    EXPECT_EQ(walk(Tool::Uniques, kMixedCase, DeletionMode::EntireRow), (Column{u"a", u"A", u"a", u"", u""}));
    EXPECT_EQ(walk(Tool::Uniques, kMixedCase, DeletionMode::None), kMixedCase);
}

TEST(AllWalks, NeverRemoveEmptyOrOverlongEntries) {
    const std::u16string longText(300, u'L');
    const Column entries = {longText, u"", longText, u"   ", u"   "};
    for (Tool tool : {Tool::KeepFirst, Tool::RemoveAll, Tool::Uniques})
        EXPECT_EQ(walk(tool, entries, DeletionMode::ClearContents), (Column{longText, u"", longText, u"   ", u"   "}));
}

TEST(AllWalks, TrailingSpaceMakesADifferentEntry) {
    EXPECT_EQ(walk(Tool::KeepFirst, {u"abc", u"abc "}, DeletionMode::ClearContents), (Column{u"abc", u"abc "}));
}

// Entries that read as COUNTIF criteria are counted as themselves: a unique "a*" is not a
// duplicate of "abc", nor ">5" of 6, nor "~" of anything.
TEST(AllWalks, CriteriaLikeEntriesCountAsThemselves) {
    const Column entries = {u"a*", u"abc", u"apple", u">5", u"6", u"7", u"~", u"~", u"*", u"?"};
    EXPECT_EQ(walk(Tool::KeepFirst, entries, DeletionMode::ClearContents),
              (Column{u"a*", u"abc", u"apple", u">5", u"6", u"7", u"~", u"", u"*", u"?"}));
    EXPECT_EQ(walk(Tool::RemoveAll, entries, DeletionMode::ShiftUp),
              (Column{u"a*", u"abc", u"apple", u">5", u"6", u"7", u"*", u"?", u"", u""}));
    EXPECT_EQ(walk(Tool::Uniques, entries, DeletionMode::ShiftUp),
              (Column{u"~", u"~", u"", u"", u"", u"", u"", u"", u"", u""}));
}

// The second pass finds the surviving copy as itself too, not the first cell its wildcards match.
TEST(RemoveAll, SecondPassFindsTheWildcardEntryItself) {
    EXPECT_EQ(walk(Tool::RemoveAll, {u"abc", u"a*", u"a*"}, DeletionMode::ClearContents), (Column{u"abc", u"", u""}));
}

TEST(AllWalks, ANumberAndTheSameNumberAsTextAreDuplicates) {
    EXPECT_EQ(walk(Tool::KeepFirst, {u"5", u"'5", u"x"}, DeletionMode::ClearContents), (Column{u"5", u"", u"x"}));
    EXPECT_EQ(walk(Tool::RemoveAll, {u"'5", u"5", u"x"}, DeletionMode::ShiftUp), (Column{u"x", u"", u""}));
    EXPECT_EQ(walk(Tool::Uniques, {u"5", u"'5", u"x"}, DeletionMode::ShiftUp), (Column{u"5", u"5", u""}));
}

TEST(AllWalks, ErrorValuesAreSkipped) {
    const Column entries = {u"a", u"a", u"=1/0", u"a", u"=1/0"};
    EXPECT_EQ(walk(Tool::KeepFirst, entries, DeletionMode::ClearContents),
              (Column{u"a", u"", u"#DIV/0!", u"", u"#DIV/0!"}));
    EXPECT_EQ(walk(Tool::Uniques, {u"=1/0", u"b"}, DeletionMode::ClearContents), (Column{u"#DIV/0!", u""}));
}

TEST(Stop, FirstPassEndsAfterTheCurrentRow) {
    WalkRecorder r(DeletionMode::ClearContents);
    r.stopAfter = 1;
    EXPECT_EQ(walk(Tool::KeepFirst, {u"a", u"a", u"a"}, r), (Column{u"a", u"a", u""}));
    EXPECT_EQ(r.visited, 1);
}

// Stopped in the first pass, remove-all still handles the first listed entry.
TEST(Stop, RemoveAllSecondPassHandlesOneEntryAfterAStop) {
    WalkRecorder r(DeletionMode::ClearContents);
    r.stopAfter = 3;  // rows 4, 3 and 2: "b" and "a" are listed
    EXPECT_EQ(walk(Tool::RemoveAll, {u"a", u"a", u"b", u"b"}, r), (Column{u"a", u"", u"", u""}));
    EXPECT_EQ(r.firstPassTotals.size(), 3u);
    EXPECT_EQ(r.secondPassTotals.size(), 1u);
}

TEST(Stop, RemoveAllStopsInTheSecondPass) {
    WalkRecorder r(DeletionMode::ClearContents);
    r.stopAfter = 5;  // four rows, then the first of the two listed entries
    EXPECT_EQ(walk(Tool::RemoveAll, {u"a", u"b", u"a", u"b"}, r),
              (Column{u"a", u"", u"", u""}));  // "b" was listed first
    EXPECT_EQ(r.secondPassTotals, (std::vector<std::int32_t>{6}));
}

TEST(EntireRow, DeletesTheSheetRowAndMovesTheRestUp) {
    testsupport::Rows rows(12);
    for (long r = 0; r < 12; ++r) rows[r] = {u"k" + u16(std::to_string(r)), u"side" + u16(std::to_string(r))};
    rows[9][0] = u"k0";
    auto t = testsupport::makeHost(rows);
    WalkRecorder r(DeletionMode::EntireRow);
    tools::duplicates::walkDuplicates(*t.app, t.app->Range(u"A1:A12"), false, r);
    EXPECT_EQ(testsupport::column(*t.sheet, u"B9:B12"), (Column{u"side8", u"side10", u"side11", u""}));
    EXPECT_EQ(testsupport::column(*t.sheet, u"A10:A11"), (Column{u"k10", u"k11"}));
}

TEST(SecondList, ClearsFirstColumnEntriesFoundInTheSecond) {
    auto t = testsupport::makeHost({{u"x", u"y"}, {u"y", u"y"}, {u"z", u"q"}});
    WalkRecorder r;
    tools::duplicates::walkSecondList(*t.app, t.app->Range(u"A1:B3"), r);
    EXPECT_EQ(testsupport::texts(*t.sheet, u"A1:B3"), (testsupport::Rows{{u"x", u"y"}, {u"", u"y"}, {u"z", u"q"}}));
    EXPECT_EQ(r.counts, (std::vector<std::int32_t>{3}));
    EXPECT_EQ(r.firstPassTotals, (std::vector<std::int32_t>{3, 3, 3}));
}

TEST(SecondList, SkipsEmptyOverlongAndCriteriaLikeEntries) {
    const std::u16string longText(256, u'x');
    auto t = testsupport::makeHost({{u"a*", u"abc"}, {longText, longText}, {u"", u"5"}, {u"'5", u""}, {u"<>", u""}});
    WalkRecorder r;
    tools::duplicates::walkSecondList(*t.app, t.app->Range(u"A1:B5"), r);
    EXPECT_EQ(testsupport::column(*t.sheet, u"A1:A5"), (Column{u"a*", longText, u"", u"", u"<>"}));
}

TEST(SecondList, StopsAfterTheCurrentCell) {
    auto t = testsupport::makeHost({{u"a", u"a"}, {u"a", u""}, {u"a", u""}});
    WalkRecorder r;
    r.stopAfter = 2;
    tools::duplicates::walkSecondList(*t.app, t.app->Range(u"A1:B3"), r);
    EXPECT_EQ(testsupport::column(*t.sheet, u"A1:A3"), (Column{u"", u"", u"a"}));
}

}  // namespace
