// The duplicate cleaner's dialog: the four set-up rows and the deletion-mode captions.
#include "tests/tools/duplicates/duplicate_road.h"

namespace duplicatestest {
namespace {

struct SetUpCase {
    std::u16string command, toolKey, example, help, question;
    bool options;
    std::u16string what;  // "duplicate"/"Duplicate" or "Unique" in the option captions
};

const SetUpCase kCases[] = {
    {u"removeDuplicatesKeepFirst", u"DuplicateCleaner1",
     u"All Duplicate Entries will be deleted but leaves only first.", u"Press Yes Button to Delete Duplicate Entries",
     u"Do you want to Remove Duplicate Entries and Keep First ?", true, u"Duplicate"},
    {u"removeDuplicatesAll", u"DuplicateCleaner2",
     u"All Duplicate Entries will be deleted and leaves only Unique Distinct Entries.",
     u"Press Yes Button to Delete All Duplicate Entries", u"Do you want to Remove All Duplicate Entries ?", true,
     u"Duplicate"},
    {u"removeFrom2ndList", u"DuplicateCleaner3", u"All Entries of 2nd Column will be deleted from 1st Column.",
     u"Press Yes Button to Delete Duplicate Entries", u"Do you want to Remove Entries of 2nd Column exist in 1st?",
     false, u""},
    {u"removeUniquesAll", u"DuplicateCleaner5", u"All Unique Entries will be deleted.",
     u"Press Yes Button to Delete Unique Entries", u"Do you want to Remove Unique/Distinct Entries ?", true, u"Unique"},
};

class DuplicateSetUp : public DuplicateRoad {
protected:
    testsupport::Rows initialRows() const override { return {{u"a", u"b"}, {u"c", u"d"}, {u"e", u"f"}}; }
};

TEST_F(DuplicateSetUp, EachRowLaysTheDataOrganizerPageOut) {
    for (const SetUpCase& c : kCases) {
        SCOPED_TRACE(::testing::PrintToString(c.command));
        select(u"A1:B3");
        user.closeForm().on(u"frmMain");
        open(c.command);
        ASSERT_FALSE(user.shownForms().empty());
        const forms::FormSnapshot& shown = user.shownForms().back();
        EXPECT_EQ(shown.form, u"frmMain");
        EXPECT_EQ(shown.text(u"lblMainHeader"), u"Cellwash - Duplicate Cleaner");
        EXPECT_EQ(shown.text(u"lblCaseEx"), c.example);
        EXPECT_EQ(shown.text(u"lblDO1to4Help"), c.help);
        EXPECT_EQ(shown.text(u"lblDOHeader1to4"), c.question);
        EXPECT_EQ(shown.text(u"lblDOSelCells"), u"6");
        EXPECT_EQ(dialog::activeDCKey, c.toolKey);
        EXPECT_TRUE(shown.shown.at(u"lblCaseEx"));
        EXPECT_TRUE(shown.shown.at(u"lblDOHeader1to4"));
        EXPECT_FALSE(shown.shown.at(u"chkChartObject"));
        EXPECT_FALSE(shown.shown.at(u"chkRemoveAS"));
        EXPECT_FALSE(shown.shown.at(u"chkCleanWhiteSpaces"));
        EXPECT_EQ(shown.shown.at(u"frmDOOptions"), c.options);
        EXPECT_EQ(shown.shown.at(u"optDelEntireIfBlank"), c.options);
        if (!c.options) continue;
        const std::u16string lower = c.what == u"Duplicate" ? u"duplicate" : c.what;
        EXPECT_EQ(shown.text(u"optDelEntireIfBlank"), u"Delete Entrie Row (If " + lower + u" Found)");
        EXPECT_EQ(shown.text(u"optDelEmptyCells"), u"Delete " + c.what + u" Text Entry (Remove Empty Cell)");
        EXPECT_EQ(shown.text(u"optDelEntire"), u"Delete " + c.what + u" Text Entry (Leave Empty Cell)");
    }
}

TEST_F(DuplicateSetUp, AnUnknownKeyShowsNothing) {
    open(u"removeSomethingElse");
    EXPECT_TRUE(user.shownForms().empty());
    EXPECT_EQ(dialog::activeDCKey, u"");
}

// Closing the dialog without Yes leaves the sheet as it was.
TEST_F(DuplicateSetUp, NoRunsNothing) {
    useColumn({u"a", u"a"});
    user.click(u"cmdNo").on(u"frmMain");
    open(u"removeDuplicatesKeepFirst");
    EXPECT_EQ(columnA(2), (Column{u"a", u"a"}));
    EXPECT_EQ(timesShown(u"frmAlert"), 0);
}

}  // namespace
}  // namespace duplicatestest
