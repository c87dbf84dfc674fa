// The embedded host's ribbon: definition, callbacks by name, dynamic menus, invalidation.
#include <gtest/gtest.h>

#include "host/addins.h"
#include "host/application.h"
#include "host/error.h"
#include "host/ribbon_extensibility.h"
#include "tests/support/printing.h"
#include "tests/support/sheet_builder.h"

using host::embedded::EmbeddedApplication;

namespace {

const char16_t* kRibbon =
    uR"(<customUI xmlns="http://schemas.microsoft.com/office/2009/07/customui" onLoad="OnRibbonLoad">
  <ribbon><tabs>
    <tab id="tabMain" getLabel="GetLabel">
      <group id="grpOne" label="Tools">
        <button id="btnRun_01" getLabel="GetLabel" screentip="Runs" getEnabled="getEnabled" onAction="ribbonHANDLER"/>
        <toggleButton id="tglEn_02" label="English" getPressed="GetPressed" onAction="OnToggle"/>
        <dynamicMenu id="mnuLang_03" label="Languages" getContent="GetContent"/>
      </group>
    </tab>
    <tab idMso="TabHome" visible="false"/>
  </tabs></ribbon>
</customUI>)";

// An add-in with a ribbon, recording what the host asked.
class RibbonAddIn : public host::AddinInstance, public host::IRibbonExtensibility {
public:
    std::vector<std::u16string> calls;
    host::IRibbonUIPtr ribbon;
    bool runEnabled = true;
    std::u16string labelSuffix = u"";

    RibbonAddIn() {
        table_.add(u"onribbonload", [this](host::RibbonCallback& c) { ribbon = c.ribbon; });
        table_.add(u"GetLabel", [this](host::RibbonCallback& c) {
            calls.push_back(u"label " + c.control->Id());
            c.result = host::Variant(u"Label of " + c.control->Id() + labelSuffix);
        });
        table_.add(u"GetEnabled", [this](host::RibbonCallback& c) { c.result = host::Variant(runEnabled); });
        table_.add(u"GetPressed", [](host::RibbonCallback& c) { c.result = host::Variant(true); });
        table_.add(u"RibbonHandler", [this](host::RibbonCallback& c) { calls.push_back(u"run " + c.control->Id()); });
        table_.add(u"OnToggle", [this](host::RibbonCallback& c) {
            calls.push_back(std::u16string(u"toggle ") + (*c.pressed ? u"on" : u"off"));
        });
        table_.add(u"GetContent", [](host::RibbonCallback& c) {
            c.result = host::Variant(
                u"<menu xmlns=\"http://schemas.microsoft.com/office/2009/07/customui\">"
                u"<button id=\"btnHindi_04\" label=\"Hindi\" onAction=\"RibbonHandler\"/></menu>");
        });
    }
    void AddinInstance_OnConnection(const host::ApplicationPtr&) override {}
    void AddinInstance_OnDisconnection() override {}
    std::u16string IRibbonExtensibility_GetCustomUI(const std::u16string&) override { return kRibbon; }
    bool invokeRibbonCallback(host::RibbonCallback& call) override { return table_.invoke(call); }

private:
    host::RibbonCallbackTable table_;
};

struct Connected {
    std::shared_ptr<EmbeddedApplication> app;
    std::shared_ptr<RibbonAddIn> addIn = std::make_shared<RibbonAddIn>();
    explicit Connected(const std::u16string& version) : app(EmbeddedApplication::create(version)) {
        auto created = addIn;
        app->comAddInList().registerAddIn({u"Test.Connect", u"Test", u"", 3, [created] { return created; }});
        app->comAddInList().startUp();
    }
};

TEST(RibbonHost, LoadsTheDefinitionAndAnswersWhatTheUserSees) {
    Connected c(u"16.0");
    auto& ribbon = c.app->ribbon();
    ASSERT_TRUE(c.addIn->ribbon);  // onLoad matched "OnRibbonLoad" ignoring case
    ASSERT_EQ(ribbon.tabs().size(), 2u);
    EXPECT_EQ(ribbon.label(u"tabMain"), u"Label of tabMain");
    EXPECT_FALSE(ribbon.visible(u"TabHome"));
    EXPECT_EQ(ribbon.label(u"btnRun_01"), u"Label of btnRun_01");
    EXPECT_EQ(ribbon.screentip(u"btnRun_01"), u"Runs");
    EXPECT_EQ(ribbon.label(u"grpOne"), u"Tools");
    EXPECT_TRUE(ribbon.pressed(u"tglEn_02"));
    EXPECT_THROW(ribbon.label(u"nothing"), host::Error);
}

