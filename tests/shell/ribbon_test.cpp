// The ribbon as the user sees it: the tab, the four tool menus when opened, the texts from the
// language tables, the Undo and Redo states, and the callbacks as the host resolves them.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "host/text.h"
#include "resources/resource_text.h"
#include "resources/resources.h"
#include "shell/ribbon_callbacks.h"
#include "tests/shell/session_fixture.h"
#include "tests/support/recording_ribbon.h"

namespace shelltest {
namespace {

using host::RibbonNode;

std::vector<std::u16string> idsOf(const std::vector<std::shared_ptr<RibbonNode>>& nodes) {
    std::vector<std::u16string> ids;
    for (const auto& n : nodes) ids.push_back(n->id());
    return ids;
}

class Ribbon : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        start();
    }
    host::embedded::RibbonHost& ribbon() { return session->ribbon(); }
    host::RibbonCallback call(std::u16string name, std::u16string controlId) {
        host::RibbonCallback c{std::move(name),
                               std::make_shared<testsupport::RibbonControlStub>(std::move(controlId)),
                               nullptr,
                               std::nullopt,
                               {}};
        EXPECT_TRUE(session->connection()->invokeRibbonCallback(c));
        return c;
    }
    // The title a menu separator shows. The ribbon host answers no title query, so this asks
    // the separator's getTitle callback the way the host resolves it, or reads a fixed title.
    std::u16string title(const std::u16string& id) {
        const auto node = ribbon().find(id);
        if (!node) throw std::invalid_argument("no such control");
        const std::u16string callback = node->attribute(u"getTitle");
        if (callback.empty()) return node->attribute(u"title");
        return call(callback, id).result.toText();
    }
    void switchToHindi() { ASSERT_TRUE(session->chooseLanguage(u"Hi")); }
};

TEST_F(Ribbon, TheDefinitionIsResource101AsEightBitText) {
    EXPECT_EQ(session->connection()->IRibbonExtensibility_GetCustomUI(u"Microsoft.Excel.Workbook"),
              resources::narrowText(resources::customResource(101)));
    EXPECT_EQ(
        shell::ribbonDefinition().rfind(u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\"", 0),
        0u);
}

TEST_F(Ribbon, OneTabWithFourGroupsInOrder) {
    const auto tabs = ribbon().tabs();
    ASSERT_EQ(tabs.size(), 1u);
    EXPECT_EQ(tabs[0]->id(), u"CellwashKit.Tab");
    EXPECT_EQ(ribbon().label(u"CellwashKit.Tab"), u"Cellwash");
    EXPECT_EQ(idsOf(tabs[0]->children),
              (std::vector<std::u16string>{u"grpUndo_01", u"grpDataCleaning_04", u"grpStats_46", u"grpHelp_54"}));
    EXPECT_EQ(idsOf(tabs[0]->children[0]->children),
              (std::vector<std::u16string>{u"btnUndo_02", u"separator11", u"btnRedo_03"}));
    EXPECT_EQ(idsOf(tabs[0]->children[3]->children),
              (std::vector<std::u16string>{u"btnAbout_55", u"btnExit_57", u"help1", u"btnHelp_58", u"help2",
                                           u"btnFeedback_59"}));
}

struct TextCase {
    const char16_t* id;
    const char16_t* label;
};

TEST_F(Ribbon, TabLabelsComeFromTheEnglishRow) {
    const TextCase cases[] = {
        {u"grpUndo_01", u"Undo or Redo"},
        {u"btnUndo_02", u"Undo"},
        {u"btnRedo_03", u"Redo"},
        {u"grpDataCleaning_04", u"Data Cleaning Tools"},
        {u"mnuTextCleaner_05", u"Text Cleaner"},
        {u"mnuDuplicateCleaner_23", u"Duplicate Cleaner"},
        {u"mnuDataOrganizer_32", u"Data Organizer"},
        {u"grpStats_46", u"Statistics"},
        {u"mnuWordCount_47", u"Count Tool"},
        {u"grpHelp_54", u"Help"},
        {u"btnAbout_55", u"About Cellwash"},
        {u"btnExit_57", u"Remove Cellwash"},
        {u"btnHelp_58", u"Online Help"},
        {u"btnFeedback_59", u"Send Feedback"},
    };
    for (const auto& c : cases) EXPECT_EQ(ribbon().label(c.id), c.label) << host::utf8(c.id);
}

