// The processing frame and one level of undo and redo through hidden sheet copies.
#include <gtest/gtest.h>

#include "forms/runtime.h"
#include "forms/scripted_driver.h"
#include "host/constants.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/processing_frame.h"
#include "shell/undo_redo.h"
#include "tests/support/printing.h"
#include "tests/support/recording_ribbon.h"
#include "tests/support/sheet_builder.h"

using testsupport::column;

namespace {

// Sheet names with their visibility: "Data", "(Data_Undo)" for a hidden one.
std::vector<std::u16string> sheetsSeen(const testsupport::TestHost& t) {
    std::vector<std::u16string> out;
    for (const auto& s : t.book->model().sheets())
        out.push_back(s->visible() == host::xlSheetVisible ? s->name() : u"(" + s->name() + u")");
    return out;
}

class UndoRedo : public ::testing::Test {
protected:
    void SetUp() override {
        t.sheet->setName(u"Data");
        testsupport::fill(*t.sheet, {{u"before"}});
        shell::hostApplication = t.app;
        shell::ribbonUI = ribbon;
        shell::undoEnabled = shell::redoEnabled = false;
    }
    void TearDown() override {
        shell::hostApplication.reset();
        shell::ribbonUI.reset();
    }
    // What the tool dialog does on Yes, followed by a tool that changes A1.
    void runTool(const char16_t* result) {
        shell::takeUndoSnapshot();
        bool undo = true, redo = false;
        shell::setUndoRedoState(undo, redo);
        t.app->ActiveSheet()->Range(u"A1")->setValue(host::Variant(result));
    }
    void undo() {
        shell::undoLastAction();
        bool u = false, r = true;
        shell::setUndoRedoState(u, r);
    }
    void redo() {
        shell::redoLastAction();
        bool u = true, r = false;
        shell::setUndoRedoState(u, r);
    }
    std::u16string valueOf(const char16_t* sheet) {
        return testsupport::sheetNamed(t, sheet)->model().valueAt(1, 1).toText();
    }

