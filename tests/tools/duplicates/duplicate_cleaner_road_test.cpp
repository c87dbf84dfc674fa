// DC1, DC2, DC3 and DC5 along the user's road: set-up, options, Yes, the walk, the message.
#include "tests/tools/duplicates/duplicate_road.h"

#include "host/worksheet.h"

namespace duplicatestest {
namespace {

const Column kMixedCase = {u"a", u"b", u"A", u"a", u"c"};
const std::u16string kDuplicatesRemoved = u"Duplicate Entries are removed in Your Selection";
const std::u16string kUniquesRemoved = u"Unique Entries are removed in Your Selection";
const std::u16string kSecondListRemoved = u"All Entries are deleted from 1st Column exist in 2nd";

struct ModeCase {
    std::u16string command, option;
    Column after;
    std::u16string message;
};

class DuplicateRun : public DuplicateRoad {};

TEST_F(DuplicateRun, EveryToolInEveryDeletionMode) {
    const ModeCase cases[] = {
        {u"removeDuplicatesKeepFirst", kClear, {u"a", u"b", u"", u"", u"c"}, kDuplicatesRemoved},
        {u"removeDuplicatesKeepFirst", kShiftUp, {u"a", u"b", u"c", u"", u""}, kDuplicatesRemoved},
        {u"removeDuplicatesKeepFirst", kEntireRow, {u"a", u"b", u"c", u"", u""}, kDuplicatesRemoved},
        {u"removeDuplicatesAll", kClear, {u"", u"b", u"", u"", u"c"}, kDuplicatesRemoved},
        {u"removeDuplicatesAll", kShiftUp, {u"b", u"c", u"", u"", u""}, kDuplicatesRemoved},
        {u"removeDuplicatesAll", kEntireRow, {u"b", u"c", u"", u"", u""}, kDuplicatesRemoved},
        {u"removeUniquesAll", kClear, {u"a", u"", u"A", u"a", u""}, kUniquesRemoved},
        {u"removeUniquesAll", kShiftUp, {u"a", u"A", u"a", u"", u""}, kUniquesRemoved},
        {u"removeUniquesAll", kEntireRow, {u"a", u"A", u"a", u"", u""}, kUniquesRemoved},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.command + u" " + c.option));
        useColumn(kMixedCase);
        run(c.command, c.option);
        EXPECT_EQ(columnA(5), c.after);
        EXPECT_EQ(lastAlert(), c.message);
        EXPECT_FALSE(dialog::frmMainLoaded());
    }
}

// The dialog opens with its first deletion option selected: whole rows go.
TEST_F(DuplicateRun, TheDefaultOptionDeletesEntireRows) {
    useHost(testsupport::makeHost({{u"a", u"1"}, {u"a", u"2"}, {u"b", u"3"}}));
    select(u"A1:A3");
    run(u"removeDuplicatesKeepFirst");
    EXPECT_EQ(testsupport::texts(*t.sheet, u"A1:B3"), (testsupport::Rows{{u"a", u"1"}, {u"b", u"3"}, {u"", u""}}));
}

TEST_F(DuplicateRun, EntireRowModeDeletesSheetRowTenAndMovesTheRestUp) {
    testsupport::Rows rows;
    for (int r = 1; r <= 12; ++r)
        rows.push_back({r == 10 ? u"first" : u"k" + u16(std::to_string(r)), u16(std::to_string(r))});
    rows[0][0] = u"first";
    useHost(testsupport::makeHost(rows));
    select(u"A1:A12");
    run(u"removeDuplicatesKeepFirst", kEntireRow);
    EXPECT_EQ(testsupport::column(*t.sheet, u"B9:B12"), (Column{u"9", u"11", u"12", u""}));
    EXPECT_EQ(testsupport::column(*t.sheet, u"A1:A2"), (Column{u"first", u"k2"}));
}

TEST_F(DuplicateRun, WithNoOptionSelectedNothingChangesButTheMessageIsShown) {
    for (const auto* command : {u"removeDuplicatesKeepFirst", u"removeDuplicatesAll", u"removeUniquesAll"}) {
        useColumn(kMixedCase);
        runWithNoOption(command);
        EXPECT_EQ(columnA(5), kMixedCase);
        EXPECT_EQ(lastAlert(), std::u16string(command) == u"removeUniquesAll" ? kUniquesRemoved : kDuplicatesRemoved);
    }
}