struct MenuCase {
    const char16_t* menu;
    std::vector<TextCase> items;  // label of a button, title of a titled separator, "" otherwise
};

const MenuCase menus[] = {
    {u"mnuTextCleaner_05",
     {{u"sepTC_06", u"Regular Text Cleaner"},
      {u"btnDelNumbers_07", u"1. Remove all Numbers (0-9) in Selected Cells"},
      {u"btnDelAlphabets_08", u"2. Remove all Alphabets (a-z) in Selected Cells"},
      {u"btnDelUserDefine_09", u"3. Remove User-defined Characters in Selected Cells"},
      {u"btnDelAllCaps_10", u"4. Remove all UPPER CASE Characters in Selected Cells"},
      {u"btnDelLowerCase_11", u"5. Remove all lower case Characters in Selected Cells"},
      {u"sepTC_12", u"Extra Space Cleaner"},
      {u"btnDelAllSpaces_13", u"6. Remove all instance of Spaces in Selected Cells"},
      {u"btnDelLTSpaces_14", u"7. Remove Leading and Trailing Spaces  in Selected Cells"},
      {u"btnDelExtraSpaces_15", u"8. Remove all Excessive Spaces  in Selected Cells"},
      {u"sepTC_16", u"Advance Text Cleaner"},
      {u"btnDelBeforeNth_17", u"9. Remove/Replace all text before nth Character(s)"},
      {u"btnDelAfterNth_18", u"10. Remove/Replace all text after nth Character(s)"},
      {u"btnDelXchrBeforeNth_19", u"11. Remove/Replace X nos. of Character(s) before nth Character(s)"},
      {u"btnDelXchrAfterNth_20", u"12. Remove/Replace X nos. of Character(s) after nth Character(s)"},
      {u"btnDelLeadingXchr_21", u"13. Remove/Replace X nos. of Leading Character(s)"},
      {u"btnDelTrailingXchr_22", u"14. Remove/Replace X nos. of Trailing Character(s)"}}},
    {u"mnuDuplicateCleaner_23",
     {{u"sepDC_24", u"Regular Duplicate Cleaner"},
      {u"btnDelDupsKF_25", u"1. Remove Duplicate Entries (Keep First)"},
      {u"btnDelAllDups_26", u"2. Remove all Duplicate Entries"},
      {u"sepDC_27", u"Advance Duplicate Cleaner"},
      {u"btnDelDupsList_28", u"3. Remove Duplicate Entries from 1st Column Exist in 2nd Column"},
      {u"btnDelDupUD_29", u"4. Remove Duplicate Entries as User-defined Criteria"},
      {u"btnDupPreventer_30", u"4. Duplicate Preventer"},
      {u"depDC_31", u""},
      {u"btnDelAllUnq_31", u"5. Remove all Unique Entries"}}},
    {u"mnuDataOrganizer_32",
     {{u"sepDO_33", u"Compact Data"},
      {u"btnDelEmptyRows_34", u"1. Remove Empty Rows in Selection"},
      {u"btnDelEmptyCols_35", u"2. Remove Empty Columns in Selection"},
      {u"btnDelEmptySheets_36", u"3. Remove Empty Sheets in Workbook"},
      {u"sepDO_100", u""},
      {u"btnDelAllObjects_61", u"4. Remove all objects in ActiveSheet"},
      {u"sepDO_37", u"Text Organizer"},
      {u"btnAllCaps_38", u"5. Change to UPPER CASE"},
      {u"btnLowerCase_39", u"6. Change to lower case"},
      {u"btnProperCase_40", u"7. Change to Proper Case"},
      {u"btnSentenceCase_41", u"8. Change to Sentence case"},
      {u"sepDO_43", u""},
      {u"btnColorNthRows_42", u"9. Color each nth Row in Selection"},
      {u"btnColorDupRows_43", u"10. Color Duplicate Rows in Selection"},
      {u"btnColorUnqRows_44", u"11. Color Unique Rows in Selection"},
      {u"dataOrg4", u""},
      {u"btnColtoTab_45", u"12. Convert Columnar Data into Tabular Form"}}},
    {u"mnuWordCount_47",
     {{u"sepWC_48", u"Word Count Utility"},
      {u"btnCountActiveSheet_49", u"1. Count ActiveSheet"},
      {u"btnCountActiveWorkBook_50", u"2. Count all Worksheets"},
      {u"btnCountSelectedCells_51", u"3. Count in Selected Cells"},
      {u"wordCount2", u""},
      {u"btnCountDup_52", u"4. Count Duplicate Rows in Selection"},
      {u"btnCountUnq_53", u"5. Count Unique Rows in Selection"}}},
};

