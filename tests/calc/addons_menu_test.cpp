#include "apps/calc/addons_menu.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "shell/command_catalogue.h"
#include "shell/connect.h"
#include "shell/language_state.h"
#include "tools/tool_families.h"

namespace apps::calc {
namespace {

std::string menuXcu() {
    tools::registerToolFamilies();
    std::u16string language;
    shell::loadLanguageRow(language);
    auto ribbon = std::make_shared<host::calc::CalcRibbon>();
    ribbon->load(std::make_shared<shell::Connect>());
    return addonsXcu(*ribbon);
}

TEST(AddonsMenu, EveryShownCommandOfTheCatalogueIsAnEntry) {
    const std::string xcu = menuXcu();
    int entries = 0;
    for (const auto& command : shell::commandCatalogue()) {
        const std::string url = "<value>vnd.cellwash:" + base::utf8(command.controlId) + "</value>";
        if (command.controlId == u"btnDelDupUD_29")
            EXPECT_EQ(xcu.find(url), std::string::npos) << "the add-in hides it";
        else
            EXPECT_NE(xcu.find(url), std::string::npos) << base::utf8(command.controlId);
        ++entries;
    }
    EXPECT_GT(entries, 30);
}

TEST(AddonsMenu, EntriesCarryTheLabelsInTheRibbonsOrder) {
    const std::string xcu = menuXcu();
    EXPECT_NE(xcu.find("<prop oor:name=\"Title\" oor:type=\"xs:string\"><value xml:lang=\"en-US\">Cellwash</value>"),
              std::string::npos);
    const size_t undo = xcu.find("vnd.cellwash:btnUndo_02");
    const size_t textCleaner = xcu.find(">Text Cleaner<");
    const size_t title = xcu.find(
        "vnd.cellwash:sepTC_06</value></prop><prop oor:name=\"Title\" "
        "oor:type=\"xs:string\"><value xml:lang=\"en-US\">Regular Text Cleaner<");
    const size_t extraSpaces = xcu.find(">8. Remove all Excessive Spaces  in Selected Cells<");
    const size_t feedback = xcu.find(">Send Feedback<");
    ASSERT_NE(undo, std::string::npos);
    ASSERT_NE(textCleaner, std::string::npos);
    ASSERT_NE(title, std::string::npos);
    ASSERT_NE(extraSpaces, std::string::npos);
    ASSERT_NE(feedback, std::string::npos);
    EXPECT_LT(undo, textCleaner);
    EXPECT_LT(textCleaner, title);
    EXPECT_LT(title, extraSpaces);
    EXPECT_LT(extraSpaces, feedback);
}

}  // namespace
}  // namespace apps::calc
