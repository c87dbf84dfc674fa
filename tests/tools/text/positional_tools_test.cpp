// The six positional tools along the user's road: the text cleaner page, its boxes and
// switches, Yes, the cells, the message, the progress read-out.
#include <gtest/gtest.h>

#include "tests/tools/text/text_fixture.h"

namespace texttest {
namespace {

class PositionalTools : public TextFixture {
protected:
    testsupport::Rows initialRows() const override { return {{u"CWKver5@39"}, {u"abcab"}, {u"no match"}}; }
    void SetUp() override {
        TextFixture::SetUp();
        select(u"A1:A3");
    }
};

TEST_F(PositionalTools, AllTextBeforeTheSearchTextIsRemoved) {
    user.setText(u"txtNthChars", u"ver").setText(u"txtStartPos", u"1");
    run(u"remAllCharsBeforeXChars");
    EXPECT_EQ(column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u"ver5@39", u"abcab", u"no match"}));
    EXPECT_EQ(lastAlert(), u"All text before 'ver' has been removed from Cells");
}

TEST_F(PositionalTools, AllTextAfterTheSearchTextIsReplaced) {
    user.setText(u"txtNthChars", u"ver").setValue(u"chkReplaceChars", true).setText(u"txtReplaceChars", u"X-");
    run(u"remAllCharsAfterXChars");
    EXPECT_EQ(text(u"A1"), u"CWKverX-");
    EXPECT_EQ(lastAlert(), u"All text after 'ver' has been replaced with 'X-'");
}

TEST_F(PositionalTools, XCharactersAroundTheSearchText) {
    user.setText(u"txtNthChars", u"5").setText(u"txtNoOfChars", u"2");
    run(u"remXCharsBeforeXChars");
    EXPECT_EQ(text(u"A1"), u"CWKv5@39");
    EXPECT_EQ(lastAlert(), u"2 characters before '5' has been removed from Cells");

    useHost(testsupport::makeHost({{u"CWKver5@39"}}));
    user.setText(u"txtNthChars", u"5")
        .setText(u"txtNoOfChars", u"2")
        .setValue(u"chkReplaceChars", true)
        .setText(u"txtReplaceChars", u"__");
    run(u"remXCharsAfterXChars");
    EXPECT_EQ(text(u"A1"), u"CWKver5__9");
    EXPECT_EQ(lastAlert(), u"2 characters after '5' has been replaced with '__'");
}

TEST_F(PositionalTools, LeadingAndTrailingCharactersOfEveryCell) {
    user.setText(u"txtNoOfChars", u"3");
    run(u"remBeforeXChars");
    EXPECT_EQ(column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u"ver5@39", u"ab", u"match"}));
    EXPECT_EQ(lastAlert(), u"3 Leading Characters has been removed");

    useHost(testsupport::makeHost({{u"CWKver5@39"}, {u"abcab"}}));
    select(u"A1:A2");
    user.setText(u"txtNoOfChars", u"2");
    run(u"remAfterXChars");
    EXPECT_EQ(column(*t.sheet, u"A1:A2"), (std::vector<std::u16string>{u"CWKver5@", u"abc"}));
    EXPECT_EQ(lastAlert(), u"2 Trailing Characters has been removed");
}

TEST_F(PositionalTools, XPastTheTextRemovesOrReplacesAllOfIt) {
    user.setText(u"txtNoOfChars", u"40").setValue(u"chkReplaceChars", true).setText(u"txtReplaceChars", u"-");
    run(u"remAfterXChars");
    EXPECT_EQ(column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u"-", u"-", u"-"}));
    EXPECT_EQ(lastAlert(), u"40 Trailing Characters has been replaced");
}

TEST_F(PositionalTools, StartZeroOrAWordInTheCountBoxChangesNothingButStillReports) {
    user.setText(u"txtNthChars", u"ver").setText(u"txtStartPos", u"0");
    run(u"remAllCharsBeforeXChars");
    EXPECT_EQ(text(u"A1"), u"CWKver5@39");
    EXPECT_EQ(lastAlert(), u"All text before 'ver' has been removed from Cells");

    user.setText(u"txtNoOfChars", u"three");
    run(u"remBeforeXChars");
    EXPECT_EQ(text(u"A1"), u"CWKver5@39");
    EXPECT_EQ(lastAlert(), u"three Leading Characters has been removed");
}

TEST_F(PositionalTools, TheMessageShowsAtMost25CharactersOfEachText) {
    const std::u16string search = u"abcdefghijklmnopqrstuvwxyz0123";
    const std::u16string replacement = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ!";
    user.setText(u"txtNthChars", search).setValue(u"chkReplaceChars", true).setText(u"txtReplaceChars", replacement);
    run(u"remAllCharsBeforeXChars");
    EXPECT_EQ(lastAlert(), u"All text before '" + search.substr(0, 25) + u"' has been replaced with '" +
                               replacement.substr(0, 25) + u"'");
}

TEST_F(PositionalTools, ProgressIsShownInTheQuestionLabelAndTheCountInItsOwn) {
    std::vector<std::u16string> seen, counts;
    user.onDoEvents = [&](int, forms::Form* top) {
        seen.push_back(dialogtest::mainOf(*top).lblTextCleanerHD.Caption());
        counts.push_back(dialogtest::mainOf(*top).lblTCSel.Caption());
    };
    user.setText(u"txtNoOfChars", u"1");
    run(u"remBeforeXChars");
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"Processing...33 %", u"Processing...67 %", u"Processing...100 %"}));
    EXPECT_EQ(counts.back(), u"3");
}

TEST_F(PositionalTools, SwitchesChangeTheToolBeforeYes) {
    // Opened as "all text before", switched to "X characters after" by the user.
    user.click(u"chkAllChars").click(u"optTrailing").setText(u"txtNthChars", u"5").setText(u"txtNoOfChars", u"2");
    run(u"remAllCharsBeforeXChars");
    EXPECT_EQ(text(u"A1"), u"CWKver59");
    EXPECT_EQ(lastAlert(), u"2 characters after '5' has been removed from Cells");
}

TEST_F(PositionalTools, StopHalfWayLeavesTheRestAndReportsAsUsual) {
    user.setText(u"txtNoOfChars", u"1").click(u"cmdDO1to4Stop").atDoEvents(1);
    run(u"remBeforeXChars");
    EXPECT_EQ(column(*t.sheet, u"A1:A3"), (std::vector<std::u16string>{u"WKver5@39", u"abcab", u"no match"}));
    EXPECT_EQ(lastAlert(), u"1 Leading Characters has been removed");
}

TEST_F(PositionalTools, EmptySelectionIsRefused) {
    select(u"D1:D4");
    run(u"remBeforeXChars");
    EXPECT_EQ(lastAlert(), u"Selection is Empty!");
}

}  // namespace
}  // namespace texttest
