// The ribbon definition (resource 101) parsed as XML: the tab, its groups and controls in order.
#include <expat.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/text.h"
#include "resources/resource_text.h"

namespace {

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::vector<std::unique_ptr<Element>> children;
    std::string attr(const std::string& key) const {
        auto it = attributes.find(key);
        return it == attributes.end() ? std::string("<none>") : it->second;
    }
};

struct Builder {
    std::unique_ptr<Element> root;
    std::vector<Element*> open;
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attrs) {
    auto* b = static_cast<Builder*>(data);
    auto element = std::make_unique<Element>();
    element->name = name;
    for (int i = 0; attrs[i]; i += 2) element->attributes[attrs[i]] = attrs[i + 1];
    Element* raw = element.get();
    if (b->open.empty())
        b->root = std::move(element);
    else
        b->open.back()->children.push_back(std::move(element));
    b->open.push_back(raw);
}

void XMLCALL onEnd(void* data, const XML_Char*) { static_cast<Builder*>(data)->open.pop_back(); }

std::unique_ptr<Element> parseRibbon() {
    // The definition is read as 8-bit text; it must also be well-formed XML.
    std::string xml = host::utf8(resources::narrowText(resources::customResource(101)));
    Builder b;
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &b);
    XML_SetElementHandler(parser, onStart, onEnd);
    bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    EXPECT_TRUE(ok) << "the ribbon definition is not well-formed";
    return std::move(b.root);
}

const char* ns = "http://schemas.microsoft.com/office/2006/01/customui";

TEST(RibbonDefinition, RootTabAndGroups) {
    auto root = parseRibbon();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "customUI");
    EXPECT_EQ(root->attr("xmlns"), ns);
    EXPECT_EQ(root->attr("onLoad"), "OnRibbonLoad");
    ASSERT_EQ(root->children.size(), 1u);
    const Element& ribbon = *root->children[0];
    ASSERT_EQ(ribbon.name, "ribbon");
    const Element& tabs = *ribbon.children.at(0);
    ASSERT_EQ(tabs.name, "tabs");
    ASSERT_EQ(tabs.children.size(), 1u);
    const Element& tab = *tabs.children[0];
    EXPECT_EQ(tab.attr("id"), "CellwashKit.Tab");
    EXPECT_EQ(tab.attr("label"), "Cellwash");
    EXPECT_EQ(tab.attr("visible"), "1");
    std::vector<std::string> groups;
    for (const auto& g : tab.children) {
        EXPECT_EQ(g->name, "group");
        EXPECT_EQ(g->attr("getLabel"), "setDefaultLanguage");
        EXPECT_EQ(g->attr("visible"), "1");
        groups.push_back(g->attr("id"));
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"grpUndo_01", "grpDataCleaning_04", "grpStats_46", "grpHelp_54"}));
}

// One row per control: group, kind, id, size, image, extra attribute checks.
struct ControlRow {
    const char* group;
    const char* kind;
    const char* id;
    const char* size;
    const char* image;
    const char* content;  // getContent of a dynamic menu, onAction of a button
};

