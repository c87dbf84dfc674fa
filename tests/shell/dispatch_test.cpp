// Command dispatch through the ribbon: the workbook guard, the family keys, Undo and Redo,
// the shell's windows and the exit confirmation.
#include <gtest/gtest.h>

#include <set>

#include "forms/msg_box.h"
#include "host/application.h"
#include "host/range.h"
#include "host/text.h"
#include "host/worksheet.h"
#include "shell/command_catalogue.h"
#include "shell/family_set_ups.h"
#include "tests/shell/session_fixture.h"
#include "tests/support/recording_ribbon.h"
#include "tests/support/sheet_builder.h"

namespace shelltest {
namespace {

constexpr char16_t noWorkbookEnglish[] = u"Please Add a Workbook or Open a File";
constexpr char16_t exitPrompt[] = u"Do you want to exit?\r\nYou can reload it from Desktop Icon";

class Dispatch : public SessionTest {
protected:
    // A host with no workbook open (and no companion to add, so nothing is opened for it).
    session::HostSession& noWorkbookHost(std::u16string version = u"16.0") {
        return start({.version = std::move(version), .startWithBlankWorkbook = false, .withCompanion = false});
    }
    static void setStaleKeys() { setStaleFamilyKeys(); }
    static bool keysEmpty() {
        return shell::activeDOKey.empty() && shell::activeTCKey.empty() && shell::activeDCKey.empty() &&
               shell::activeCTKey.empty();
    }
    std::vector<std::u16string> shownFormNames() {
        std::vector<std::u16string> names;
        for (const auto& f : user().shownForms()) names.push_back(f.form);
        return names;
    }
    void switchToHindi() { ASSERT_TRUE(session->chooseLanguage(u"Hi")); }
};

std::vector<shell::CatalogueEntry> workbookCommands() {
    std::vector<shell::CatalogueEntry> out;
    for (const auto& e : shell::commandCatalogue())
        if (!shell::isShellCommand(e.target)) out.push_back(e);
    return out;
}

TEST_F(Dispatch, AnyToolWithNoWorkbookOpenShowsTheAlertAndNothingElse) {
    noWorkbookHost();
    shell::undoEnabled = shell::redoEnabled = true;  // so that Undo and Redo can be clicked too
    setStaleKeys();
    const auto commands = workbookCommands();
    ASSERT_EQ(commands.size(), 38u);
    for (const auto& command : commands) session->clickRibbon(std::u16string(command.controlId));

    ASSERT_EQ(user().shownForms().size(), commands.size());
    for (const auto& shown : user().shownForms()) {
        EXPECT_EQ(shown.form, u"frmAlert");
        EXPECT_EQ(shown.text(u"lblMessage"), noWorkbookEnglish);
    }
    EXPECT_TRUE(user().messageBoxes().empty());        // undo and redo were not reached
    EXPECT_EQ(shell::activeDOKey, u"DataOrganizer1");  // the keys are emptied only with a workbook open
    EXPECT_EQ(shell::activeCTKey, u"CountTool4");
    EXPECT_EQ(session->app().Workbooks()->Count(), 0);
}

TEST_F(Dispatch, TheNoWorkbookAlertSpeaksTheActiveLanguage) {
    noWorkbookHost();
    switchToHindi();
    session->clickRibbon(u"btnDelEmptyRows_34");
    ASSERT_EQ(user().shownForms().size(), 1u);
    const std::u16string shown = user().shownForms()[0].text(u"lblMessage");
    EXPECT_EQ(shown, shell::labelRow.at(69));
    EXPECT_NE(shown, noWorkbookEnglish);
    EXPECT_FALSE(shown.empty());
}

TEST_F(Dispatch, AboutWithNoWorkbookShowsTheAlertFirstThenTheToolTour) {
    noWorkbookHost();
    session->clickRibbon(u"btnAbout_55");
    EXPECT_EQ(shownFormNames(), (std::vector<std::u16string>{u"frmAlert", u"frmToolTour"}));
}

TEST_F(Dispatch, HelpAndFeedbackWithAWorkbookShowTheirWindowsWithoutAnAlert) {
    start();
    session->clickRibbon(u"btnHelp_58");
    session->clickRibbon(u"btnFeedback_59");
    EXPECT_EQ(shownFormNames(), (std::vector<std::u16string>{u"frmToolTour", u"frmRE"}));
}

TEST_F(Dispatch, ExitWithNoWorkbookShowsTheAlertThenAsks) {
    noWorkbookHost();
    user().click(u"CommandButton1").on(u"frmAlert").answer(forms::vbNo);
    session->clickRibbon(u"btnExit_57");
    EXPECT_EQ(shownFormNames(), (std::vector<std::u16string>{u"frmAlert"}));
    ASSERT_EQ(user().messageBoxes().size(), 1u);
    EXPECT_EQ(user().messageBoxes()[0].prompt, exitPrompt);
}

TEST_F(Dispatch, ExitAnsweredNoLeavesTheAddinConnectedAndNothingChanged) {
    auto& s = start();
    user().answer(forms::vbNo);
    s.clickRibbon(u"btnExit_57");

    ASSERT_EQ(user().messageBoxes().size(), 1u);
    const auto& box = user().messageBoxes()[0];
    EXPECT_EQ(box.prompt, exitPrompt);
    EXPECT_EQ(box.buttonSet(), forms::vbYesNo);
    EXPECT_EQ(box.icon(), 0);
    EXPECT_FALSE(box.title.has_value());
    EXPECT_TRUE(s.connected());
    EXPECT_TRUE(s.ribbon().loaded());
    EXPECT_TRUE(s.app().AddIns()->Item(1)->Installed());
    EXPECT_EQ(shell::hostApplication, s.application());
    EXPECT_TRUE(user().shownForms().empty());
}

TEST_F(Dispatch, ExitAnsweredYesDisconnectsTheAddin) {
    auto& s = start();
    user().answer(forms::vbYes);
    s.clickRibbon(u"btnExit_57");
    EXPECT_FALSE(s.connected());
    EXPECT_FALSE(s.ribbon().loaded());
    EXPECT_FALSE(s.app().AddIns()->Item(1)->Installed());
    EXPECT_EQ(shell::hostApplication, nullptr);
    // Connecting again from the host's COM add-ins list brings the tab back.
    s.setConnected(true);
    EXPECT_TRUE(s.ribbon().loaded());
    EXPECT_TRUE(s.app().AddIns()->Item(1)->Installed());
}

TEST_F(Dispatch, AToolCommandFindsEveryFamilyKeyEmptyAlsoAfterACancelledDialog) {
    start();
    for (const auto& command : workbookCommands()) {
        if (command.target == shell::TargetFamily::Undo || command.target == shell::TargetFamily::Redo) continue;
        setStaleKeys();  // what set-ups leave when their dialogs are cancelled
        session->clickRibbon(std::u16string(command.controlId));
        // A family's set-up may record its own key; every other key was emptied before it ran.
        EXPECT_TRUE(otherFamilyKeysEmpty(command.target)) << host::utf8(std::u16string(command.controlId));
    }
}

TEST_F(Dispatch, AToolOfAFamilyWithNoRegisteredSetUpShowsNothingAndEmptiesTheKeys) {
    start();
    const shell::FamilySetUps registered = shell::familySetUps();
    shell::familySetUps() = {};
    for (const auto& command : workbookCommands()) {
        if (command.target == shell::TargetFamily::Undo || command.target == shell::TargetFamily::Redo) continue;
        setStaleKeys();
        session->clickRibbon(std::u16string(command.controlId));
        EXPECT_TRUE(keysEmpty()) << host::utf8(std::u16string(command.controlId));
    }
    shell::familySetUps() = registered;
    EXPECT_TRUE(user().shownForms().empty());
    EXPECT_TRUE(user().messageBoxes().empty());
}

// Stands in for the tool dialog's Yes: the snapshot of the active sheet, then the ribbon's
// Undo enabled and Redo disabled.
void toolRunChanges(host::embedded::EmbeddedWorksheet& sheet, const testsupport::Rows& after) {
    shell::takeUndoSnapshot();
    bool undo = true, redo = false;
    shell::setUndoRedoState(undo, redo);
    testsupport::fill(sheet, after);
}

TEST_F(Dispatch, RibbonUndoThenRedoSwitchTheButtonsAndTheSheets) {
    auto& s = start();
    auto sheet = s.app().activeWorksheet();
    testsupport::fill(*sheet, {{u"before"}});
    EXPECT_FALSE(s.ribbon().enabled(u"btnUndo_02"));
    EXPECT_FALSE(s.ribbon().enabled(u"btnRedo_03"));
    toolRunChanges(*sheet, {{u"after"}});
    EXPECT_TRUE(s.ribbon().enabled(u"btnUndo_02"));
    EXPECT_FALSE(s.ribbon().enabled(u"btnRedo_03"));

    s.clickRibbon(u"btnUndo_02");
    EXPECT_FALSE(s.ribbon().enabled(u"btnUndo_02"));
    EXPECT_TRUE(s.ribbon().enabled(u"btnRedo_03"));
    EXPECT_EQ(s.app().Range(u"A1")->Value().toText(), u"before");
    EXPECT_EQ(s.app().ActiveSheet()->Name(), u"Sheet1");

    s.clickRibbon(u"btnRedo_03");
    EXPECT_TRUE(s.ribbon().enabled(u"btnUndo_02"));
    EXPECT_FALSE(s.ribbon().enabled(u"btnRedo_03"));
    EXPECT_EQ(s.app().Range(u"A1")->Value().toText(), u"after");
    EXPECT_EQ(s.app().StatusBar().toText(), u"Ready");
}

TEST_F(Dispatch, UndoWithoutASnapshotStillSwitchesTheButtons) {
    auto& s = start();
    shell::undoEnabled = true;
    s.clickRibbon(u"btnUndo_02");
    EXPECT_FALSE(s.ribbon().enabled(u"btnUndo_02"));
    EXPECT_TRUE(s.ribbon().enabled(u"btnRedo_03"));
    EXPECT_EQ(s.app().ActiveSheet()->Name(), u"Sheet1");
    EXPECT_EQ(s.app().Sheets()->Count(), 1);
}

TEST_F(Dispatch, AnIdOutsideTheCatalogueDoesNothing) {
    auto& s = start();
    setStaleKeys();
    // The hidden duplicate item cannot be clicked in the ribbon; its handler would do nothing.
    s.openMenuHolding(u"btnDelDupUD_29");
    s.ribbon().click(u"btnDelDupUD_29");
    EXPECT_EQ(shell::activeDOKey, u"DataOrganizer1");
    host::RibbonCallback call{u"RibbonHandler",
                              std::make_shared<testsupport::RibbonControlStub>(u"btnDelDupUD_29"),
                              nullptr,
                              std::nullopt,
                              {}};
    EXPECT_TRUE(s.connection()->invokeRibbonCallback(call));
    EXPECT_TRUE(keysEmpty());  // a workbook is open: the keys are emptied before the look-up
    EXPECT_TRUE(user().shownForms().empty());
    EXPECT_TRUE(user().messageBoxes().empty());
}

TEST(Catalogue, IdsAndTagsAreLookedUpExactly) {
    EXPECT_EQ(shell::commandForControlId(u"btnDelAllObjects_61")->commandKey, u"removeObjects");
    EXPECT_EQ(shell::commandForLegacyTag(u"CWTOOLS5_DO4")->commandKey, u"removeObjects");
    EXPECT_EQ(shell::commandForLegacyTag(u"CWTOOLS5_DO3")->commandKey, u"removeSheets");
    EXPECT_FALSE(shell::commandForControlId(u"btndelnumbers_07").has_value());
    EXPECT_FALSE(shell::commandForLegacyTag(u"cwtools5_tc1").has_value());
    EXPECT_FALSE(shell::commandForLegacyTag(u"CWTOOLS5_DC").has_value());  // the submenu's tag
    EXPECT_FALSE(shell::commandForControlId(u"").has_value());
    EXPECT_FALSE(shell::commandForLegacyTag(u"").has_value());
}

TEST(Catalogue, EveryRowIsUniqueAndToolRowsCarryAKey) {
    std::set<std::u16string_view> ids, tags;
    for (const auto& e : shell::commandCatalogue()) {
        EXPECT_TRUE(ids.insert(e.controlId).second) << host::utf8(std::u16string(e.controlId));
        EXPECT_TRUE(tags.insert(e.legacyTag).second) << host::utf8(std::u16string(e.legacyTag));
        EXPECT_TRUE(e.legacyTag.starts_with(u"CWTOOLS5_"));
        const bool takesKey = e.target != shell::TargetFamily::DuplicatePreventer &&
                              e.target != shell::TargetFamily::Undo && e.target != shell::TargetFamily::Redo &&
                              !shell::isShellCommand(e.target);
        EXPECT_EQ(!e.commandKey.empty(), takesKey) << host::utf8(std::u16string(e.controlId));
    }
}

}  // namespace
}  // namespace shelltest
