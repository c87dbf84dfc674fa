// The duplicate preventer: frmDupPrev, the rule it puts on a column, the host enforcing it on
// the user's entry path, deactivation of whole columns, and the rule kept in an xlsx file.
#include <filesystem>

#include "files/engine_binding.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/worksheet.h"
#include "tests/dialog/dialog_fixture.h"
#include "tools/duplicates/duplicate_preventer.h"
#include "tools/duplicates/frm_dup_prev.h"

namespace duplicatestest {
namespace {

using tools::duplicates::frmDupPrev;
using tools::duplicates::frmDupPrevLoaded;

const std::u16string kActivated = u"Duplicate Preventer is Activated for Selected Column";
const std::u16string kDeactivated = u"Duplicate Preventer is Deactivated for Selected Column";

class Preventer : public dialogtest::DialogFixture {
protected:
    testsupport::Rows initialRows() const override {
        return {{u"", u"head"}, {u"", u"apple"}, {u"", u"pear"}, {u"", u""}, {u"", u""}};
    }
    void TearDown() override {
        if (frmDupPrevLoaded()) forms::Unload(frmDupPrev());
        DialogFixture::TearDown();
    }
    // The user sets the window's switches and presses Apply.
    void apply(bool activate, bool selectColumn) {
        if (!activate) user.selectOption(u"optDeAct").on(u"frmDupPrev");
        user.setValue(u"chkSelCol", selectColumn).on(u"frmDupPrev");
        user.click(u"Command1").on(u"frmDupPrev");
        std::u16string key;
        tools::duplicates::showDuplicatePreventer(key);
    }
    host::embedded::EntryResult type(const std::u16string& address, const std::u16string& text) {
        return t.app->enterValue(t.app->Range(address), text);
    }
    host::ValidationPtr ruleAt(const std::u16string& address) { return t.app->Range(address)->Validation(); }
    bool hasRule(const std::u16string& address) {
        try {
            (void)ruleAt(address)->Type();
            return true;
        } catch (const host::Error&) {
            return false;
        }
    }
};

TEST_F(Preventer, TheWindowOpensWithActivateAndSelectColumn) {
    user.inspect([](forms::Form&) {}).on(u"frmDupPrev").closeForm();
    std::u16string key;
    tools::duplicates::showDuplicatePreventer(key);
    ASSERT_EQ(user.shownForms().size(), 1u);
    const forms::FormSnapshot& shown = user.shownForms().front();
    EXPECT_EQ(shown.form, u"frmDupPrev");
    EXPECT_EQ(shown.text(u"Label1"), u"Duplicate Preventer");
    EXPECT_EQ(shown.text(u"Label4"), u"Duplicate Preventer");
    EXPECT_EQ(shown.text(u"optAct"), u"Activate Preventer");
    EXPECT_EQ(shown.text(u"optDeAct"), u"Deactivate Preventer");
    EXPECT_EQ(shown.text(u"chkSelCol"), u"Select Column");
    EXPECT_EQ(shown.text(u"Command1"), u"&Apply");
    EXPECT_EQ(shown.text(u"Command2"), u"");
    EXPECT_EQ(shown.text(u"Label2"), u"X");
    EXPECT_EQ(shown.text(u"Label3"), u"X");
}

TEST_F(Preventer, DesignTimeSwitches) {
    EXPECT_TRUE(frmDupPrev().optAct.Value());
    EXPECT_FALSE(frmDupPrev().optDeAct.Value());
    EXPECT_TRUE(frmDupPrev().chkSelCol.Value());
}

TEST_F(Preventer, CloseButtonsDoNothing) {
    for (const auto* closer : {u"Command2", u"Label2", u"Label3"}) {
        select(u"B2:B40");
        user.click(closer).on(u"frmDupPrev");
        std::u16string key;
        tools::duplicates::showDuplicatePreventer(key);
        EXPECT_FALSE(frmDupPrevLoaded());
        EXPECT_FALSE(hasRule(u"B2"));
        EXPECT_EQ(timesShown(u"frmAlert"), 0);
    }
}

TEST_F(Preventer, ActivateOnTheSelectionPutsTheRuleOfTheTable) {
    select(u"B2:B40");
    apply(true, false);
    EXPECT_EQ(lastAlert(), kActivated);
    EXPECT_FALSE(frmDupPrevLoaded());
    const host::ValidationPtr rule = ruleAt(u"B2");
    EXPECT_EQ(rule->Type(), host::xlValidateCustom);
    EXPECT_EQ(rule->AlertStyle(), host::xlValidAlertStop);
    EXPECT_EQ(rule->Operator(), host::xlBetween);
    EXPECT_EQ(rule->Formula1(), u"=CountIf($B$2:$B$40,B2)=1");
    EXPECT_TRUE(rule->IgnoreBlank());
    EXPECT_TRUE(rule->InCellDropdown());
    EXPECT_EQ(rule->InputTitle(), u"Duplicate");
    EXPECT_EQ(rule->ErrorTitle(), u"");
    EXPECT_EQ(rule->InputMessage(), u"");
    EXPECT_EQ(rule->ErrorMessage(), u"Duplicate Entry!");
    EXPECT_TRUE(rule->ShowError());
    EXPECT_EQ(ruleAt(u"B40")->Formula1(), u"=CountIf($B$2:$B$40,B40)=1");
    EXPECT_FALSE(hasRule(u"B1"));
    EXPECT_FALSE(hasRule(u"B41"));
}

TEST_F(Preventer, TheHostRefusesADuplicateWithTheStopAlert) {
    select(u"B2:B40");
    apply(true, false);
    const host::embedded::EntryResult refused = type(u"B5", u"APPLE");
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.alertMessage, u"Duplicate Entry!");
    EXPECT_EQ(refused.alertTitle, u"Microsoft Excel");
    EXPECT_TRUE(t.app->Range(u"B5")->Value().isEmpty());
    EXPECT_TRUE(type(u"B5", u"plum").accepted);
    EXPECT_FALSE(type(u"B6", u"plum").accepted);
    EXPECT_TRUE(type(u"B6", u"head").accepted);  // B1 lies outside the guarded range
    EXPECT_TRUE(type(u"B7", u"").accepted);      // blanks are always accepted
}

// The active cell elsewhere in the selection does not shift the rule: it is made the first cell.
TEST_F(Preventer, TheRuleGuardsEachCellAgainstItsOwnColumnWhereverTheActiveCellWas) {
    select(u"B2:B40");
    t.app->Range(u"B30")->Activate();
    apply(true, false);
    EXPECT_EQ(t.app->ActiveCell()->Address(), u"$B$2");
    EXPECT_EQ(t.app->Selection()->Address(), u"$B$2:$B$40");
    EXPECT_EQ(ruleAt(u"B10")->Formula1(), u"=CountIf($B$2:$B$40,B10)=1");
    EXPECT_FALSE(type(u"B10", u"pear").accepted);
    EXPECT_TRUE(type(u"B10", u"fig").accepted);
}

TEST_F(Preventer, SelectColumnPutsTheRuleOnTheWholeColumn) {
    select(u"B2:B40");
    apply(true, true);
    EXPECT_EQ(t.app->Selection()->Address(), u"$B:$B");
    EXPECT_EQ(t.app->ActiveCell()->Address(), u"$B$1");
    EXPECT_EQ(ruleAt(u"B1")->Formula1(), u"=CountIf($B:$B,B1)=1");
    EXPECT_EQ(ruleAt(u"B1048576")->Formula1(), u"=CountIf($B:$B,B1048576)=1");
    EXPECT_FALSE(type(u"B900", u"Head").accepted);
    EXPECT_TRUE(type(u"B900", u"kiwi").accepted);
    EXPECT_FALSE(hasRule(u"A1"));
    EXPECT_FALSE(hasRule(u"C1"));
}

TEST_F(Preventer, ActivatingTwiceLeavesOneRule) {
    select(u"B2:B40");
    apply(true, false);
    select(u"B2:B40");
    apply(true, false);
    EXPECT_EQ(t.sheet->model().validations().size(), 1u);
    EXPECT_EQ(lastAlert(), kActivated);
}

TEST_F(Preventer, DeactivateClearsEveryRuleOfTheWholeColumn) {
    t.app->Range(u"B50")->Validation()->Add(host::xlValidateCustom, host::xlValidAlertStop, host::xlBetween,
                                            u"=LEN(B50)<3");
    t.app->Range(u"C1")->Validation()->Add(host::xlValidateCustom, host::xlValidAlertStop, host::xlBetween,
                                           u"=LEN(C1)<3");
    select(u"B2:B40");
    apply(true, false);
    select(u"B2:B40");
    apply(false, false);
    EXPECT_EQ(lastAlert(), kDeactivated);
    EXPECT_FALSE(hasRule(u"B2"));
    EXPECT_FALSE(hasRule(u"B50"));
    EXPECT_TRUE(hasRule(u"C1"));
    EXPECT_EQ(t.app->Selection()->Address(), u"$B:$B");
    EXPECT_TRUE(type(u"B5", u"apple").accepted);
}

TEST_F(Preventer, TwoColumnsAreRefusedEitherWay) {
    for (bool activate : {true, false}) {
        select(u"A2:B40");
        apply(activate, true);
        EXPECT_EQ(lastAlert(), u"Please Select Single Column!");
        EXPECT_FALSE(frmDupPrevLoaded());
        EXPECT_TRUE(t.sheet->model().validations().empty());
        EXPECT_EQ(t.app->Selection()->Address(), u"$A$2:$B$40");
    }
}

// Each area of a several-area selection gets its own rule, guarded against its own column.
TEST_F(Preventer, EachAreaIsGuardedAgainstItsOwnColumn) {
    select(u"B2:B5,D2:D5");
    apply(true, false);
    EXPECT_EQ(ruleAt(u"B3")->Formula1(), u"=CountIf($B$2:$B$5,B3)=1");
    EXPECT_EQ(ruleAt(u"D3")->Formula1(), u"=CountIf($D$2:$D$5,D3)=1");
    EXPECT_TRUE(type(u"D3", u"grape").accepted);
    EXPECT_FALSE(type(u"D4", u"grape").accepted);
    EXPECT_TRUE(type(u"D5", u"apple").accepted);
}

TEST_F(Preventer, TheRuleIsSavedIntoXlsxAndEnforcedAfterReopening) {
    select(u"B2:B40");
    apply(true, false);
    const auto path = std::filesystem::temp_directory_path() / "duplicate_preventer_rule.xlsx";
    files::saveWorkbook(t.book->model(), path.u16string());
    auto reopened = t.app->addBook(files::openWorkbook(path.u16string()));
    t.app->setActiveBook(reopened);
    const host::ValidationPtr rule = t.app->Range(u"B7")->Validation();
    EXPECT_EQ(rule->Type(), host::xlValidateCustom);
    EXPECT_EQ(rule->Formula1(), u"=CountIf($B$2:$B$40,B7)=1");
    EXPECT_EQ(rule->ErrorMessage(), u"Duplicate Entry!");
    EXPECT_EQ(rule->InputTitle(), u"Duplicate");
    EXPECT_FALSE(t.app->enterValue(t.app->Range(u"B7"), u"pear").accepted);
    std::filesystem::remove(path);
}

TEST_F(Preventer, UndoIsNotTakenAndTheFrameEnds) {
    select(u"B2:B40");
    apply(true, false);
    EXPECT_FALSE(shell::undoEnabled);
    EXPECT_TRUE(t.app->ScreenUpdating());
    EXPECT_EQ(t.app->Calculation(), host::xlCalculationAutomatic);
}

}  // namespace
}  // namespace duplicatestest
