// Yes: the buttons disabled while the tool runs, the undo snapshot, the dispatch table in its
// order with each row's argument, the empty-sheets tool without a snapshot.
#include <gtest/gtest.h>

#include <utility>

#include "dialog/tool_dispatch.h"
#include "host/constants.h"
#include "host/worksheet.h"
#include "tests/dialog/dialog_fixture.h"

namespace dialogtest {
namespace {

using dialog::FrmMain;
using dialog::ToolRoutines;

// What a routine was called with: the text it took from the key, or its flag.
struct ToolArgument {
    std::u16string text;
    bool flag = false;
};
ToolArgument argumentOf() { return {}; }
ToolArgument argumentOf(const std::u16string& text) { return {text}; }
ToolArgument argumentOf(bool flag) { return {u"", flag}; }

// Puts a recording routine into a slot of the add-in's routines for the life of the test,
// then puts back what was there.
template <class... Arguments>
class RecordingRoutine {
public:
    using Slot = std::function<void(Arguments...)>;
    RecordingRoutine(Slot ToolRoutines::*slot, std::function<void()> also = {})
        : slot_(dialog::toolRoutines().*slot), previous_(slot_) {
        slot_ = [this, also](Arguments... arguments) {
            calls.push_back(argumentOf(arguments...));
            if (also) also();
        };
    }
    ~RecordingRoutine() { slot_ = previous_; }
    std::vector<ToolArgument> calls;

private:
    Slot& slot_;
    Slot previous_;
};
template <class... Arguments>
RecordingRoutine(std::function<void(Arguments...)> ToolRoutines::*, std::function<void()> = {})
    -> RecordingRoutine<Arguments...>;

class YesDispatch : public DialogFixture {
public:
    testsupport::Rows initialRows() const override { return {{u"before"}}; }

