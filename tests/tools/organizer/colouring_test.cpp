// Colouring every nth row, duplicate and unique entries, with the palette colour chosen in
// the dialog; the fills saved into an xlsx carry the palette's RGB.
#include <filesystem>

#include "files/engine_binding.h"
#include "files/zip_archive.h"
#include "host/text.h"
#include "tests/tools/organizer/organizer_road.h"

namespace organizertest {
namespace {

using Colouring = OrganizerRoad;

Rows sevenRows() { return {{u"r1"}, {u"r2"}, {u"r3"}, {u"r4"}, {u"r5"}, {u"r6"}, {u"r7"}}; }

TEST_F(Colouring, EveryThirdRowOfSevenColoursRowsOneFourAndSeven) {
    fill(sevenRows());
    select(u"A1:A7");
    user.setText(u"txtNthRow", u"3");
    yes();
    run(u"colorNthRow");
    EXPECT_EQ(message(), u"Every 3 Row is colored in Your Selection");
    for (long row = 1; row <= 7; ++row) {
        const std::u16string cell = u"A" + std::u16string(1, static_cast<char16_t>(u'0' + row));
        EXPECT_EQ(fillOf(cell), row % 3 == 1 ? 6 : host::xlColorIndexNone) << row;
    }
    EXPECT_EQ(progress, (Texts{u"Coloring...14 %", u"Coloring...29 %", u"Coloring...43 %"}));
    ASSERT_TRUE(hasUndoCopy());
    EXPECT_EQ(undoCopy()->Range(u"A1")->Interior()->ColorIndex(), host::xlColorIndexNone);
}

TEST_F(Colouring, TheRowsColouredAreThoseOfTheSelectionWithinTheUsedRange) {
    fill({{u"a", u"b", u"c"}, {u"d", u"e", u"f"}, {u"g", u"h", u"i"}});
    select(u"B1:D3");
    user.setText(u"txtNthRow", u"2").click(u"lblGrey50");
    yes();
    run(u"colorNthRow");
    EXPECT_EQ(fillOf(u"A1"), host::xlColorIndexNone);
    EXPECT_EQ(fillOf(u"B1"), 48);
    EXPECT_EQ(fillOf(u"C1"), 48);
    EXPECT_EQ(fillOf(u"D1"), host::xlColorIndexNone);
    EXPECT_EQ(fillOf(u"B2"), host::xlColorIndexNone);
    EXPECT_EQ(fillOf(u"C3"), 48);
}

TEST_F(Colouring, NBiggerThanTheRowsIsRefused) {
    fill(sevenRows());
    select(u"A1:A7");
    user.setText(u"txtNthRow", u"8");
    yes();
    run(u"colorNthRow");
    EXPECT_EQ(message(), u"Nth Row is bigger than total selected rows");
    EXPECT_EQ(fillOf(u"A1"), host::xlColorIndexNone);
}

TEST_F(Colouring, NBelowOneOrNoNumberIsRefusedAndNothingChanges) {
    fill(sevenRows());
    select(u"A1:A7");
    for (const char16_t* n : {u"0", u"-2", u"abc", u""}) {
        user.setText(u"txtNthRow", n);
        yes();
        run(u"colorNthRow");
        EXPECT_EQ(message(), u"Nth Row must be a whole number of 1 or more") << host::utf8(n);
        EXPECT_EQ(fillOf(u"A1"), host::xlColorIndexNone);
    }
}

TEST_F(Colouring, DuplicatesIgnoreCaseAndUniquesAreTheRest) {
    fill({{u"apple"}, {u"Apple"}, {u"pear"}, {u""}, {u"  "}});
    select(u"A1:A5");
    yes();
    run(u"colorDuplicateRows");
    EXPECT_EQ(message(), u"Duplicate Rows are colored in Your Selection");
    EXPECT_EQ(fillOf(u"A1"), 6);
    EXPECT_EQ(fillOf(u"A2"), 6);
    EXPECT_EQ(fillOf(u"A3"), host::xlColorIndexNone);
    EXPECT_EQ(fillOf(u"A4"), host::xlColorIndexNone);
    EXPECT_EQ(dialogShown().text(u"lblDOSelCells"), u"5");

    select(u"A1:A5");  // the run put the active cell back as the selection
    user.click(u"lblRed");
    yes();
    run(u"colorUniqueRows");
    EXPECT_EQ(message(), u"Unique Rows are colored in Your Selection");
    EXPECT_EQ(fillOf(u"A1"), 6);
    EXPECT_EQ(fillOf(u"A3"), 3);
    EXPECT_EQ(fillOf(u"A5"), host::xlColorIndexNone);
}

TEST_F(Colouring, ACriterionLikeEntryCountsAsAComparison) {
    fill({{u">5"}, {u"9"}, {u"8"}});
    select(u"A1:A3");
    yes();
    run(u"colorDuplicateRows");
    // ">5" matches the two numbers above 5, not itself; each number matches only itself.
    EXPECT_EQ(fillOf(u"A1"), 6);
    EXPECT_EQ(fillOf(u"A2"), host::xlColorIndexNone);
    EXPECT_EQ(fillOf(u"A3"), host::xlColorIndexNone);
}

TEST_F(Colouring, TwoColumnsAreRefusedForTheEntryTools) {
    fill({{u"a", u"a"}});
    select(u"A1:B1");
    yes();
    run(u"colorUniqueRows");
    EXPECT_EQ(message(), u"Please Select Single Column!");
    EXPECT_EQ(fillOf(u"A1"), host::xlColorIndexNone);
}

TEST_F(Colouring, TheFillsAreSavedAsThePalettesRgb) {
    fill(sevenRows());
    select(u"A1:A7");
    user.setText(u"txtNthRow", u"2").click(u"lblGrey25");
    yes();
    run(u"colorNthRow");
    const auto path = std::filesystem::temp_directory_path() / "organizer_colours.xlsx";
    files::saveWorkbook(t.book->model(), path.u16string());
    files::ZipReader zip(path.string(), {});
    const std::string styles = zip.read("xl/styles.xml");
    EXPECT_NE(styles.find("rgb=\"FFC0C0C0\""), std::string::npos);  // palette index 15

    auto reopened = files::openWorkbook(path.u16string());
    const auto sheet = t.app->worksheetOf(reopened->sheetNamed(u"Sheet1"));
    EXPECT_EQ(sheet->Range(u"A3")->Interior()->ColorIndex(), 15);
    EXPECT_EQ(sheet->Range(u"A2")->Interior()->ColorIndex(), host::xlColorIndexNone);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace organizertest
