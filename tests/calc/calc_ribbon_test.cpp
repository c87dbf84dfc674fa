#include "host/calc/calc_ribbon.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "shell/connect.h"
#include "shell/language_state.h"
#include "tools/tool_families.h"

namespace host::calc {
namespace {

// An add-in with a small ribbon whose callbacks record their calls.
class FakeAddIn : public host::IRibbonExtensibility {
public:
    std::u16string IRibbonExtensibility_GetCustomUI(const std::u16string&) override {
        return uR"(<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui" onLoad="Loaded">
  <ribbon><tabs><tab id="T" label="Tools">
    <group id="G"><button id="b1" getLabel="Label" getEnabled="Enabled" onAction="Act"/>
      <dynamicMenu id="m1" label="More" getContent="Content"/></group>
  </tab></tabs></ribbon></customUI>)";
    }
    bool invokeRibbonCallback(host::RibbonCallback& call) override {
        calls.push_back(call.name + u":" + (call.control ? call.control->Id() : u""));
        if (call.name == u"Loaded") ribbon = call.ribbon;
        if (call.name == u"Label") call.result = host::Variant(label);
        if (call.name == u"Enabled") call.result = host::Variant(enabled);
        if (call.name == u"Content")
            call.result = host::Variant(
                u"<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
                u"<button id=\"inner\" label=\"Inner\" onAction=\"Act\"/></menu>");
        return true;
    }
    std::vector<std::u16string> calls;
    host::IRibbonUIPtr ribbon;
    std::u16string label = u"First";
    bool enabled = true;
};

TEST(CalcRibbon, LoadsTheDefinitionAndHandsTheAddInItsRibbon) {
    auto addIn = std::make_shared<FakeAddIn>();
    auto ribbon = std::make_shared<CalcRibbon>();
    ribbon->load(addIn);
    ASSERT_TRUE(addIn->ribbon);
    ASSERT_EQ(ribbon->tabs().size(), 1u);
    EXPECT_EQ(ribbon->label(u"T"), u"Tools");
    EXPECT_EQ(ribbon->label(u"m1"), u"More");
}

TEST(CalcRibbon, FetchesOnceAndAgainAfterInvalidation) {
    auto addIn = std::make_shared<FakeAddIn>();
    auto ribbon = std::make_shared<CalcRibbon>();
    std::vector<std::u16string> told;
    ribbon->onInvalidate = [&](const std::u16string& id) { told.push_back(id); };
    ribbon->load(addIn);
    EXPECT_EQ(ribbon->label(u"b1"), u"First");
    EXPECT_TRUE(ribbon->enabled(u"b1"));
    addIn->label = u"Second";
    addIn->enabled = false;
    EXPECT_EQ(ribbon->label(u"b1"), u"First");  // kept until the add-in invalidates
    EXPECT_TRUE(ribbon->enabled(u"b1"));
    addIn->ribbon->InvalidateControl(u"b1");
    EXPECT_EQ(ribbon->label(u"b1"), u"Second");
    EXPECT_FALSE(ribbon->enabled(u"b1"));
    addIn->label = u"Third";
    addIn->ribbon->Invalidate();
    EXPECT_EQ(ribbon->label(u"b1"), u"Third");
    EXPECT_EQ(told, (std::vector<std::u16string>{u"b1", u""}));
}

TEST(CalcRibbon, ClickCallsTheActionAlsoOfAnItemInADynamicMenu) {
    auto addIn = std::make_shared<FakeAddIn>();
    auto ribbon = std::make_shared<CalcRibbon>();
    ribbon->load(addIn);
    ribbon->click(u"b1");
    ribbon->click(u"inner");
    EXPECT_EQ(addIn->calls.back(), u"Act:inner");
    EXPECT_NE(std::find(addIn->calls.begin(), addIn->calls.end(), u"Content:m1"), addIn->calls.end());
    EXPECT_TRUE(ribbon->actionable(u"inner"));
    EXPECT_FALSE(ribbon->actionable(u"m1"));
    EXPECT_THROW(ribbon->click(u"nothing"), std::invalid_argument);
    EXPECT_THROW(ribbon->click(u"m1"), std::invalid_argument);
}

TEST(CalcRibbon, TheAddInsOwnRibbonGivesItsLabelsAndStates) {
    tools::registerToolFamilies();
    std::u16string language;
    shell::loadLanguageRow(language);
    auto ribbon = std::make_shared<CalcRibbon>();
    ribbon->load(std::make_shared<shell::Connect>());
    EXPECT_EQ(ribbon->label(u"btnUndo_02"), u"Undo");
    EXPECT_FALSE(ribbon->enabled(u"btnUndo_02"));  // nothing to undo yet
    ASSERT_TRUE(ribbon->openMenuHolding(u"btnDelExtraSpaces_15"));
    EXPECT_EQ(ribbon->label(u"btnDelExtraSpaces_15"), u"8. Remove all Excessive Spaces  in Selected Cells");
    ASSERT_TRUE(ribbon->openMenuHolding(u"btnDelDupUD_29"));
    EXPECT_FALSE(ribbon->visible(u"btnDelDupUD_29"));  // the add-in hides it
}

}  // namespace
}  // namespace host::calc
