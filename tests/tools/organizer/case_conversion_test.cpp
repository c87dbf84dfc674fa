// Case conversion along the user's road: the four command keys, the cells rewritten with
// their spaces normalised, the messages, the read-out and Undo.
#include "tests/tools/organizer/organizer_road.h"

namespace organizertest {
namespace {

using CaseConversion = OrganizerRoad;

TEST_F(CaseConversion, UpperCaseNormalisesSpaces) {
    fill({{u"  hello   WORLD  "}, {u"straße"}});
    select(u"A1:A2");
    yes();
    run(u"changeToUpperCase");
    EXPECT_EQ(message(), u"All Selected Cells are Converted to UPPER CASE!");
    EXPECT_EQ(col(u"A1:A2"), (Texts{u"HELLO WORLD", u"STRASSE"}));
    EXPECT_EQ(progress, (Texts{u"Converting...50 %", u"Converting...100 %"}));
    EXPECT_EQ(dialogShown().text(u"lblDOSelCells"), u"2");
    ASSERT_TRUE(hasUndoCopy());
    EXPECT_EQ(testsupport::column(*undoCopy(), u"A1:A1"), (Texts{u"  hello   WORLD  "}));
}

TEST_F(CaseConversion, LowerCase) {
    fill({{u"CWK VER5"}, {u"ΟΔΥΣΣΕΥΣ"}});
    select(u"A1:A2");
    yes();
    run(u"changeToLowerCase");
    EXPECT_EQ(message(), u"All Selected Cells are Converted to lower case!");
    EXPECT_EQ(col(u"A1:A2"), (Texts{u"cwk ver5", u"οδυσσευς"}));
}

TEST_F(CaseConversion, ProperCaseOnAsciiAndOtherLetters) {
    fill({{u"cwK veR5"}, {u"éCOLE d'ÉTÉ"}, {u"привет   МИР"}});
    select(u"A1:A3");
    yes();
    run(u"changeToProperCase");
    EXPECT_EQ(message(), u"All Selected Cells are Converted to Proper Case!");
    EXPECT_EQ(col(u"A1:A3"), (Texts{u"Cwk Ver5", u"École D'été", u"Привет Мир"}));
}

TEST_F(CaseConversion, SentenceCaseChangesOnlyAsciiLetters) {
    fill({{u"cwK veR5"}, {u"what? yes. ok"}, {u"wow! great"}, {u"1st place. 2nd try"}, {u"élan VITAL"}});
    select(u"A1:A5");
    yes();
    run(u"changeToSentenceCase");
    EXPECT_EQ(message(), u"All Selected Cells are Converted to Sentence case!");
    EXPECT_EQ(col(u"A1:A5"),
              (Texts{u"Cwk ver5", u"What? Yes. Ok", u"Wow! great", u"1St place. 2Nd try", u"éLan vital"}));
}

TEST_F(CaseConversion, SpaceOnlyCellsStayAndFormulasBecomeTheirConvertedResult) {
    fill({{u"   "}, {u"=\"ab\"&\"cd\""}, {u""}, {u"x"}});
    select(u"A1:A4");
    yes();
    run(u"changeToUpperCase");
    EXPECT_EQ(col(u"A1:A4"), (Texts{u"   ", u"ABCD", u"", u"X"}));
    EXPECT_FALSE(t.app->Range(u"A2")->HasFormula());
}

TEST_F(CaseConversion, OnlyTheSelectionWithinTheUsedRangeIsConverted) {
    fill({{u"in", u"out"}});
    select(u"A:A");
    yes();
    run(u"changeToUpperCase");
    EXPECT_EQ(cells(u"A1:B1"), (Rows{{u"IN", u"out"}}));
}

TEST_F(CaseConversion, EmptySheetAndEmptySelectionAreRefused) {
    select(u"A1");
    yes();
    run(u"changeToUpperCase");
    EXPECT_EQ(message(), u"Active Sheet is totally Empty!");

    fill({{u"a", u""}, {u"b", u"x"}});
    select(u"B1");  // inside the used range, empty
    yes();
    run(u"changeToUpperCase");
    EXPECT_EQ(message(), u"Selection is Empty!");
    EXPECT_EQ(cells(u"A1:B2"), (Rows{{u"a", u""}, {u"b", u"x"}}));
    EXPECT_FALSE(dialog::frmMainLoaded());
}

TEST_F(CaseConversion, StopLeavesTheRestUnconverted) {
    fill({{u"a"}, {u"b"}, {u"c"}});
    select(u"A1:A3");
    yes();
    user.click(u"cmdDO1to4Stop").atDoEvents(1);
    run(u"changeToUpperCase");
    EXPECT_EQ(message(), u"All Selected Cells are Converted to UPPER CASE!");
    // The Stop arrives with the first yield: the first cell is the last one converted.
    EXPECT_EQ(col(u"A1:A3"), (Texts{u"A", u"b", u"c"}));
}

}  // namespace
}  // namespace organizertest
