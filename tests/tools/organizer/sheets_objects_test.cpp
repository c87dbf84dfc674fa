// Removing empty worksheets, and drawing objects, pictures, charts and comments, along the
// user's road; objects come from a real workbook file read through the files layer.
#include "engine/book.h"
#include "files/engine_binding.h"
#include "host/text.h"
#include "tests/tools/organizer/organizer_road.h"

namespace organizertest {
namespace {

class EmptySheets : public OrganizerRoad {
protected:
    // Sheet1 holds data; the others are added empty with the given visibility.
    engine::SheetPtr addSheet(const std::u16string& name, int visibility = host::xlSheetVisible,
                              const host::embedded::EmbeddedWorkbookPtr& book = nullptr) {
        auto sheet = (book ? book : t.book)->model().addSheet(name);
        sheet->setVisibleUnchecked(visibility);
        return sheet;
    }
    static std::vector<std::u16string> names(const host::embedded::EmbeddedWorkbookPtr& book) {
        std::vector<std::u16string> out;
        for (const auto& s : book->model().sheets()) out.push_back(s->name());
        return out;
    }
};

TEST_F(EmptySheets, VisibleEmptySheetsGoHiddenOnesStayAndNoUndoCopyIsTaken) {
    fill({{u"data"}});
    addSheet(u"Empty");
    addSheet(u"Hidden", host::xlSheetHidden);
    addSheet(u"VeryHidden", host::xlSheetVeryHidden);
    auto formula = addSheet(u"Formula");
    formula->enterText(1, 1, u"=\"\"");
    user.setValue(u"chkCleanWhiteSpaces", false);
    yes();
    run(u"removeSheets");
    EXPECT_EQ(message(), u"Total  1  Empty Sheets Removed from Active Workbook!");
    EXPECT_EQ(names(t.book), (std::vector<std::u16string>{u"Sheet1", u"Hidden", u"VeryHidden", u"Formula"}));
    EXPECT_FALSE(hasUndoCopy());
    EXPECT_FALSE(shell::undoEnabled);
    // Written after each yield: the last read-out seen is that of the fourth of five sheets.
    EXPECT_EQ(progress.back(), u"Removing...80 %");
}

TEST_F(EmptySheets, HiddenEmptySheetsGoWhenAskedVeryHiddenOnesNever) {
    fill({{u"data"}});
    addSheet(u"Hidden", host::xlSheetHidden);
    addSheet(u"VeryHidden", host::xlSheetVeryHidden);
    user.inspect([](forms::Form& form) {
        EXPECT_EQ(static_cast<dialog::FrmMain&>(form).chkCleanWhiteSpaces.Caption(), u" Remove Hidden Empty Sheets!");
    });
    user.setValue(u"chkCleanWhiteSpaces", true);
    yes();
    run(u"removeSheets");
    EXPECT_EQ(message(), u"Total  1  Empty Sheets Removed from Active Workbook!");
    EXPECT_EQ(names(t.book), (std::vector<std::u16string>{u"Sheet1", u"VeryHidden"}));
}

TEST_F(EmptySheets, AWorkbookOfEmptySheetsKeepsOne) {
    addSheet(u"Two");
    addSheet(u"Three");
    yes();
    run(u"removeSheets");
    EXPECT_EQ(message(), u"Total  2  Empty Sheets Removed from Active Workbook!");
    EXPECT_EQ(names(t.book), (std::vector<std::u16string>{u"Three"}));
}

TEST_F(EmptySheets, AllOpenWorkbooksAreWalkedWithTheirNamesInTheReadout) {
    fill({{u"data"}});
    addSheet(u"Empty");
    auto second = t.app->newBook(u"Second");
    second->model().activeSheet()->enterText(1, 1, u"kept");
    addSheet(u"Gone", host::xlSheetVisible, second);
    addSheet(u"Gone too", host::xlSheetVisible, second);
    t.app->setActiveBook(t.book);
    user.selectOption(u"optDelEmptyCells");
    yes();
    run(u"removeSheets");
    EXPECT_EQ(message(), u"Total  3  Empty Sheets Removed from All Open Workbook!");
    EXPECT_EQ(names(t.book), (std::vector<std::u16string>{u"Sheet1"}));
    EXPECT_EQ(names(second), (std::vector<std::u16string>{u"Sheet1"}));
    // Visits are counted over all workbooks, the total is each workbook's own.
    EXPECT_NE(std::find(progress.begin(), progress.end(), u"Removing from Second...\r\n100 %"), progress.end());
}

class Objects : public OrganizerRoad {
protected:
    // The xlsxwriter fixture: "Sheet One" holds a comment (A3), a picture and a chart; the
    // hidden "Other" sheet holds nothing but a cell.
    void open() {
        auto book = t.app->addBook(files::openWorkbook(host::utf16(CW_ORGANIZER_TEST_DATA "/xlsxwriter/book.xlsx")));
        t.app->setActiveBook(book);
        t.book = book;
        t.sheet = t.app->worksheetOf(book->model().activeSheet());
        select(u"A1");
    }
    long drawings() const { return t.sheet->DrawingObjects()->Count(); }
    long pictures() const { return t.sheet->Pictures()->Count(); }
    long charts() const { return t.sheet->ChartObjects()->Count(); }
    long comments() const { return t.sheet->Comments()->Count(); }
};

TEST_F(Objects, WithNoBoxTickedEveryDrawingObjectOfTheActiveSheetGoes) {
    open();
    ASSERT_EQ(drawings(), 2);
    user.setValue(u"chkCleanWhiteSpaces", false).setValue(u"chkRemoveAS", false);
    yes();
    run(u"removeObjects");
    EXPECT_EQ(message(), u"Total  2  Objects Removed from Active Sheet!");
    EXPECT_EQ(drawings(), 0);
    EXPECT_EQ(comments(), 1);
    ASSERT_TRUE(hasUndoCopy());
    EXPECT_EQ(undoCopy()->DrawingObjects()->Count(), 2);
}

TEST_F(Objects, CommentsOnlyLeaveTheDrawingObjects) {
    open();
    user.setValue(u"chkCleanWhiteSpaces", true).setValue(u"chkRemoveAS", false);
    yes();
    run(u"removeObjects");
    EXPECT_EQ(message(), u"Total  1  Objects Removed from Active Sheet!");
    EXPECT_EQ(comments(), 0);
    EXPECT_EQ(drawings(), 2);
}

TEST_F(Objects, CommentsAndChartsCombineTheirCounts) {
    open();
    user.setValue(u"chkCleanWhiteSpaces", true).setValue(u"chkRemoveAS", false).setValue(u"chkChartObject", true);
    yes();
    run(u"removeObjects");
    EXPECT_EQ(message(), u"Total  2  Objects Removed from Active Sheet!");
    EXPECT_EQ(comments(), 0);
    EXPECT_EQ(charts(), 0);
    EXPECT_EQ(pictures(), 1);
}

TEST_F(Objects, PicturesOnlyFromAllSheets) {
    open();
    // Selecting "all sheets" hides the pictures box; the user ticks it first.
    user.setValue(u"chkCleanWhiteSpaces", false).setValue(u"chkRemoveAS", true).selectOption(u"optDelEmptyCells");
    yes();
    run(u"removeObjects");
    // Every worksheet of the workbook: the hidden undo copy taken on Yes holds the picture
    // too, and the read-out seen last is that of the second of three sheets.
    EXPECT_EQ(message(), u"Total  2  Objects Removed from All Sheets!");
    EXPECT_EQ(pictures(), 0);
    EXPECT_EQ(charts(), 1);
    EXPECT_EQ(undoCopy()->Pictures()->Count(), 0);
    EXPECT_EQ(progress.back(), u"Removing...67 %");
}

}  // namespace
}  // namespace organizertest
