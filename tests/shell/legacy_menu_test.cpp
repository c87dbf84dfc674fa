// The legacy menu of hosts up to version 11.0: its tree on the main menu bar, the click
// routing of every button, and its removal and rebuilding across connections.
#include <gtest/gtest.h>

#include <set>

#include "forms/msg_box.h"
#include "host/application.h"
#include "host/range.h"
#include "host/text.h"
#include "shell/command_catalogue.h"
#include "shell/family_set_ups.h"
#include "shell/legacy_menu_tree.h"
#include "tests/shell/session_fixture.h"
#include "tests/support/sheet_builder.h"

namespace shelltest {
namespace {

// A second receiver bound after the add-in's: it sees CancelDefault as the add-in left it.
class CancelDefaultWitness : public host::CommandBarButtonEvents {
public:
    void Click(const host::CommandBarControlPtr&, bool& cancelDefault) override {
        ++clicks;
        lastCancelDefault = cancelDefault;
    }
    int clicks = 0;
    bool lastCancelDefault = false;
};

class LegacyMenu : public SessionTest {
protected:
    host::CommandBarControlsPtr menuBar() { return session->app().CommandBars()->Item(1)->Controls(); }
    long popupCount() {
        long n = 0;
        for (long i = 1; i <= menuBar()->Count(); ++i) n += menuBar()->Item(i)->Caption() == u"&Cellwash";
        return n;
    }
    host::CommandBarControlPtr popup() { return session->menuControl({u"&Cellwash"}); }
    std::vector<std::u16string> shownFormNames() {
        std::vector<std::u16string> names;
        for (const auto& f : user().shownForms()) names.push_back(f.form);
        return names;
    }
};

// Every button of the tree with its caption path below the popup.
struct ButtonPath {
    std::vector<std::u16string> path;
    std::u16string tag;
};

std::vector<ButtonPath> buttonPaths() {
    std::vector<ButtonPath> out;
    std::u16string submenu;
    for (const auto& item : shell::legacyMenuTree()) {
        if (item.kind == shell::MenuItemKind::Submenu) {
            submenu = std::u16string(item.caption);
            continue;
        }
        std::vector<std::u16string> path;
        if (item.level == 2) path.push_back(submenu);
        path.emplace_back(item.caption);
        out.push_back({path, std::u16string(item.tag)});
    }
    return out;
}

TEST_F(LegacyMenu, ThePopupIsAppendedLastAsAPermanentGroupStart) {
    legacyHost();
    ASSERT_NE(popup(), nullptr);
    const auto last = menuBar()->Item(menuBar()->Count());
    EXPECT_EQ(last->Caption(), u"&Cellwash");
    EXPECT_EQ(last->Type(), host::msoControlPopup);
    EXPECT_TRUE(last->BeginGroup());
    EXPECT_TRUE(last->Visible());
    EXPECT_FALSE(last->Temporary());
    EXPECT_TRUE(session->app().CommandBars()->Item(1)->Visible());
    EXPECT_TRUE(session->app().ScreenUpdating());
}

TEST_F(LegacyMenu, TheTreeHasItsSubmenusAndButtonsInOrder) {
    legacyHost();
    const auto top = popup()->Controls();
    std::vector<std::u16string> captions;
    for (long i = 1; i <= top->Count(); ++i) captions.push_back(top->Item(i)->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::u16string>{u"Undo Changes", u"Redo Changes", u"&Text Cleaner", u"&Duplicate Cleaner",
                                           u"Data &Organizer", u"&Count Tools", u"&About Cellwash",
                                           u"Online &User Guide", u"&Send Feedback...", u"E&xit Cellwash"}));
    EXPECT_EQ(top->Item(u"&Text Cleaner")->Controls()->Count(), 14);
    EXPECT_EQ(top->Item(u"&Duplicate Cleaner")->Controls()->Count(), 5);
    EXPECT_EQ(top->Item(u"Data &Organizer")->Controls()->Count(), 12);
    EXPECT_EQ(top->Item(u"&Count Tools")->Controls()->Count(), 5);
    EXPECT_EQ(shell::menuButtons->size(), 42u);
    EXPECT_EQ(shell::lastToolButton, shell::menuButtons->back());
    EXPECT_EQ(shell::lastToolButton->cbBtn()->Caption(), u"E&xit Cellwash");
}

TEST_F(LegacyMenu, EveryControlCarriesTheCaptionTagIconStyleAndGroupOfItsRow) {
    legacyHost();
    std::u16string submenu;
    for (const auto& item : shell::legacyMenuTree()) {
        std::vector<std::u16string> path{u"&Cellwash"};
        if (item.level == 2) path.push_back(submenu);
        path.emplace_back(item.caption);
        const auto control = session->menuControl(path);
        ASSERT_NE(control, nullptr) << host::utf8(std::u16string(item.caption));
        EXPECT_EQ(control->Tag(), item.tag);
        EXPECT_EQ(control->BeginGroup(), item.beginGroup) << host::utf8(std::u16string(item.caption));
        EXPECT_FALSE(control->Temporary());
        if (item.kind == shell::MenuItemKind::Submenu) {
            EXPECT_EQ(control->Type(), host::msoControlPopup);
            submenu = std::u16string(item.caption);
        } else {
            EXPECT_EQ(control->Type(), host::msoControlButton);
            EXPECT_EQ(control->FaceId(), item.faceId);
            EXPECT_EQ(control->Style(), host::msoButtonIconAndCaption);
        }
    }
    const auto exit = session->menuControl({u"&Cellwash", u"E&xit Cellwash"});
    EXPECT_EQ(exit->FaceId(), 1091);
    EXPECT_EQ(exit->Tag(), u"CWTOOLS5_EXIT");
    EXPECT_EQ(session->menuControl({u"&Cellwash", u"&Duplicate Cleaner"})->Tag(), u"CWTOOLS5_DC");
}

TEST_F(LegacyMenu, EveryButtonTagIsACatalogueCommandAndEveryCommandHasAButton) {
    std::set<std::u16string> tags;
    for (const auto& b : buttonPaths()) {
        EXPECT_TRUE(shell::commandForLegacyTag(b.tag).has_value()) << host::utf8(b.tag);
        tags.insert(b.tag);
    }
    EXPECT_EQ(tags.size(), shell::commandCatalogue().size());
}

TEST_F(LegacyMenu, TheRemoveObjectsItemRunsTheRemoveObjectsCommand) {
    legacyHost();
    const auto item = session->menuControl({u"&Cellwash", u"Data &Organizer", u"4. Remove all objects in ActiveSheet"});
    ASSERT_NE(item, nullptr);
    const auto command = shell::commandForLegacyTag(item->Tag());
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->commandKey, u"removeObjects");
    EXPECT_EQ(command->target, shell::TargetFamily::DataOrganizer);
    EXPECT_EQ(
        shell::commandForLegacyTag(
            session->menuControl({u"&Cellwash", u"Data &Organizer", u"3. Remove Empty Sheets in Workbook"})->Tag())
            ->commandKey,
        u"removeSheets");
}