TEST_F(DuplicateRun, EmptyAndOverlongEntriesAreNeverRemoved) {
    const std::u16string longText(256, u'w');
    const Column entries = {longText, u"", longText, u"x", u"", u"y"};
    for (const auto* command : {u"removeDuplicatesKeepFirst", u"removeDuplicatesAll", u"removeUniquesAll"}) {
        for (const auto& option : {kClear, kShiftUp, kEntireRow}) {
            SCOPED_TRACE(::testing::PrintToString(std::u16string(command) + u" " + option));
            useColumn(entries);
            run(command, option);
            const Column after = columnA(6);
            EXPECT_EQ(std::count(after.begin(), after.end(), longText), 2);
        }
    }
}

TEST_F(DuplicateRun, AnEntryWithATrailingSpaceIsNotADuplicate) {
    useColumn({u"abc", u"abc "});
    run(u"removeDuplicatesAll", kClear);
    EXPECT_EQ(columnA(2), (Column{u"abc", u"abc "}));
}

TEST_F(DuplicateRun, CriteriaLikeEntriesAreComparedAsThemselves) {
    const Column entries = {u"a*", u"abc", u">5", u"6", u"~", u"?"};
    for (const auto& option : {kClear, kShiftUp, kEntireRow}) {
        useColumn(entries);
        run(u"removeDuplicatesKeepFirst", option);
        EXPECT_EQ(columnA(6), entries);
        useColumn(entries);
        run(u"removeDuplicatesAll", option);
        EXPECT_EQ(columnA(6), entries);
    }
    useColumn({u"~", u"abc", u"~", u">5", u"a*"});
    run(u"removeUniquesAll", kShiftUp);
    EXPECT_EQ(columnA(5), (Column{u"~", u"~", u"", u"", u""}));
}

TEST_F(DuplicateRun, ANumberAndTheSameNumberStoredAsTextAreDuplicates) {
    useColumn({u"42", u"'42", u"'042", u"x"});
    run(u"removeDuplicatesKeepFirst", kClear);
    EXPECT_TRUE(t.app->Range(u"A1")->Value().isNumber());
    // The host's COUNTIF reads "042" as the number 42 as well.
    EXPECT_EQ(columnA(4), (Column{u"42", u"", u"", u"x"}));
}

TEST_F(DuplicateRun, AColumnReachingBelowTheUsedRangeIsCutToIt) {
    useColumn({u"a", u"b", u"a"});
    select(u"A1:A5000");
    std::vector<std::u16string> captions;
    recordCaptionsOf(u"lblDOHeader1to4", captions);
    user.inspect([](forms::Form& f) { EXPECT_EQ(dialogtest::mainOf(f).lblDOSelCells.Caption(), u"5000"); });
    run(u"removeDuplicatesKeepFirst", kShiftUp);
    EXPECT_EQ(columnA(3), (Column{u"a", u"b", u""}));
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"Removing...33 %", u"Removing...67 %", u"Removing...100 %"}));
}

TEST_F(DuplicateRun, AWholeColumnSelectionWalksOnlyTheUsedRows) {
    useHost(testsupport::makeHost({{u"", u"h"}, {u"", u"q"}, {u"", u"q"}, {u"", u"q"}}));
    select(u"B:B");
    run(u"removeDuplicatesAll", kClear);
    EXPECT_EQ(testsupport::column(*t.sheet, u"B1:B4"), (Column{u"h", u"", u"", u""}));
}

// Only the first area of a several-area selection is walked and counted.
TEST_F(DuplicateRun, AMultiAreaSelectionWorksOnItsFirstArea) {
    useColumn({u"x", u"y", u"x", u"", u"y", u"z", u"z"});
    select(u"A1:A3,A5:A7");
    run(u"removeDuplicatesKeepFirst", kClear);
    EXPECT_EQ(columnA(7), (Column{u"x", u"y", u"", u"", u"y", u"z", u"z"}));
    useColumn({u"x", u"y", u"", u"", u"y", u"z", u"z"});
    select(u"A1:A2,C1:C7");
    run(u"removeUniquesAll", kEntireRow);
    EXPECT_EQ(columnA(7), (Column{u"", u"", u"y", u"z", u"z", u"", u""}));
}