const ControlRow controls[] = {
    {"grpUndo_01", "button", "btnUndo_02", "large", "Undo", "RibbonHandler"},
    {"grpUndo_01", "separator", "separator11", nullptr, nullptr, nullptr},
    {"grpUndo_01", "button", "btnRedo_03", "large", "Redo", "RibbonHandler"},
    {"grpDataCleaning_04", "dynamicMenu", "mnuTextCleaner_05", "large", "SortRemoveAllSorts", "GetTextCleanerContent"},
    {"grpDataCleaning_04", "separator", "grpRT1", nullptr, nullptr, nullptr},
    {"grpDataCleaning_04", "dynamicMenu", "mnuDuplicateCleaner_23", "large", "RemoveDuplicates",
     "GetDuplicateCleanerContent"},
    {"grpDataCleaning_04", "separator", "grpRT2", nullptr, nullptr, nullptr},
    {"grpDataCleaning_04", "dynamicMenu", "mnuDataOrganizer_32", "large",
     "TableSharePointListsModifyColumnsAndSettings", "GetDataOrganizerContent"},
    {"grpStats_46", "dynamicMenu", "mnuWordCount_47", "large", "Calculator", "GetWordCountContent"},
    {"grpHelp_54", "button", "btnAbout_55", "normal", "Info", "RibbonHandler"},
    {"grpHelp_54", "button", "btnExit_57", "normal", "CancelRequest", "RibbonHandler"},
    {"grpHelp_54", "separator", "help1", nullptr, nullptr, nullptr},
    {"grpHelp_54", "button", "btnHelp_58", "large", "FunctionsLogicalInsertGallery", "RibbonHandler"},
    {"grpHelp_54", "separator", "help2", nullptr, nullptr, nullptr},
    {"grpHelp_54", "button", "btnFeedback_59", "large", "ReviewEditComment", "RibbonHandler"},
};

TEST(RibbonDefinition, ControlsInOrderWithTheirAttributes) {
    auto root = parseRibbon();
    ASSERT_TRUE(root);
    const Element& tab = *root->children[0]->children[0]->children[0];
    std::size_t row = 0;
    for (const auto& group : tab.children) {
        for (const auto& c : group->children) {
            ASSERT_LT(row, std::size(controls)) << "more controls than expected";
            const ControlRow& want = controls[row++];
            EXPECT_EQ(group->attr("id"), want.group);
            EXPECT_EQ(c->name, want.kind) << want.id;
            EXPECT_EQ(c->attr("id"), want.id);
            if (c->name == "separator") {
                EXPECT_EQ(c->attributes.size(), 1u) << want.id << ": a separator has only its id";
                continue;
            }
            EXPECT_EQ(c->attr("size"), want.size) << want.id;
            EXPECT_EQ(c->attr("imageMso"), want.image) << want.id;
            EXPECT_EQ(c->attr("getLabel"), "setDefaultLanguage") << want.id;
            EXPECT_EQ(c->attr(c->name == "dynamicMenu" ? "getContent" : "onAction"), want.content) << want.id;
        }
    }
    EXPECT_EQ(row, std::size(controls));
}

TEST(RibbonDefinition, TipsAndEnabledStates) {
    auto root = parseRibbon();
    ASSERT_TRUE(root);
    const Element& tab = *root->children[0]->children[0]->children[0];
    std::map<std::string, const Element*> byId;
    for (const auto& g : tab.children)
        for (const auto& c : g->children) byId[c->attr("id")] = c.get();
    EXPECT_EQ(byId["btnUndo_02"]->attr("screentip"), "Undo last action.");
    EXPECT_EQ(byId["btnUndo_02"]->attr("getEnabled"), "GetEnabledUndo");
    EXPECT_EQ(byId["btnRedo_03"]->attr("screentip"), "Redo last Action");
    EXPECT_EQ(byId["btnRedo_03"]->attr("getEnabled"), "GetEnabledRedo");
    EXPECT_EQ(byId["btnUndo_02"]->attr("getScreentip"), "<none>");
    int spelledLower = 0;
    for (const char* id : {"mnuTextCleaner_05", "mnuDuplicateCleaner_23", "mnuDataOrganizer_32", "mnuWordCount_47",
                           "btnAbout_55", "btnExit_57", "btnHelp_58", "btnFeedback_59"}) {
        EXPECT_EQ(byId[id]->attr("getScreentip"), "getScreenTip") << id;
        std::string super = byId[id]->attr("getSupertip");
        EXPECT_TRUE(super == "getSuperTip" || super == "getSupertip") << id;
        spelledLower += super == "getSupertip";
    }
    EXPECT_GT(spelledLower, 0) << "both spellings of the super-tip callback occur";
}

}  // namespace
