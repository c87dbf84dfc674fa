// Yes: the buttons disabled while the tool runs, the undo snapshot, the dispatch table in its
// order with each row's argument, the empty-sheets tool without a snapshot.
#include <gtest/gtest.h>

#include "dialog/set_up_data_organizer_dialog.h"
#include "dialog/tool_dispatch.h"
#include "host/constants.h"
#include "host/worksheet.h"
#include "tests/dialog/dialog_fixture.h"

namespace dialogtest {
namespace {

using dialog::FrmMain;
using dialog::ToolArgument;

// Binds a recording routine to a name for the life of the test, then puts back what was there.
class RecordingRoutine {
public:
    RecordingRoutine(std::u16string name, std::function<void()> also = {})
        : name_(std::move(name)), previous_(dialog::bindToolRoutine(name_, [this, also](const ToolArgument& a) {
              calls.push_back(a);
              if (also) also();
          })) {}
    ~RecordingRoutine() { dialog::bindToolRoutine(name_, previous_); }
    std::vector<ToolArgument> calls;

private:
    std::u16string name_;
    dialog::ToolRoutine previous_;
};

class YesDispatch : public DialogFixture {
protected:
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
    std::u16string key, routine, text;
    bool flag;
};

TEST_F(YesDispatch, EachKeyReachesItsRoutineWithItsArgument) {
    const std::vector<DispatchCase> cases = {
        {&dialog::activeDOKey, u"DataOrganizer1", u"runEmptyRowTools", u"", false},
        {&dialog::activeDOKey, u"DataOrganizer2", u"runEmptyColumnTools", u"", false},
        {&dialog::activeDOKey, u"DataOrganizer4", u"runObjectTool", u"", false},
        {&dialog::activeDOKey, u"DO5to8_UC", u"convertCase", u"UC", false},
        {&dialog::activeDOKey, u"DO5to8_SC", u"convertCase", u"SC", false},
        {&dialog::activeDOKey, u"DataOrganizer9", u"paintEveryNthRow", u"", false},
        {&dialog::activeDOKey, u"DataOrganizer10", u"paintDuplicateRows", u"", false},
        {&dialog::activeDOKey, u"DataOrganizer11", u"paintUniqueRows", u"", false},
        {&dialog::activeDOKey, u"DataOrganizer12", u"transposeColumn", u"", false},
        {&dialog::activeDCKey, u"DuplicateCleaner1", u"removeDuplicates", u"", false},
        {&dialog::activeDCKey, u"DuplicateCleaner2", u"removeDuplicates", u"", true},
        {&dialog::activeDCKey, u"DuplicateCleaner3", u"removeFromSecondList", u"", false},
        {&dialog::activeDCKey, u"DuplicateCleaner5", u"removeUniques", u"", false},
        {&dialog::activeTCKey, u"TC1to8_RNUM", u"runTC1to8", u"RNUM", false},
        {&dialog::activeTCKey, u"TC9to14_RXLC", u"runTC9to14", u"RXLC", false},
    };
    for (const DispatchCase& c : cases) {
        dialog::clearFamilyKeys();
        RecordingRoutine routine(c.routine);
        pressYesWith(*c.familyKey, c.key);
        ASSERT_EQ(routine.calls.size(), 1u) << testing::PrintToString(c.key);
        EXPECT_EQ(routine.calls[0].text, c.text);
        EXPECT_EQ(routine.calls[0].flag, c.flag);
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
    RecordingRoutine rows(u"runEmptyRowTools");
    pressYesWith(dialog::activeTCKey, u"DataOrganizer1");  // the text cleaner's key holds it
    EXPECT_TRUE(rows.calls.empty());
}

TEST_F(YesDispatch, ButtonsAreDisabledWhileTheToolRunsAndEnabledAgainAfter) {
    bool sawDisabled = false;
    RecordingRoutine routine(u"paintEveryNthRow", [&] {
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
    RecordingRoutine routine(u"runTC1to8", [&] { t.app->Range(u"A1")->setValue(host::Variant(u"after")); });
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

TEST_F(YesDispatch, AKeyWhoseRoutineIsNotBuiltMatchesNothingAndTheDialogStaysOpen) {
    const dialog::ToolRoutine saved = dialog::bindToolRoutine(u"transposeColumn", nullptr);
    dialog::activeDOKey = u"DataOrganizer12";
    bool stillOpen = false;
    user.click(u"cmdYes").inspect([&](forms::Form& form) {
        stillOpen = form.Loaded() && mainOf(form).cmdYes.Enabled() && mainOf(form).cmdNo.Enabled();
    });
    dialog::frmMain().Show();
    dialog::bindToolRoutine(u"transposeColumn", saved);
    EXPECT_TRUE(stillOpen);
    EXPECT_NE(sheetNamed(u"Sheet1_Undo"), nullptr);  // the snapshot is taken all the same
    EXPECT_TRUE(shell::undoEnabled);
}

TEST_F(YesDispatch, EmptySheetsToolRunsWithoutSnapshotAndLeavesUndoAlone) {
    shell::undoEnabled = false;
    shell::redoEnabled = true;
    RecordingRoutine sheets(u"runEmptySheetTool");
    std::u16string key = u"removeSheets";
    user.click(u"cmdYes").closeForm();
    dialog::setUpDataOrganizerDialog(key);
    EXPECT_EQ(sheets.calls.size(), 1u);
    EXPECT_EQ(sheetNamed(u"Sheet1_Undo"), nullptr);
    EXPECT_FALSE(shell::undoEnabled);
    EXPECT_TRUE(shell::redoEnabled);
    EXPECT_TRUE(ribbon->calls.empty());
}

TEST_F(YesDispatch, ARoutineThatUnloadsTheDialogEndsTheRun) {
    RecordingRoutine routine(u"runObjectTool", [] { forms::Unload(dialog::frmMain()); });
    dialog::activeDOKey = u"DataOrganizer4";
    user.click(u"cmdYes");
    dialog::frmMain().Show();
    EXPECT_FALSE(dialog::frmMainLoaded());
    EXPECT_EQ(routine.calls.size(), 1u);
}

}  // namespace
}  // namespace dialogtest