TEST_F(DuplicateRun, ColumnChecks) {
    useHost(testsupport::makeHost({{u"a", u"a", u"a"}, {u"a", u"b", u"c"}}));
    for (const auto* command : {u"removeDuplicatesKeepFirst", u"removeDuplicatesAll", u"removeUniquesAll"}) {
        select(u"A1:B2");
        run(command, kClear);
        EXPECT_EQ(lastAlert(), u"Please Select Single Column!");
    }
    for (const auto* area : {u"A1:C2", u"A1:A2"}) {
        select(area);
        run(u"removeFrom2ndList");
        EXPECT_EQ(lastAlert(), u"Please Select Two Column!");
    }
    EXPECT_EQ(testsupport::texts(*t.sheet, u"A1:C2"), (testsupport::Rows{{u"a", u"a", u"a"}, {u"a", u"b", u"c"}}));
    EXPECT_FALSE(dialog::frmMainLoaded());
}

TEST_F(DuplicateRun, AnEmptySheetIsRefused) {
    for (const auto* command :
         {u"removeDuplicatesKeepFirst", u"removeDuplicatesAll", u"removeFrom2ndList", u"removeUniquesAll"}) {
        select(u"A1:A3");
        run(command);
        EXPECT_EQ(lastAlert(), u"Active Sheet is totally Empty!");
    }
}

TEST_F(DuplicateRun, SecondListClearsTheFirstColumnOnly) {
    useHost(testsupport::makeHost({{u"x", u"y"}, {u"y", u"y"}, {u"z", u"q"}}));
    select(u"A1:B3");
    std::vector<std::u16string> captions;
    recordCaptionsOf(u"lblDOHeader1to4", captions);
    run(u"removeFrom2ndList");
    EXPECT_EQ(testsupport::texts(*t.sheet, u"A1:B3"), (testsupport::Rows{{u"x", u"y"}, {u"", u"y"}, {u"z", u"q"}}));
    EXPECT_EQ(lastAlert(), kSecondListRemoved);
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"Removing...33 %", u"Removing...67 %", u"Removing...100 %"}));
}

TEST_F(DuplicateRun, SecondListMatchesAsTheHostCountsButEntriesAsThemselves) {
    useHost(testsupport::makeHost({{u"ABC", u"abc"}, {u"a*", u"abd"}, {u"7", u"'7"}, {u"abc ", u""}}));
    select(u"A1:B4");
    run(u"removeFrom2ndList");
    EXPECT_EQ(testsupport::column(*t.sheet, u"A1:A4"), (Column{u"", u"a*", u"", u""}));  // "abc " is trimmed
}

TEST_F(DuplicateRun, ProgressRoundsHalvesToEven) {
    useColumn({u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8"});
    std::vector<std::u16string> captions;
    recordCaptionsOf(u"lblDOHeader1to4", captions);
    run(u"removeUniquesAll", kClear);
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"Removing...12 %", u"Removing...25 %", u"Removing...38 %",
                                                     u"Removing...50 %", u"Removing...62 %", u"Removing...75 %",
                                                     u"Removing...88 %", u"Removing...100 %"}));
}

// The total of remove-all grows by one for every listed entry; its second pass goes on counting.
TEST_F(DuplicateRun, RemoveAllProgressCountsTheSecondPass) {
    useColumn({u"p", u"q", u"p", u"q"});
    std::vector<std::u16string> captions;
    recordCaptionsOf(u"lblDOHeader1to4", captions);
    run(u"removeDuplicatesAll", kClear);
    // Rows 4..1 with totals 5, 6, 6, 6; the second pass yields before it counts and shows.
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"Removing...20 %", u"Removing...33 %", u"Removing...50 %",
                                                     u"Removing...67 %", u"Removing...67 %", u"Removing...83 %"}));
    EXPECT_EQ(columnA(4), (Column{u"", u"", u"", u""}));
}

TEST_F(DuplicateRun, TheStopButtonShowsWhileTheToolRuns) {
    useColumn({u"a", u"a"});
    std::vector<bool> stopShown;
    user.onDoEvents = [&](int, forms::Form* top) {
        if (top) stopShown.push_back(dialogtest::mainOf(*top).cmdDO1to4Stop.isShown());
    };
    run(u"removeDuplicatesKeepFirst", kClear);
    EXPECT_EQ(stopShown, (std::vector<bool>{true, true}));
}