TEST_F(Ribbon, EachToolMenuShowsItsItemsInOrderWithTheirEnglishTexts) {
    for (const auto& m : menus) {
        const auto items = ribbon().openMenu(m.menu);
        ASSERT_EQ(items.size(), m.items.size()) << host::utf8(m.menu);
        for (size_t i = 0; i < items.size(); ++i) {
            const TextCase& want = m.items[i];
            EXPECT_EQ(items[i]->id(), want.id);
            const bool separator = items[i]->kind == u"menuSeparator";
            EXPECT_EQ(separator ? title(want.id) : ribbon().label(want.id), want.label) << host::utf8(want.id);
        }
    }
}

TEST_F(Ribbon, MenuButtonsCarryExactlyTheirAttributes) {
    for (const auto& m : menus) {
        for (const auto& item : ribbon().openMenu(m.menu)) {
            std::set<std::u16string> names;
            for (const auto& [name, value] : item->attributes) names.insert(name);
            if (item->kind == u"menuSeparator") {
                const bool titled = item->attributes.contains(u"getTitle");
                const std::set<std::u16string> expected =
                    titled ? std::set<std::u16string>{u"id", u"getTitle"} : std::set<std::u16string>{u"id"};
                EXPECT_EQ(names, expected);
                if (titled) {
                    EXPECT_EQ(item->attribute(u"getTitle"), u"GetTitle");
                }
                continue;
            }
            EXPECT_EQ(item->kind, u"button");
            std::set<std::u16string> expected{u"id",          u"getLabel", u"getScreentip",
                                              u"getSupertip", u"onAction", u"imageMso"};
            if (item->id() == u"btnDelDupUD_29") expected.insert(u"getVisible");
            EXPECT_EQ(names, expected) << host::utf8(item->id());
            EXPECT_EQ(item->attribute(u"getLabel"), u"setDefaultLanguage");
            EXPECT_EQ(item->attribute(u"getScreentip"), u"getScreenTip");
            EXPECT_EQ(item->attribute(u"getSupertip"), u"getSuperTip");
            EXPECT_EQ(item->attribute(u"onAction"), u"RibbonHandler");
        }
    }
    ribbon().openMenu(u"mnuDataOrganizer_32");
    EXPECT_EQ(ribbon().find(u"btnColorNthRows_42")->attribute(u"imageMso"),
              u"ConditionalFormattingHighlightDuplicateValues");
    EXPECT_EQ(ribbon().find(u"btnDelAllObjects_61")->attribute(u"imageMso"), u"SheetDelete");
}