TEST_F(LegacyMenu, EveryButtonRoutesItsClickAndSetsCancelDefault) {
    legacyHost();
    for (const auto& b : buttonPaths()) {
        if (b.tag == u"CWTOOLS5_EXIT") continue;  // asked about below
        const auto command = shell::commandForLegacyTag(b.tag);
        ASSERT_TRUE(command.has_value());
        std::vector<std::u16string> fullPath{u"&Cellwash"};
        fullPath.insert(fullPath.end(), b.path.begin(), b.path.end());
        const auto control = session->menuControl(fullPath);
        auto witness = std::make_shared<CancelDefaultWitness>();
        control->bindClick(witness);
        setStaleFamilyKeys();
        const size_t formsBefore = user().shownForms().size();

        session->clickMenu(b.path);

        EXPECT_EQ(witness->clicks, 1);
        EXPECT_TRUE(witness->lastCancelDefault) << host::utf8(b.tag);
        EXPECT_TRUE(otherFamilyKeysEmpty(command->target)) << host::utf8(b.tag);
        const size_t shown = user().shownForms().size() - formsBefore;
        switch (command->target) {
        case shell::TargetFamily::ToolTour:
            ASSERT_EQ(shown, 1u);
            EXPECT_EQ(user().shownForms().back().form, u"frmToolTour");
            break;
        case shell::TargetFamily::Feedback:
            ASSERT_EQ(shown, 1u);
            EXPECT_EQ(user().shownForms().back().form, u"frmRE");
            break;
        default: break;
        }
    }
    EXPECT_TRUE(user().messageBoxes().empty());
}

TEST_F(LegacyMenu, AToolWithNoWorkbookOpenDoesNothing) {
    start({.version = u"11.0", .startWithBlankWorkbook = false, .withCompanion = false});
    shell::activeDOKey = u"DataOrganizer1";
    session->clickMenu({u"Data &Organizer", u"1. Remove Empty Rows in Selection"});
    session->clickMenu({u"Undo Changes"});
    EXPECT_TRUE(user().shownForms().empty());
    EXPECT_TRUE(user().messageBoxes().empty());
    EXPECT_EQ(shell::activeDOKey, u"DataOrganizer1");
}

