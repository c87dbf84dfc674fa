// Connection and disconnection: the host version test, what each mode builds and loads, the
// companion add-in workbook, and the add-in's registration with the host.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "files/engine_binding.h"
#include "files/office_convert.h"
#include "host/application.h"
#include "host/error.h"
#include "host/range.h"
#include "host/text.h"
#include "host/worksheet.h"
#include "registry/memory_store.h"
#include "session/addin_registration.h"
#include "shell/connect.h"
#include "shell/host_version.h"
#include "tests/shell/registry_reading.h"
#include "tests/shell/session_fixture.h"
#include "tests/support/recording_ribbon.h"

namespace shelltest {
namespace {

namespace fs = std::filesystem;
using session::HostSessionOptions;

// The add-in workbook entries of the host, by file name: installed or not.
std::map<std::u16string, bool> listedAddIns(host::embedded::EmbeddedApplication& app) {
    std::map<std::u16string, bool> listed;
    for (long i = 1; i <= app.AddIns()->Count(); ++i)
        listed[app.AddIns()->Item(i)->Name()] = app.AddIns()->Item(i)->Installed();
    return listed;
}

// Every path the host opens from now on, in order; opening goes on through the file layer.
std::shared_ptr<std::vector<std::u16string>> recordOpenedFiles(host::embedded::EmbeddedApplication& app) {
    auto opened = std::make_shared<std::vector<std::u16string>>();
    app.setOpener([opened](const std::u16string& path) {
        opened->push_back(path);
        try {
            return files::openWorkbook(path);
        } catch (const std::exception& e) {
            throw host::Error(host::errApplication, e.what());
        }
    });
    return opened;
}

bool libreOfficeInstalled() { return !files::findOfficeProgram().empty(); }

std::vector<std::string> folderContent(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::u16string optionsKey = u"Software\\Microsoft\\Office\\16.0\\Excel\\Options";
const std::u16string managerKey = u"Software\\Microsoft\\Office\\16.0\\Excel\\Add-in Manager";

class Connection : public SessionTest {};

struct ModeCase {
    const char16_t* version;
    bool legacy;
};

class HostVersion : public SessionTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(HostVersion, DecidesBetweenLegacyMenuAndRibbon) {
    auto& s = start({.version = GetParam().version});
    const bool legacy = GetParam().legacy;
    EXPECT_EQ(s.menuControl({u"&Cellwash"}) != nullptr, legacy);
    EXPECT_EQ(s.ribbon().loaded(), !legacy);
    // Only ribbon mode loads the language tables.
    EXPECT_EQ(shell::labelRow.empty(), legacy);
    EXPECT_EQ(shell::screenTips.empty(), legacy);
    EXPECT_EQ(shell::superTips.empty(), legacy);
    EXPECT_EQ(shell::hostApplication, s.application());
}

INSTANTIATE_TEST_SUITE_P(Versions, HostVersion,
                         ::testing::Values(ModeCase{u"9.0", true}, ModeCase{u"10.0", true}, ModeCase{u"11.0", true},
                                           ModeCase{u"11.5", false}, ModeCase{u"12.0", false}, ModeCase{u"14.0", false},
                                           ModeCase{u"16.0", false}),
                         [](const auto& info) {
                             std::string name = "version_" + host::utf8(info.param.version);
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

struct NumberCase {
    const char16_t* text;
    double value;
};

class VersionText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(VersionText, ConvertsAsTheHostConvertsTextToNumbers) {
    EXPECT_DOUBLE_EQ(shell::textToNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Numbers, VersionText,
                         ::testing::Values(NumberCase{u"11.0", 11.0}, NumberCase{u"12.0", 12.0},
                                           NumberCase{u" 16.0 ", 16.0}, NumberCase{u"9", 9.0},
                                           NumberCase{u"-1.5", -1.5}, NumberCase{u"+14", 14.0},
                                           NumberCase{u"1.2e1", 12.0}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(VersionTextRefused, TextThatIsNoNumberIsATypeMismatch) {
    for (const char16_t* text :
         {u"", u"  ", u"abc", u"11.0a", u"nan", u"inf", u"1..0", u"--1", u"1 1", u"\u0661\u0662"}) {
        try {
            shell::textToNumber(text);
            ADD_FAILURE() << "accepted " << host::utf8(text);
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), host::errTypeMismatch) << host::utf8(text);
        }
    }
}

TEST_F(Connection, AVersionThatIsNoNumberBuildsNeitherModeButStillInstallsTheCompanion) {
    auto& s = start({.version = u"beta"});
    EXPECT_EQ(s.menuControl({u"&Cellwash"}), nullptr);
    EXPECT_TRUE(shell::labelRow.empty());
    EXPECT_TRUE(s.connected());
    EXPECT_EQ(listedAddIns(s.app()), (std::map<std::u16string, bool>{{u"Cellwash Kit 5.0.xla", true}}));
}

TEST_F(Connection, ShowsNothing) {
    start();
    EXPECT_TRUE(user().messageBoxes().empty());
    EXPECT_TRUE(user().shownForms().empty());
}

TEST_F(Connection, WithAWorkbookOpenAddsAndInstallsTheCompanionFromTheAddinFolder) {
    auto& s = start();
    ASSERT_EQ(s.app().AddIns()->Count(), 1);
    const auto companion = s.app().AddIns()->Item(1);
    EXPECT_EQ(companion->Name(), u"Cellwash Kit 5.0.xla");
    EXPECT_TRUE(companion->Installed());
    EXPECT_EQ(fs::path(host::utf8(companion->FullName())), s.addinFolder() / "Cellwash Kit 5.0.xla");
    EXPECT_EQ(s.app().Workbooks()->Count(), 1);  // only the host's Book1
}

TEST_F(Connection, WithNoWorkbookOpenOpensTheSampleForTheAddingAndClosesItUnsaved) {
    if (!libreOfficeInstalled()) GTEST_SKIP() << "sample.xls opens through LibreOffice, which is not installed";
    auto& s = start({.startWithBlankWorkbook = false, .startUp = false});
    const auto opened = recordOpenedFiles(s.app());
    s.startUp();

    ASSERT_FALSE(opened->empty());
    EXPECT_EQ(fs::path(host::utf8(opened->front())), s.addinFolder() / "sample.xls");
    EXPECT_EQ(s.app().Workbooks()->Count(), 0);
    EXPECT_EQ(listedAddIns(s.app()), (std::map<std::u16string, bool>{{u"Cellwash Kit 5.0.xla", true}}));
    // Closed without saving: the add-in folder holds only what was shipped.
    EXPECT_EQ(folderContent(s.addinFolder()), (std::vector<std::string>{"Cellwash Kit 5.0.xla", "sample.xls"}));
}

TEST_F(Connection, ACompanionListedButNotInstalledIsInstalledAndNothingIsOpened) {
    auto& s = start();
    s.setConnected(false);
    s.app().Workbooks()->Item(1)->Close(false);
    ASSERT_FALSE(s.app().AddIns()->Item(shell::companionTitle)->Installed());
    const auto opened = recordOpenedFiles(s.app());

    s.setConnected(true);
    EXPECT_TRUE(s.app().AddIns()->Item(shell::companionTitle)->Installed());
    EXPECT_TRUE(opened->empty());
    EXPECT_EQ(s.app().Workbooks()->Count(), 0);
    EXPECT_EQ(s.app().AddIns()->Count(), 1);
}

TEST_F(Connection, ACompanionListedAndInstalledIsLeftAsItIs) {
    auto& s = start();
    s.setConnected(false);
    s.app().AddIns()->Item(1)->setInstalled(true);  // the user ticks it in the add-ins dialog
    s.setConnected(true);
    EXPECT_EQ(listedAddIns(s.app()), (std::map<std::u16string, bool>{{u"Cellwash Kit 5.0.xla", true}}));
}

TEST_F(Connection, DisconnectingMarksTheCompanionNotInstalledAndTheHostStillListsIt) {
    auto store = std::make_shared<registry::MemoryRegistryStore>();
    auto& s = start({.registryStore = store});
    EXPECT_EQ(userValues(store, optionsKey),
              (std::map<std::u16string, std::u16string>{{u"OPEN", u"\"Cellwash Kit 5.0.xla\""}}));

    s.setConnected(false);
    EXPECT_EQ(listedAddIns(s.app()), (std::map<std::u16string, bool>{{u"Cellwash Kit 5.0.xla", false}}));
    EXPECT_TRUE(userValues(store, optionsKey).empty());
    EXPECT_EQ(userValues(store, managerKey).count(u"Cellwash Kit 5.0.xla"), 1u);
    EXPECT_EQ(shell::hostApplication, nullptr);
}

TEST_F(Connection, EveryConnectionInstallsTheCompanionAgain) {
    auto& s = start();
    for (int round = 0; round < 2; ++round) {
        s.setConnected(false);
        EXPECT_FALSE(s.app().AddIns()->Item(1)->Installed());
        s.setConnected(true);
        EXPECT_TRUE(s.app().AddIns()->Item(1)->Installed());
        EXPECT_EQ(s.app().AddIns()->Count(), 1);  // added once, then found again
    }
}

TEST_F(Connection, AMissingCompanionFileLeavesTheAddinListAloneAndTheConnectionCompletes) {
    auto& s = start({.withCompanion = false});
    EXPECT_EQ(s.app().AddIns()->Count(), 0);
    EXPECT_TRUE(s.connected());
    EXPECT_TRUE(s.ribbon().loaded());
    EXPECT_FALSE(shell::labelRow.empty());
}

TEST_F(Connection, AMissingCompanionFileUninstallsACompanionListedUnderAnotherTitle) {
    auto& s = start();
    // An older companion file of the same name, without the title property: listed by its stem.
    s.app().addInList().entry(0).title = u"Cellwash Kit 5.0";
    s.setConnected(false);
    s.app().AddIns()->Item(1)->setInstalled(true);
    fs::remove(s.addinFolder() / "Cellwash Kit 5.0.xla");
    s.setConnected(true);
    EXPECT_EQ(listedAddIns(s.app()), (std::map<std::u16string, bool>{{u"Cellwash Kit 5.0.xla", false}}));
}

TEST_F(Connection, AMissingSampleWithNoWorkbookOpenEndsTheChainBeforeTheCompanionIsAdded) {
    auto& s = start({.startWithBlankWorkbook = false, .withSample = false});
    EXPECT_EQ(s.app().AddIns()->Count(), 0);
    EXPECT_EQ(s.app().Workbooks()->Count(), 0);
    EXPECT_TRUE(s.connected());
    EXPECT_TRUE(s.ribbon().loaded());
}

TEST_F(Connection, AFailedAddLeavesTheSampleOpenAndTheConnectionStillCompletes) {
    if (!libreOfficeInstalled()) GTEST_SKIP() << "sample.xls opens through LibreOffice, which is not installed";
    auto& s = start({.startWithBlankWorkbook = false, .startUp = false, .withCompanion = false});
    // Something that exists and is no folder, but no workbook file either: the host refuses to add it.
    const fs::path pipe = s.addinFolder() / "Cellwash Kit 5.0.xla";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    s.startUp();
    EXPECT_EQ(s.app().AddIns()->Count(), 0);
    ASSERT_EQ(s.app().Workbooks()->Count(), 1);
    EXPECT_EQ(s.app().Workbooks()->Item(1)->Name(), u"sample.xlsx");  // converted from sample.xls
    EXPECT_TRUE(s.ribbon().loaded());
}

TEST_F(Connection, AReconnectKeepsTheLanguageChosenBeforeTheDisconnect) {
    auto& s = start();
    ASSERT_TRUE(s.chooseLanguage(u"Hi"));
    const std::u16string hindiUndoLabel = s.ribbon().label(u"btnUndo_02");
    ASSERT_NE(hindiUndoLabel, u"Undo");

    s.setConnected(false);
    s.setConnected(true);
    EXPECT_EQ(shell::languageCode, u"Hi");
    EXPECT_EQ(s.ribbon().label(u"btnUndo_02"), hindiUndoLabel);
    EXPECT_EQ(s.ribbon().label(u"grpUndo_01"), shell::labelRow[1]);
}

TEST_F(Connection, TheShippedFilesOpenInTheHostAndTheSessionSelectsCells) {
    auto& s = start();
    const auto companion = s.openWorkbook(s.addinFolder() / "Cellwash Kit 5.0.xla");
    EXPECT_EQ(companion->model().title, u"Cellwash Pro Tool");
    EXPECT_EQ(s.app().ActiveSheet()->Name(), u"Cellwash");
    EXPECT_EQ(s.app().Range(u"A1")->Value().toText(), u"Cellwash Pro Tool");
    s.select(u"B2:C3");
    EXPECT_EQ(s.app().Selection()->Address(), u"$B$2:$C$3");
    if (!libreOfficeInstalled()) GTEST_SKIP() << "sample.xls opens through LibreOffice, which is not installed";
    s.openWorkbook(s.addinFolder() / "sample.xls");
    EXPECT_EQ(s.app().ActiveSheet()->Name(), u"Sheet1");
    EXPECT_EQ(s.app().Range(u"A1")->Value().toText(), u"Cellwash sample workbook");
    EXPECT_EQ(s.app().Workbooks()->Count(), 3);
}

TEST_F(Connection, TheSessionChoosesOnlyLanguagesTheMenuOffersWhileConnected) {
    auto& s = start();
    EXPECT_FALSE(s.chooseLanguage(u"Xx"));
    EXPECT_TRUE(s.chooseLanguage(u"En"));
    EXPECT_EQ(shell::languageCode, u"En");
    s.setConnected(false);
    EXPECT_FALSE(s.chooseLanguage(u"Hi"));
    EXPECT_EQ(shell::languageCode, u"En");
}

TEST_F(Connection, DisconnectionInLegacyModeRemovesTheMenuAndReleasesItsButtons) {
    auto& s = legacyHost();
    ASSERT_NE(s.menuControl({u"&Cellwash"}), nullptr);
    ASSERT_NE(shell::menuButtons, nullptr);
    s.setConnected(false);
    EXPECT_EQ(s.menuControl({u"&Cellwash"}), nullptr);
    EXPECT_EQ(shell::menuButtons, nullptr);
    EXPECT_EQ(shell::lastToolButton, nullptr);
    EXPECT_EQ(shell::hostApplication, nullptr);
    EXPECT_FALSE(s.app().AddIns()->Item(1)->Installed());
}

TEST_F(Connection, TheAddinIsRegisteredForTheCurrentUserToLoadAtStartUp) {
    auto store = std::make_shared<registry::MemoryRegistryStore>();
    start({.registryStore = store});
    const auto values = userValues(store, u"Software\\Microsoft\\Office\\Excel\\Addins\\CellwashKit.Connect");
    EXPECT_EQ(values.at(u"FriendlyName"), u"Cellwash Kit");
    EXPECT_EQ(values.at(u"LoadBehavior"), u"3");
    EXPECT_FALSE(values.at(u"Description").empty());
    EXPECT_EQ(values.at(u"Description").find(u'\n'), std::u16string::npos);
    EXPECT_TRUE(session->connected());
}

TEST_F(Connection, ARegisteredAddinConnectsAgainWhenTheHostRestarts) {
    auto& s = start();
    const auto first = s.connection();
    s.restart();
    EXPECT_TRUE(s.connected());
    EXPECT_NE(s.connection(), first);  // a new connection object
    EXPECT_EQ(shell::hostApplication, s.application());
}

struct FileCase {
    const char* what;
    std::function<std::u16string(const fs::path& folder)> path;
    bool exists;
};

TEST_F(Connection, FileExistsIsTrueOnlyForAPathThatExistsAndIsNoFolder) {
    auto& s = start({.startUp = false});
    const fs::path folder = s.addinFolder();
    std::ofstream(folder / "plain.txt") << "x";
    fs::create_directory(folder / "sub");
    const FileCase cases[] = {
        {"a shipped file", [](const fs::path& f) { return host::utf16((f / "sample.xls").string()); }, true},
        {"a plain file", [](const fs::path& f) { return host::utf16((f / "plain.txt").string()); }, true},
        {"a folder", [](const fs::path& f) { return host::utf16((f / "sub").string()); }, false},
        {"a missing file", [](const fs::path& f) { return host::utf16((f / "none.xla").string()); }, false},
        {"a file used as a folder", [](const fs::path& f) { return host::utf16((f / "plain.txt" / "x").string()); },
         false},
        {"the empty path", [](const fs::path&) { return std::u16string(); }, false},
        {"a path with a NUL", [](const fs::path& f) { return host::utf16((f / "plain.txt").string()) + u'\0'; }, false},
    };
    for (const auto& c : cases) EXPECT_EQ(shell::Connect::FileExists(c.path(folder)), c.exists) << c.what;
}
TEST_F(Connection, TheHostListsTheShippedCompanionByItsTitle) {
    auto& s = start({.startUp = false});
    EXPECT_EQ(s.app().workbookTitle(shell::addinFolderFile(shell::companionFileName)), u"Cellwash Pro Tool");
    s.startUp();
    EXPECT_EQ(s.app().AddIns()->Item(shell::companionTitle)->Name(), u"Cellwash Kit 5.0.xla");
}

}  // namespace
}  // namespace shelltest
