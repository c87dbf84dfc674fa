// The language menu: content, visibility, pressed state, pictures and the switch.
#include "shell/language_menu.h"
#include "host/text.h"
#include "shell/ribbon_texts.h"
#include "tests/shell/language_fixture.h"

namespace shelltest {
namespace {

using testsupport::RecordingRibbonUI;

const std::vector<std::u16string> toggleIds = {u"btnEn",    u"btnHi_62", u"btnAr_63", u"btnRu_64",
                                               u"btnJa_65", u"btnKo_66", u"btnZs_67", u"btnFr",
                                               u"btnEs",    u"btnIt",    u"btnDe"};

struct MenuItem {
    std::string tag, id, attributes;
};

std::vector<MenuItem> menuItems() {
    std::string xml = host::utf8(shell::GetLanguageContent(RibbonControlStub(u"mnuLanguage_60")));
    std::vector<MenuItem> items;
    // Each item is written as <tag id="..." attributes/>.
    for (std::size_t open = xml.find('<', 1); open != std::string::npos; open = xml.find('<', open + 1)) {
        std::size_t close = xml.find("/>", open);
        std::size_t idStart = xml.find(" id=\"", open);
        if (close == std::string::npos || idStart == std::string::npos || idStart > close) continue;
        std::size_t idEnd = xml.find('"', idStart + 5);
        items.push_back({xml.substr(open + 1, idStart - open - 1), xml.substr(idStart + 5, idEnd - idStart - 5),
                         xml.substr(idEnd + 1, close - idEnd - 1)});
    }
    return items;
}

// What the host shows of the menu: the items whose getVisible (if any) answers true.
std::vector<std::string> visibleItems() {
    std::vector<std::string> shown;
    for (const auto& item : menuItems()) {
        bool hasVisibility = item.attributes.find("getVisible=\"chkLangAvailableOrNot\"") != std::string::npos;
        if (!hasVisibility || shell::chkLangAvailableOrNot(RibbonControlStub(host::utf16(item.id))))
            shown.push_back(item.id);
    }
    return shown;
}

TEST_F(LanguageTest, TheMenuHoldsElevenTogglesASeparatorAndTheUpdateButton) {
    std::string xml = host::utf8(shell::GetLanguageContent(RibbonControlStub(u"x")));
    EXPECT_TRUE(xml.starts_with("<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"));
    EXPECT_TRUE(xml.ends_with("</menu>"));
    auto items = menuItems();
    ASSERT_EQ(items.size(), 13u);
    for (std::size_t i = 0; i < toggleIds.size(); ++i) {
        EXPECT_EQ(items[i].tag, "toggleButton");
        EXPECT_EQ(host::utf16(items[i].id), toggleIds[i]);
        EXPECT_NE(items[i].attributes.find("getPressed=\"chkPressed\""), std::string::npos);
        EXPECT_NE(items[i].attributes.find("getImage=\"setDefImageOnButton\""), std::string::npos);
    }
    EXPECT_NE(items[0].attributes.find("label=\"English\""), std::string::npos);
    EXPECT_NE(items[7].attributes.find("label=\"Française\""), std::string::npos);
    EXPECT_NE(items[8].attributes.find("onAction=\"btnEs_Click\""), std::string::npos);
    EXPECT_NE(items[1].attributes.find("getLabel=\"setDefaultLanguage\""), std::string::npos);
    EXPECT_EQ(items[11].tag, "menuSeparator");
    EXPECT_EQ(items[11].id, "menusep_68");
    EXPECT_EQ(items[11].attributes, "");
    EXPECT_EQ(items[12].tag, "button");
    EXPECT_EQ(items[12].id, "btnUpdateLanguageList_68");
    EXPECT_EQ(items[12].attributes.find("getPressed"), std::string::npos);
}

TEST_F(LanguageTest, WithTheDeliveredTableOnlyEnglishHindiSeparatorAndUpdateShow) {
    loadAtStart();
    EXPECT_EQ(visibleItems(),
              (std::vector<std::string>{"btnEn", "btnHi_62", "menusep_68", "btnUpdateLanguageList_68"}));
    shell::languageCodes.push_back(u"Fr");  // a table that lists French would show it
    EXPECT_TRUE(shell::chkLangAvailableOrNot(RibbonControlStub(u"btnFr")));
}

TEST_F(LanguageTest, NoTogglePressedBeforeTheFirstSwitchAlthoughEnglishIsActive) {
    loadAtStart();
    for (const auto& id : toggleIds) EXPECT_FALSE(shell::chkPressed(RibbonControlStub(id))) << host::utf8(id);
    EXPECT_EQ(shell::labelRow[0], u"En");
}

TEST_F(LanguageTest, SwitchingLoadsTheRowRefreshesAllAndThenTheOtherToggles) {
    loadAtStart();
    auto ribbon = std::make_shared<RecordingRibbonUI>();
    shell::ribbonUI = ribbon;
    shell::btnHi_Click(RibbonControlStub(u"btnHi_62"), true);
    EXPECT_EQ(shell::languageCode, u"Hi");
    EXPECT_EQ(shell::labelRow[0], u"Hi");
    EXPECT_TRUE(shell::chkPressed(RibbonControlStub(u"btnHi_62")));
    EXPECT_FALSE(shell::chkPressed(RibbonControlStub(u"btnEn")));
    ASSERT_FALSE(ribbon->calls.empty());
    EXPECT_EQ(ribbon->calls.front(), u"Invalidate");
    std::vector<std::u16string> others = toggleIds;
    others.erase(others.begin() + 1);
    EXPECT_EQ(ribbon->invalidatedControls(), others);
    EXPECT_EQ(shell::setDefaultLanguage(RibbonControlStub(u"btnHi_62")), u"हिन्दी");
    EXPECT_EQ(shell::setDefaultLanguage(RibbonControlStub(u"btnUpdateLanguageList_68")), shell::labelRow[68]);

    ribbon->calls.clear();
    shell::btnEn_Click(RibbonControlStub(u"btnEn"), true);
    EXPECT_EQ(shell::labelRow[0], u"En");
    EXPECT_EQ(ribbon->invalidatedControls().size(), 10u);
    EXPECT_EQ(ribbon->invalidatedControls().front(), u"btnHi_62");
}

TEST_F(LanguageTest, ClickingThePressedToggleAgainChangesNothing) {
    loadAtStart();
    auto ribbon = std::make_shared<RecordingRibbonUI>();
    shell::ribbonUI = ribbon;
    shell::btnHi_Click(RibbonControlStub(u"btnHi_62"), true);
    ribbon->calls.clear();
    shell::btnHi_Click(RibbonControlStub(u"btnHi_62"), false);  // the host un-presses it
    EXPECT_EQ(shell::languageCode, u"Hi");
    EXPECT_EQ(shell::labelRow[0], u"Hi");
    EXPECT_TRUE(ribbon->calls.empty());
}

TEST_F(LanguageTest, ALanguageWithoutARowKeepsEnglishAndTheSwitchWorksWithoutARibbon) {
    loadAtStart();
    shell::btnJa_Click(RibbonControlStub(u"btnJa_65"), true);
    EXPECT_EQ(shell::languageCode, u"Ja");
    EXPECT_EQ(shell::labelRow[0], u"En");
    EXPECT_TRUE(shell::chkPressed(RibbonControlStub(u"btnJa_65")));
    for (auto handler : {shell::btnAr_Click, shell::btnRu_Click, shell::btnIt_Click, shell::btnFr_Click,
                         shell::btnDe_Click, shell::btnKo_Click, shell::btnZs_Click, shell::btnEs_Click}) {
        handler(RibbonControlStub(u"any"), true);
        EXPECT_EQ(shell::labelRow[0], u"En");
    }
    EXPECT_EQ(shell::languageCode, u"Es");
}

TEST_F(LanguageTest, PicturesByTheCodeInTheId) {
    auto number = [](const char16_t* id) {
        resources::Bytes shown = shell::setDefImageOnButton(RibbonControlStub(id));
        for (int n = 101; n <= 112; ++n)
            if (resources::bitmapResource(n).data() == shown.data()) return n;
        return 0;
    };
    EXPECT_EQ(number(u"btnEn"), 101);
    EXPECT_EQ(number(u"btnHi_62"), 102);
    EXPECT_EQ(number(u"btnAr_63"), 103);
    EXPECT_EQ(number(u"btnKo_66"), 104);
    EXPECT_EQ(number(u"btnJa_65"), 105);
    EXPECT_EQ(number(u"btnFr"), 106);
    EXPECT_EQ(number(u"btnDe"), 107);
    EXPECT_EQ(number(u"btnIt"), 108);
    EXPECT_EQ(number(u"btnZs_67"), 109);
    EXPECT_EQ(number(u"btnRu_64"), 110);
    EXPECT_EQ(number(u"btnEs"), 111);
    EXPECT_EQ(number(u"btnUpdateLanguageList_68"), 112);
    EXPECT_EQ(number(u"btnXy"), 101);
    EXPECT_EQ(number(u"b"), 101);
}

TEST_F(LanguageTest, UncheckingRefreshesEachListedControlInOrder) {
    auto ribbon = std::make_shared<RecordingRibbonUI>();
    shell::unCheckOtherToggleButtons({u"btnEn"});  // no ribbon yet: nothing to ask
    shell::ribbonUI = ribbon;
    shell::unCheckOtherToggleButtons({u"btnFr", u"btnDe"});
    EXPECT_EQ(ribbon->calls, (std::vector<std::u16string>{u"InvalidateControl btnFr", u"InvalidateControl btnDe"}));
}

}  // namespace
}  // namespace shelltest