TEST(RibbonHost, ValuesAreFetchedOnceUntilInvalidated) {
    Connected c(u"16.0");
    auto& ribbon = c.app->ribbon();
    ribbon.label(u"btnRun_01");
    ribbon.label(u"btnRun_01");
    EXPECT_EQ(c.addIn->calls, (std::vector<std::u16string>{u"label btnRun_01"}));
    c.addIn->labelSuffix = u" (new)";
    c.addIn->ribbon->InvalidateControl(u"btnRun_01");
    EXPECT_EQ(ribbon.label(u"btnRun_01"), u"Label of btnRun_01 (new)");
    EXPECT_EQ(ribbon.label(u"tabMain"), u"Label of tabMain (new)");  // never fetched before
    c.addIn->labelSuffix = u" (again)";
    EXPECT_EQ(ribbon.label(u"tabMain"), u"Label of tabMain (new)");
    c.addIn->ribbon->Invalidate();
    EXPECT_EQ(ribbon.label(u"tabMain"), u"Label of tabMain (again)");
    EXPECT_THROW(c.addIn->ribbon->InvalidateControl(u"noSuchControl"), host::Error);
}

TEST(RibbonHost, ClicksCallOnActionUnlessTheControlIsDisabled) {
    Connected c(u"16.0");
    auto& ribbon = c.app->ribbon();
    ribbon.click(u"btnRun_01");
    c.addIn->runEnabled = false;
    c.addIn->ribbon->InvalidateControl(u"btnRun_01");
    ribbon.click(u"btnRun_01");
    ribbon.click(u"tglEn_02");
    ribbon.click(u"tglEn_02");
    const auto items = ribbon.openMenu(u"mnuLang_03");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(ribbon.label(u"btnHindi_04"), u"Hindi");
    ribbon.click(u"btnHindi_04");
    EXPECT_EQ(c.addIn->calls,
              (std::vector<std::u16string>{u"run btnRun_01", u"toggle off", u"toggle on", u"run btnHindi_04"}));
}

TEST(RibbonHost, LegacyHostsAndDisconnectedAddInsHaveNoRibbon) {
    Connected legacy(u"11.0");
    EXPECT_FALSE(legacy.app->ribbon().loaded());
    Connected modern(u"12.0");
    EXPECT_TRUE(modern.app->ribbon().loaded());
    modern.app->COMAddIns()->Item(u"Test.Connect")->setConnect(false);
    EXPECT_FALSE(modern.app->ribbon().loaded());
}

TEST(RibbonXml, MalformedOrHostileDefinitionsAreRefused) {
    EXPECT_THROW(host::parseRibbonXml(u"<customUI><ribbon>"), host::Error);
    std::u16string deep;
    for (int i = 0; i < 200; ++i) deep += u"<menu>";
    for (int i = 0; i < 200; ++i) deep += u"</menu>";
    EXPECT_THROW(host::parseRibbonXml(deep), host::Error);
}

TEST(RibbonXml, ADocumentTypeDeclarationIsRefusedBeforeAnyEntityIsExpanded) {
    const std::u16string laughs =
        u"<!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
        u"<customUI><ribbon><tabs><tab id=\"t\" label=\"&b;\"/></tabs></ribbon></customUI>";
    try {
        host::parseRibbonXml(laughs);
        FAIL() << "a DOCTYPE was accepted";
    } catch (const host::Error& e) {
        EXPECT_NE(std::string(e.what()).find("document type declaration"), std::string::npos) << e.what();
    }
}

TEST(RibbonXml, NamesAreTakenByTheirLocalPart) {
    const auto root = host::parseRibbonXml(
        u"<mso:customUI xmlns:mso=\"http://schemas.microsoft.com/office/2009/07/customui\" onLoad=\"Go\">"
        u"<mso:ribbon/></mso:customUI>");
    EXPECT_EQ(root->kind, u"customUI");
    EXPECT_EQ(root->attribute(u"onLoad"), u"Go");
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(root->children[0]->kind, u"ribbon");
}

}  // namespace