TEST_F(Ribbon, TheMenuContentIsAMenuInTheRibbonNamespace) {
    for (const char16_t* name : {u"GetTextCleanerContent", u"GetDuplicateCleanerContent", u"GetDataOrganizerContent",
                                 u"GetWordCountContent"}) {
        const std::u16string xml = call(name, u"anything").result.toText();
        EXPECT_TRUE(xml.starts_with(u"<menu xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"))
            << host::utf8(name);
        EXPECT_TRUE(xml.ends_with(u"</menu>"));
    }
}

TEST_F(Ribbon, TheUserDefinedDuplicateItemNeverShowsInAnyLanguage) {
    session->openMenuHolding(u"btnDelDupUD_29");
    EXPECT_FALSE(ribbon().visible(u"btnDelDupUD_29"));
    EXPECT_TRUE(ribbon().visible(u"btnDupPreventer_30"));
    switchToHindi();
    session->openMenuHolding(u"btnDelDupUD_29");
    EXPECT_FALSE(ribbon().visible(u"btnDelDupUD_29"));
}

TEST_F(Ribbon, UndoAndRedoStartDisabledAndATakenSnapshotEnablesUndo) {
    EXPECT_FALSE(ribbon().enabled(u"btnUndo_02"));
    EXPECT_FALSE(ribbon().enabled(u"btnRedo_03"));
    shell::takeUndoSnapshot();
    bool undo = true, redo = false;
    shell::setUndoRedoState(undo, redo);
    EXPECT_TRUE(ribbon().enabled(u"btnUndo_02"));
    EXPECT_FALSE(ribbon().enabled(u"btnRedo_03"));
}

TEST_F(Ribbon, UndoAndRedoTipsAreFixedAndTheirLabelsFollowTheLanguage) {
    EXPECT_EQ(ribbon().screentip(u"btnUndo_02"), u"Undo last action.");
    EXPECT_EQ(ribbon().screentip(u"btnRedo_03"), u"Redo last Action");
    switchToHindi();
    EXPECT_EQ(ribbon().screentip(u"btnUndo_02"), u"Undo last action.");
    EXPECT_EQ(ribbon().screentip(u"btnRedo_03"), u"Redo last Action");
    EXPECT_EQ(ribbon().label(u"btnUndo_02"), shell::labelRow.at(2));
    EXPECT_EQ(ribbon().label(u"btnRedo_03"), shell::labelRow.at(3));
    EXPECT_NE(ribbon().label(u"btnUndo_02"), u"Undo");
}

TEST_F(Ribbon, HindiTurnsLabelsAndTitlesButNotTips) {
    const std::u16string tip = ribbon().screentip(u"mnuTextCleaner_05");
    const std::u16string superTip = ribbon().supertip(u"mnuTextCleaner_05");
    switchToHindi();
    ASSERT_EQ(shell::languageCode, u"Hi");
    EXPECT_EQ(ribbon().label(u"grpDataCleaning_04"), shell::labelRow.at(4));
    EXPECT_NE(ribbon().label(u"grpDataCleaning_04"), u"Data Cleaning Tools");
    session->openMenuHolding(u"sepTC_06");
    EXPECT_EQ(title(u"sepTC_06"), shell::labelRow.at(6));
    EXPECT_NE(title(u"sepTC_06"), u"Regular Text Cleaner");
    EXPECT_EQ(ribbon().screentip(u"mnuTextCleaner_05"), tip);
    EXPECT_EQ(ribbon().supertip(u"mnuTextCleaner_05"), superTip);
}