TEST_F(LegacyMenu, AboutWithNoWorkbookOpenShowsOnlyTheToolTour) {
    start({.version = u"11.0", .startWithBlankWorkbook = false, .withCompanion = false});
    session->clickMenu({u"&About Cellwash"});
    EXPECT_EQ(shownFormNames(), (std::vector<std::u16string>{u"frmToolTour"}));
}

TEST_F(LegacyMenu, UndoAndRedoSwapTheSheetsAndLeaveTheRibbonFlagsAlone) {
    legacyHost();
    auto sheet = session->app().activeWorksheet();
    testsupport::fill(*sheet, {{u"before"}});
    shell::takeUndoSnapshot();
    testsupport::fill(*sheet, {{u"after"}});

    session->clickMenu({u"Undo Changes"});
    EXPECT_EQ(session->app().Range(u"A1")->Value().toText(), u"before");
    EXPECT_FALSE(shell::undoEnabled);
    EXPECT_FALSE(shell::redoEnabled);
    session->clickMenu({u"Redo Changes"});
    EXPECT_EQ(session->app().Range(u"A1")->Value().toText(), u"after");
    EXPECT_FALSE(shell::undoEnabled);
    EXPECT_FALSE(shell::redoEnabled);
}

TEST_F(LegacyMenu, ExitAnsweredYesRemovesTheMenuAndNoKeepsIt) {
    legacyHost();
    user().answer(forms::vbNo);
    session->clickMenu({u"E&xit Cellwash"});
    EXPECT_NE(popup(), nullptr);
    EXPECT_TRUE(session->connected());

    user().answer(forms::vbYes);
    session->clickMenu({u"E&xit Cellwash"});
    EXPECT_EQ(popup(), nullptr);
    EXPECT_FALSE(session->connected());
    EXPECT_FALSE(session->app().AddIns()->Item(1)->Installed());
    ASSERT_EQ(user().messageBoxes().size(), 2u);
    EXPECT_EQ(user().messageBoxes()[1].prompt, u"Do you want to exit?\r\nYou can reload it from Desktop Icon");
}

TEST_F(LegacyMenu, ConnectingTwiceLeavesExactlyOnePopup) {
    legacyHost();
    session->setConnected(false);
    EXPECT_EQ(popupCount(), 0);
    session->setConnected(true);
    EXPECT_EQ(popupCount(), 1);
    session->restart();
    EXPECT_EQ(popupCount(), 1);
    EXPECT_NE(session->menuControl({u"&Cellwash", u"&Text Cleaner", u"1. Remove all Numbers (0-9) in Selected Cells"}),
              nullptr);
}

TEST_F(LegacyMenu, APopupLeftByAnEarlierRunIsReplaced) {
    start({.version = u"11.0", .startUp = false});
    // A host that ended without disconnecting kept the permanent popup in its menu bar.
    const auto stale = menuBar()->Add(host::msoControlPopup, std::nullopt, false);
    stale->setCaption(u"&Cellwash");
    stale->Controls()->Add(host::msoControlButton)->setCaption(u"old item");
    session->startUp();
    EXPECT_EQ(popupCount(), 1);
    EXPECT_EQ(session->menuControl({u"&Cellwash", u"old item"}), nullptr);
    EXPECT_NE(session->menuControl({u"&Cellwash", u"Undo Changes"}), nullptr);
}

TEST_F(LegacyMenu, ButtonsKeptAfterDisconnectionRouteNoMoreClicks) {
    legacyHost();
    const auto about = session->menuControl({u"&Cellwash", u"&About Cellwash"});
    session->setConnected(false);
    session->app().commandBarSet().click(about);
    EXPECT_TRUE(user().shownForms().empty());
}

TEST_F(LegacyMenu, PopupsAndSubmenusCarryNoCommand) {
    legacyHost();
    session->app().commandBarSet().click(popup());
    session->app().commandBarSet().click(session->menuControl({u"&Cellwash", u"&Duplicate Cleaner"}));
    EXPECT_TRUE(user().shownForms().empty());
    EXPECT_TRUE(user().messageBoxes().empty());
}

TEST_F(LegacyMenu, TheRibbonIsNeitherLoadedNorItsLanguageTables) {
    legacyHost();
    EXPECT_FALSE(session->ribbon().loaded());
    EXPECT_TRUE(shell::labelRow.empty());
    EXPECT_EQ(shell::ribbonUI, nullptr);
}

}  // namespace
}  // namespace shelltest