    testsupport::TestHost t = testsupport::makeHost();
    std::shared_ptr<testsupport::RecordingRibbonUI> ribbon = std::make_shared<testsupport::RecordingRibbonUI>();
    forms::ScriptedDriver driver;
    forms::DriverScope scope{driver};
};

TEST_F(UndoRedo, ARunLeavesAHiddenCopyBeforeTheSheetAndEnablesUndo) {
    runTool(u"after");
    EXPECT_EQ(sheetsSeen(t), (std::vector<std::u16string>{u"(Data_Undo)", u"Data"}));
    EXPECT_EQ(valueOf(u"Data_Undo"), u"before");
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Data");
    EXPECT_TRUE(shell::undoEnabled);
    EXPECT_FALSE(shell::redoEnabled);
    EXPECT_EQ(ribbon->invalidatedControls(), (std::vector<std::u16string>{u"btnUndo_02", u"btnRedo_03"}));
    EXPECT_EQ(t.app->Calculation(), host::xlCalculationAutomatic);
    EXPECT_TRUE(t.app->ScreenUpdating());
    EXPECT_TRUE(t.app->DisplayAlerts());
}

TEST_F(UndoRedo, UndoAndRedoSwapTheSheetWithItsCopy) {
    runTool(u"after");
    undo();
    EXPECT_EQ(sheetsSeen(t), (std::vector<std::u16string>{u"Data", u"(Data_Redo)"}));
    EXPECT_EQ(valueOf(u"Data"), u"before");
    EXPECT_EQ(valueOf(u"Data_Redo"), u"after");
    EXPECT_FALSE(shell::undoEnabled);
    EXPECT_TRUE(shell::redoEnabled);
    EXPECT_EQ(t.app->StatusBar().toText(), u"Ready");

    redo();
    EXPECT_EQ(sheetsSeen(t), (std::vector<std::u16string>{u"(Data_Undo)", u"Data"}));
    EXPECT_EQ(valueOf(u"Data"), u"after");
    EXPECT_EQ(valueOf(u"Data_Undo"), u"before");
    EXPECT_TRUE(shell::undoEnabled);
    EXPECT_FALSE(shell::redoEnabled);
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Data");
}

TEST_F(UndoRedo, ARunAfterAnUndoReplacesTheRedoCopy) {
    runTool(u"second");
    undo();
    runTool(u"third");
    EXPECT_EQ(sheetsSeen(t), (std::vector<std::u16string>{u"(Data_Undo)", u"Data"}));
    EXPECT_EQ(valueOf(u"Data_Undo"), u"before");
    EXPECT_EQ(valueOf(u"Data"), u"third");
}

TEST_F(UndoRedo, WithoutACopyOnlyTheSettingsAndActivationChange) {
    testsupport::addSheet(t, u"Other")->Activate();
    undo();
    EXPECT_EQ(sheetsSeen(t), (std::vector<std::u16string>{u"Data", u"Other"}));
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Other");
    EXPECT_TRUE(driver.messageBoxes().empty());
    EXPECT_TRUE(shell::redoEnabled);  // the flags follow the command all the same
}

TEST_F(UndoRedo, WithNoWorkbookTheUserIsAskedToOpenOne) {
    t.book->Close(false);
    shell::undoLastAction();
    shell::redoLastAction();
    ASSERT_EQ(driver.messageBoxes().size(), 2u);
    EXPECT_EQ(driver.messageBoxes()[0].prompt, u"Pleas add or open a workbook!!");
    EXPECT_EQ(driver.messageBoxes()[0].buttons, forms::vbOKOnly);
    EXPECT_FALSE(driver.messageBoxes()[0].title.has_value());
}

TEST_F(UndoRedo, ALongSheetNameIsToldAndLeavesNoNamelessCopy) {
    t.sheet->setName(u"abcdefghijabcdefghijabcdefg");  // 27 characters: no room for "_Undo"
    runTool(u"after");
    EXPECT_EQ(sheetsSeen(t), (std::vector<std::u16string>{u"abcdefghijabcdefghijabcdefg"}));
    ASSERT_EQ(driver.messageBoxes().size(), 1u);
    EXPECT_NE(driver.messageBoxes()[0].prompt.find(u"cannot keep an undo copy"), std::u16string::npos);
    undo();
    EXPECT_EQ(valueOf(u"abcdefghijabcdefghijabcdefg"), u"after");
    EXPECT_EQ(t.app->StatusBar().toText(), u"Ready");
}

TEST_F(UndoRedo, InLegacyModeTheFlagsStillFollowWithoutARibbon) {
    shell::ribbonUI.reset();
    bool u = true, r = true;
    shell::setUndoRedoState(u, r);
    EXPECT_TRUE(shell::undoEnabled);
    EXPECT_TRUE(shell::redoEnabled);
}

TEST_F(UndoRedo, TheProcessingFrameSetsFixedValuesOnTheWayOut) {
    t.app->setCalculation(host::xlCalculationManual);  // the user's own setting is not restored
    {
        shell::ProcessingFrame frame;
        EXPECT_FALSE(t.app->AutoCorrect()->ReplaceText());
        EXPECT_FALSE(t.app->DisplayAlerts());
        EXPECT_EQ(t.app->EnableCancelKey(), host::xlErrorHandler);
        EXPECT_FALSE(t.app->ScreenUpdating());
        EXPECT_EQ(t.app->Calculation(), host::xlCalculationManual);
        EXPECT_FALSE(t.app->EnableEvents());
    }
    EXPECT_TRUE(t.app->AutoCorrect()->ReplaceText());
    EXPECT_TRUE(t.app->DisplayAlerts());
    EXPECT_EQ(t.app->Calculation(), host::xlCalculationAutomatic);
    EXPECT_TRUE(t.app->ScreenUpdating());
    EXPECT_TRUE(t.app->EnableEvents());
    EXPECT_EQ(t.app->EnableCancelKey(), host::xlErrorHandler);  // left at 2
}

}  // namespace