TEST_F(DuplicateRun, StopInTheFirstPassEndsAfterTheCurrentRow) {
    for (const auto& option : {kClear, kShiftUp, kEntireRow}) {
        useColumn({u"a", u"a", u"a", u"a"});
        pressStopAtYield(1);
        run(u"removeDuplicatesKeepFirst", option);
        const Column after = columnA(4);
        EXPECT_EQ(std::count(after.begin(), after.end(), u"a"), 3);
        EXPECT_EQ(lastAlert(), kDuplicatesRemoved);
    }
    useColumn({u"a", u"b", u"c", u"d"});
    pressStopAtYield(2);
    run(u"removeUniquesAll", kClear);
    EXPECT_EQ(columnA(4), (Column{u"a", u"b", u"", u""}));
    EXPECT_EQ(lastAlert(), kUniquesRemoved);
}

// Stopped in the first pass, remove-all still removes the first listed entry's last copy.
TEST_F(DuplicateRun, RemoveAllStoppedInTheFirstPassHandlesOneListedEntry) {
    for (const auto& option : {kClear, kShiftUp, kEntireRow}) {
        useColumn({u"a", u"b", u"a", u"b", u"c"});
        pressStopAtYield(3);  // rows 5, 4 ("b" listed), 3 ("a" listed)
        run(u"removeDuplicatesAll", option);
        const Column after = columnA(5);
        EXPECT_EQ(std::count(after.begin(), after.end(), u"a"), 1) << ::testing::PrintToString(option);
        EXPECT_EQ(std::count(after.begin(), after.end(), u"b"), 0);
        EXPECT_EQ(std::count(after.begin(), after.end(), u"c"), 1);
        EXPECT_EQ(lastAlert(), kDuplicatesRemoved);
    }
}

TEST_F(DuplicateRun, RemoveAllStopsInTheSecondPass) {
    for (const auto& option : {kClear, kShiftUp, kEntireRow}) {
        useColumn({u"a", u"b", u"c", u"a", u"b", u"c"});
        pressStopAtYield(7);  // six rows, then the first second-pass yield
        run(u"removeDuplicatesAll", option);
        const Column after = columnA(6);
        EXPECT_EQ(std::count(after.begin(), after.end(), u"a"), 1) << ::testing::PrintToString(option);
        EXPECT_EQ(std::count(after.begin(), after.end(), u"b"), 1);
        EXPECT_EQ(std::count(after.begin(), after.end(), u"c"), 0);
        EXPECT_EQ(lastAlert(), kDuplicatesRemoved);
    }
}

TEST_F(DuplicateRun, StopPressedBeforeYesDoesNotStopTheRun) {
    useColumn({u"a", u"a", u"a"});
    dialog::stopRequested = true;
    run(u"removeDuplicatesKeepFirst", kClear);
    EXPECT_EQ(columnA(3), (Column{u"a", u"", u""}));
}

TEST_F(DuplicateRun, UndoAfterEachToolBringsTheColumnBack) {
    const char16_t* commands[] = {u"removeDuplicatesKeepFirst", u"removeDuplicatesAll", u"removeUniquesAll"};
    for (const auto* command : commands) {
        for (const auto& option : {kClear, kShiftUp, kEntireRow}) {
            SCOPED_TRACE(::testing::PrintToString(std::u16string(command) + u" " + option));
            useColumn(kMixedCase);
            run(command, option);
            ASSERT_NE(columnA(5), kMixedCase);
            EXPECT_TRUE(shell::undoEnabled);
            shell::undoLastAction();
            EXPECT_EQ(testsupport::column(*t.app->activeWorksheet(), u"A1:A5"), kMixedCase);
        }
    }
    useHost(testsupport::makeHost({{u"x", u"x"}, {u"y", u"q"}}));
    select(u"A1:B2");
    run(u"removeFrom2ndList");
    ASSERT_EQ(testsupport::column(*t.sheet, u"A1:A2"), (Column{u"", u"y"}));
    shell::undoLastAction();
    EXPECT_EQ(testsupport::column(*t.app->activeWorksheet(), u"A1:A2"), (Column{u"x", u"y"}));
}

TEST_F(DuplicateRun, ErrorValuesAreLeftAlone) {
    useColumn({u"a", u"=1/0", u"a", u"=1/0"});
    run(u"removeDuplicatesAll", kShiftUp);
    EXPECT_EQ(columnA(4), (Column{u"#DIV/0!", u"#DIV/0!", u"", u""}));
}

}  // namespace
}  // namespace duplicatestest