    void pressYesWith(std::u16string& familyKey, const std::u16string& key) {
        familyKey = key;
        user.click(u"cmdYes").closeForm();
        dialog::frmMain().Show();
    }
    host::WorksheetPtr sheetNamed(const std::u16string& name) {
        auto sheets = t.app->ActiveWorkbook()->Sheets();
        for (long i = 1; i <= sheets->Count(); ++i)
            if (sheets->Item(i)->Name() == name) return sheets->Item(i);
        return nullptr;
    }
};

struct DispatchCase {
    std::u16string* familyKey;
    std::u16string key;
    // Records the routine the key must reach while it presses Yes; returns what it recorded.
    std::vector<ToolArgument> (*pressWithRecording)(YesDispatch&, const DispatchCase&);
    std::u16string text;
    bool flag;
};

template <auto slot>
std::vector<ToolArgument> recording(YesDispatch& test, const DispatchCase& c) {
    RecordingRoutine routine(slot);
    test.pressYesWith(*c.familyKey, c.key);
    return routine.calls;
}

TEST_F(YesDispatch, EachKeyReachesItsRoutineWithItsArgument) {
    using R = ToolRoutines;
    const std::vector<DispatchCase> cases = {
        {&dialog::activeDOKey, u"DataOrganizer1", recording<&R::runEmptyRowTools>, u"", false},
        {&dialog::activeDOKey, u"DataOrganizer2", recording<&R::runEmptyColumnTools>, u"", false},
        {&dialog::activeDOKey, u"DataOrganizer4", recording<&R::runObjectTool>, u"", false},
        {&dialog::activeDOKey, u"DO5to8_UC", recording<&R::convertCase>, u"UC", false},
        {&dialog::activeDOKey, u"DO5to8_SC", recording<&R::convertCase>, u"SC", false},
        {&dialog::activeDOKey, u"DataOrganizer9", recording<&R::paintEveryNthRow>, u"", false},
        {&dialog::activeDOKey, u"DataOrganizer10", recording<&R::paintDuplicateRows>, u"", false},
        {&dialog::activeDOKey, u"DataOrganizer11", recording<&R::paintUniqueRows>, u"", false},
        {&dialog::activeDOKey, u"DataOrganizer12", recording<&R::transposeColumn>, u"", false},
        {&dialog::activeDCKey, u"DuplicateCleaner1", recording<&R::removeDuplicates>, u"", false},
        {&dialog::activeDCKey, u"DuplicateCleaner2", recording<&R::removeDuplicates>, u"", true},
        {&dialog::activeDCKey, u"DuplicateCleaner3", recording<&R::removeFromSecondList>, u"", false},
        {&dialog::activeDCKey, u"DuplicateCleaner5", recording<&R::removeUniques>, u"", false},
        {&dialog::activeTCKey, u"TC1to8_RNUM", recording<&R::runTC1to8>, u"RNUM", false},
        {&dialog::activeTCKey, u"TC9to14_RXLC", recording<&R::runTC9to14>, u"RXLC", false},
    };
    for (const DispatchCase& c : cases) {
        dialog::clearFamilyKeys();
        const std::vector<ToolArgument> calls = c.pressWithRecording(*this, c);
        ASSERT_EQ(calls.size(), 1u) << testing::PrintToString(c.key);
        EXPECT_EQ(calls[0].text, c.text);
        EXPECT_EQ(calls[0].flag, c.flag);
    }
}

TEST_F(YesDispatch, TheTableKeepsItsOrderAndOnlyItsFamilysKeyCounts) {
    const auto table = dialog::dispatchTable();
    ASSERT_EQ(table.size(), 14u);
    EXPECT_EQ(table.front().routine, u"runEmptyRowTools");
    EXPECT_EQ(table[3].key, u"DO5to8");
    EXPECT_TRUE(table[3].matchesPrefix);
    EXPECT_EQ(table[12].routine, u"runTC1to8");
    EXPECT_EQ(table.back().routine, u"runTC9to14");
    RecordingRoutine rows(&ToolRoutines::runEmptyRowTools);
    pressYesWith(dialog::activeTCKey, u"DataOrganizer1");  // the text cleaner's key holds it
    EXPECT_TRUE(rows.calls.empty());
}

TEST_F(YesDispatch, ButtonsAreDisabledWhileTheToolRunsAndEnabledAgainAfter) {
    bool sawDisabled = false;
    RecordingRoutine routine(&ToolRoutines::paintEveryNthRow, [&] {
        const FrmMain& f = dialog::frmMain();
        sawDisabled = !f.cmdYes.Enabled() && !f.cmdNo.Enabled() && !f.cmdExit.Enabled();
    });
    dialog::activeDOKey = u"DataOrganizer9";
    user.click(u"cmdYes").inspect([](forms::Form& form) {
        const FrmMain& f = mainOf(form);
        EXPECT_TRUE(f.cmdYes.Enabled() && f.cmdNo.Enabled() && f.cmdExit.Enabled());
    });
    dialog::frmMain().Show();
    EXPECT_TRUE(sawDisabled);
    EXPECT_EQ(routine.calls.size(), 1u);
}

TEST_F(YesDispatch, YesTakesTheSnapshotAndEnablesUndo) {
    shell::redoEnabled = true;
    RecordingRoutine routine(&ToolRoutines::runTC1to8, [&] { t.app->Range(u"A1")->setValue(host::Variant(u"after")); });
    pressYesWith(dialog::activeTCKey, u"TC1to8_RALS");
    auto undo = sheetNamed(u"Sheet1_Undo");
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->Visible(), host::xlSheetHidden);
    EXPECT_EQ(undo->Range(u"A1")->Value().toText(), u"before");
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Sheet1");
    EXPECT_TRUE(shell::undoEnabled);
    EXPECT_FALSE(shell::redoEnabled);
    EXPECT_EQ(ribbon->invalidatedControls(), (std::vector<std::u16string>{u"btnUndo_02", u"btnRedo_03"}));
}

TEST_F(YesDispatch, AKeyWhoseRoutineIsNotRegisteredMatchesNothingAndTheDialogStaysOpen) {
    const auto saved = std::exchange(dialog::toolRoutines().transposeColumn, nullptr);
    dialog::activeDOKey = u"DataOrganizer12";
    bool stillOpen = false;
    user.click(u"cmdYes").inspect([&](forms::Form& form) {
        stillOpen = form.Loaded() && mainOf(form).cmdYes.Enabled() && mainOf(form).cmdNo.Enabled();
    });
    dialog::frmMain().Show();
    dialog::toolRoutines().transposeColumn = saved;
    EXPECT_TRUE(stillOpen);
    EXPECT_NE(sheetNamed(u"Sheet1_Undo"), nullptr);  // the snapshot is taken all the same
    EXPECT_TRUE(shell::undoEnabled);
}

TEST_F(YesDispatch, EmptySheetsToolRunsWithoutSnapshotAndLeavesUndoAlone) {
    shell::undoEnabled = false;
    shell::redoEnabled = true;
    RecordingRoutine sheets(&ToolRoutines::runEmptySheetTool);
    dialog::activeDOKey = u"DataOrganizer3";  // what the set-up of "removeSheets" stores
    user.click(u"cmdYes").closeForm();
    dialog::frmMain().Show();
    EXPECT_EQ(sheets.calls.size(), 1u);
    EXPECT_EQ(sheetNamed(u"Sheet1_Undo"), nullptr);
    EXPECT_FALSE(shell::undoEnabled);
    EXPECT_TRUE(shell::redoEnabled);
    EXPECT_TRUE(ribbon->calls.empty());
}

TEST_F(YesDispatch, ARoutineThatUnloadsTheDialogEndsTheRun) {
    RecordingRoutine routine(&ToolRoutines::runObjectTool, [] { forms::Unload(dialog::frmMain()); });
    dialog::activeDOKey = u"DataOrganizer4";
    user.click(u"cmdYes");
    dialog::frmMain().Show();
    EXPECT_FALSE(dialog::frmMainLoaded());
    EXPECT_EQ(routine.calls.size(), 1u);
}

}  // namespace
}  // namespace dialogtest