TEST_F(Ribbon, TipsComeFromTheTipTablesByControlNumber) {
    EXPECT_EQ(ribbon().supertip(u"mnuTextCleaner_05"), shell::superTips.at(5));
    EXPECT_EQ(ribbon().screentip(u"mnuDataOrganizer_32"), shell::screenTips.at(32));
    session->openMenuHolding(u"btnDelNumbers_07");
    EXPECT_TRUE(ribbon().screentip(u"btnDelNumbers_07").find(u"Remove all Numbers (0-9)\u00a0") !=
                std::u16string::npos);
    EXPECT_TRUE(ribbon().supertip(u"btnDelNumbers_07").ends_with(u"Example : CWKver5@39 >>> CWKver@"));
    // btnAbout_55 names its super-tip callback "getSupertip", the others "getSuperTip".
    EXPECT_EQ(ribbon().find(u"btnAbout_55")->attribute(u"getSupertip"), u"getSupertip");
    EXPECT_EQ(ribbon().supertip(u"btnAbout_55"), shell::superTips.at(55));
    EXPECT_FALSE(ribbon().supertip(u"btnAbout_55").empty());
}

TEST_F(Ribbon, CallbacksAreFoundWhateverTheCase) {
    for (const char16_t* name : {u"getSuperTip", u"getSupertip", u"GETSUPERTIP", u"GetSuperTip"})
        EXPECT_EQ(call(name, u"mnuWordCount_47").result.toText(), shell::superTips.at(47)) << host::utf8(name);
    EXPECT_EQ(call(u"setdefaultlanguage", u"btnRedo_03").result.toText(), u"Redo");
    host::RibbonCallback unknown{
        u"noSuchCallback", std::make_shared<testsupport::RibbonControlStub>(u"x_01"), nullptr, std::nullopt, {}};
    EXPECT_FALSE(session->connection()->invokeRibbonCallback(unknown));
}

TEST_F(Ribbon, ACallbackBeyondTheEndOfItsTableGivesNoText) {
    EXPECT_TRUE(call(u"getScreenTip", u"btnSomething_99").result.isEmpty());
    EXPECT_TRUE(call(u"setDefaultLanguage", u"btnSomething_99").result.isEmpty());
    EXPECT_TRUE(call(u"GetTitle", u"no number").result.isEmpty());
}

TEST_F(Ribbon, StateCallbacksAnswerFromTheAddinsState) {
    EXPECT_EQ(call(u"chkDupesUD", u"btnDelDupUD_29").result, host::Variant(false));
    shell::redoEnabled = true;
    EXPECT_EQ(call(u"GetEnabledRedo", u"btnRedo_03").result, host::Variant(true));
    EXPECT_EQ(call(u"GetEnabledUndo", u"btnUndo_02").result, host::Variant(false));
    EXPECT_EQ(call(u"chkLangAvailableOrNot", u"btnHi_62").result, host::Variant(true));
    EXPECT_EQ(call(u"chkLangAvailableOrNot", u"btnAr_63").result, host::Variant(false));
    EXPECT_TRUE(call(u"GetLanguageContent", u"x").result.toText().starts_with(u"<menu"));
    // A language picture travels as its bitmap file's bytes.
    const std::u16string picture = call(u"setDefImageOnButton", u"btnHi_62").result.toText();
    const auto bitmap = resources::bitmapResource(102);
    ASSERT_EQ(picture.size(), bitmap.size());
    EXPECT_TRUE(picture.starts_with(u"BM"));
}

TEST_F(Ribbon, TheRibbonObjectIsKeptAtLoadAndUsedForRefreshes) {
    ASSERT_NE(shell::ribbonUI, nullptr);
    const long before = ribbon().fetchCount();
    ribbon().label(u"btnUndo_02");
    const long afterFirst = ribbon().fetchCount();
    ribbon().label(u"btnUndo_02");
    EXPECT_EQ(ribbon().fetchCount(), afterFirst);  // kept until refreshed
    shell::ribbonUI->Invalidate();
    ribbon().label(u"btnUndo_02");
    EXPECT_EQ(ribbon().fetchCount(), afterFirst + 1);
    EXPECT_GE(afterFirst, before);
}

}  // namespace
}  // namespace shelltest
