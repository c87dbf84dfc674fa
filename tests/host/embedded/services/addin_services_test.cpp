// The add-in lists, COM add-in connection and command bars of the embedded host.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "host/application.h"
#include "host/error.h"
#include "host/text.h"
#include "registry/c_registry.h"
#include "registry/memory_store.h"
#include "tests/support/host_error.h"
#include "tests/support/printing.h"
#include "tests/support/sheet_builder.h"

using host::embedded::ComAddInRegistration;
using host::embedded::EmbeddedApplication;

namespace {

// Values of one HKCU key as name=data lines, in order.
std::vector<std::u16string> values(const std::shared_ptr<registry::RegistryStore>& store, const std::u16string& key) {
    registry::cRegistry reg(store);
    reg.ClassKey(registry::HKEY_CURRENT_USER);
    reg.SectionKey(key);
    registry::OneBasedList<std::u16string> names;
    std::int32_t count = 0;
    std::vector<std::u16string> out;
    if (!reg.KeyExists() || !reg.EnumerateValues(names, count)) return out;
    for (std::int32_t i = 1; i <= count; ++i) {
        reg.ValueKey(names[i]);
        out.push_back(names[i] + u"=" + reg.Value().toText());
    }
    return out;
}

class AddInFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() / ("cw_addins_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        for (const char* name : {"Tool.xla", "Other.xla"}) std::ofstream(folder / name) << "x";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::u16string path(const char* name) const { return host::utf16((folder / name).string()); }

    std::filesystem::path folder;
    std::shared_ptr<registry::MemoryRegistryStore> store = std::make_shared<registry::MemoryRegistryStore>();
};

const std::u16string kOptions = u"Software\\Microsoft\\Office\\14.0\\Excel\\Options";
const std::u16string kManager = u"Software\\Microsoft\\Office\\14.0\\Excel\\Add-in Manager";

TEST_F(AddInFiles, AddedAddInsAreListedAndRecordedWhereTheHostKeepsThem) {
    auto app = EmbeddedApplication::create(u"14.0", store);
    auto addIns = app->AddIns();
    EXPECT_EQ(testsupport::hostErrorOf([&] { addIns->Add(path("Missing.xla")); }), 1004);
    EXPECT_EQ(testsupport::hostErrorOf([&] { addIns->Item(u"Tool"); }), 9);

    auto tool = addIns->Add(path("Tool.xla"));
    EXPECT_EQ(tool->Name(), u"Tool.xla");
    EXPECT_EQ(tool->Title(), u"Tool");
    EXPECT_FALSE(tool->Installed());
    EXPECT_EQ(values(store, kManager), (std::vector<std::u16string>{u"Tool.xla="}));

    tool->setInstalled(true);
    addIns->Add(path("Other.xla"))->setInstalled(true);
    EXPECT_EQ(values(store, kOptions), (std::vector<std::u16string>{u"OPEN=\"Tool.xla\"", u"OPEN1=\"Other.xla\""}));
    EXPECT_TRUE(values(store, kManager).empty());

    addIns->Item(u"tool")->setInstalled(false);  // titles compare ignoring case
    EXPECT_EQ(values(store, kOptions), (std::vector<std::u16string>{u"OPEN1=\"Other.xla\""}));
    EXPECT_EQ(values(store, kManager), (std::vector<std::u16string>{u"Tool.xla="}));
    EXPECT_EQ(addIns->Count(), 2);
    EXPECT_EQ(addIns->Add(path("Tool.xla"))->Name(), u"Tool.xla");  // adding again finds the entry
    EXPECT_EQ(addIns->Count(), 2);
}

// An add-in that records what the host called.
struct RecordingAddIn : host::AddinInstance {
    std::vector<std::string>* log;
    explicit RecordingAddIn(std::vector<std::string>* l) : log(l) {}
    void AddinInstance_OnConnection(const host::ApplicationPtr& app) override {
        log->push_back("connect " + host::utf8(app->Version()));
    }
    void AddinInstance_OnDisconnection() override { log->push_back("disconnect"); }
};

TEST_F(AddInFiles, ComAddInsConnectAtStartUpAndFollowTheirConnectFlag) {
    std::vector<std::string> log;
    auto app = EmbeddedApplication::create(u"16.0", store);
    app->comAddInList().registerAddIn({u"CellwashKit.Connect", u"Cellwash Kit", u"Data cleaning tools", 3,
                                       [&] { return std::make_shared<RecordingAddIn>(&log); }});
    EXPECT_EQ(values(store, u"Software\\Microsoft\\Office\\Excel\\Addins\\CellwashKit.Connect"),
              (std::vector<std::u16string>{u"FriendlyName=Cellwash Kit", u"Description=Data cleaning tools",
                                           u"LoadBehavior=3"}));
    app->comAddInList().startUp();
    auto entry = app->COMAddIns()->Item(u"CellwashKit.Connect");
    EXPECT_TRUE(entry->Connect());
    entry->setConnect(false);
    EXPECT_FALSE(entry->Connect());
    entry->setConnect(true);
    EXPECT_EQ(log, (std::vector<std::string>{"connect 16.0", "disconnect", "connect 16.0"}));
    EXPECT_EQ(testsupport::hostErrorOf([&] { app->COMAddIns()->Item(u"Other.Connect"); }), 9);
    app->restart();
    EXPECT_EQ(log.back(), "connect 16.0");
    EXPECT_EQ(log[log.size() - 2], "disconnect");
}

struct ClickCounter : host::CommandBarButtonEvents {
    std::vector<std::u16string> tags;
    void Click(const host::CommandBarControlPtr& ctrl, bool& cancelDefault) override {
        tags.push_back(ctrl->Tag());
        cancelDefault = true;
    }
};

TEST(CommandBars, MenuTreesClicksAndWhatARestartKeeps) {
    auto app = EmbeddedApplication::create(u"11.0");
    auto bar = app->CommandBars()->Item(1);
    EXPECT_EQ(bar->Name(), u"Worksheet Menu Bar");
    auto popup = bar->Controls()->Add(host::msoControlPopup, std::nullopt, false);
    popup->setCaption(u"&Tools");
    auto button = popup->Controls()->Add(host::msoControlButton);
    button->setCaption(u"Run");
    button->setTag(u"RUN");
    button->setFaceId(11);
    button->setStyle(host::msoButtonIconAndCaption);
    auto temporary = bar->Controls()->Add(host::msoControlPopup, std::nullopt, true);
    temporary->setCaption(u"Temp");

    auto sink = std::make_shared<ClickCounter>();
    button->bindClick(sink);
    app->commandBarSet().click(app->commandBarSet().find({u"&Tools", u"Run"}));
    EXPECT_EQ(sink->tags, (std::vector<std::u16string>{u"RUN"}));
    EXPECT_EQ(testsupport::hostErrorOf([&] { popup->FaceId(); }), 438);
    EXPECT_EQ(testsupport::hostErrorOf([&] { bar->Controls()->Item(u"Missing"); }), 5);

    app->restart();
    EXPECT_EQ(bar->Controls()->Count(), 1);  // the temporary popup is gone
    EXPECT_EQ(bar->Controls()->Item(u"&Tools")->Controls()->Item(1)->Caption(), u"Run");
    bar->Controls()->Item(u"&Tools")->Delete();
    EXPECT_EQ(bar->Controls()->Count(), 0);
    sink.reset();  // a released receiver is simply not called
    app->commandBarSet().click(button);
}

}  // namespace
