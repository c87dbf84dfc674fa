// Sheets, workbooks, drawing objects and application settings on the embedded engine.
#include <gtest/gtest.h>

#include "host/application.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/range.h"
#include "host/text.h"
#include "host/worksheet.h"
#include "tests/support/host_error.h"
#include "tests/support/printing.h"
#include "tests/support/sheet_builder.h"

using engine::DrawingObject;
using testsupport::makeHost;

namespace {

std::vector<std::u16string> sheetNames(const host::SheetsPtr& sheets) {
    std::vector<std::u16string> names;
    for (long i = 1; i <= sheets->Count(); ++i) names.push_back(sheets->Item(i)->Name());
    return names;
}

TEST(SheetNames, TheHostsRulesAreEnforced) {
    auto t = makeHost();
    testsupport::addSheet(t, u"Data");
    const char16_t* refused[] = {u"",
                                 u"data",
                                 u"a[b",
                                 u"a:b",
                                 u"a*b",
                                 u"a?b",
                                 u"a/b",
                                 u"a\\b",
                                 u"'ab",
                                 u"ab'",
                                 u"abcdefghijabcdefghijabcdefghijXY"};
    for (const char16_t* name : refused)
        EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->setName(name); }), 1004) << host::utf8(name);
    t.sheet->setName(u"abcdefghijabcdefghijabcdefghijX");  // 31 is fine
    t.sheet->setName(u"SHEET1");
    t.sheet->setName(u"Sheet1");  // renaming itself with another case is fine
    EXPECT_EQ(t.sheet->Name(), u"Sheet1");
}

TEST(SheetCopy, TheCopyTakesTheDefaultNameGoesBeforeAndBecomesActive) {
    auto t = makeHost({{u"x"}});
    t.sheet->setName(u"Data");
    t.sheet->Copy(t.sheet);
    EXPECT_EQ(sheetNames(t.book->Sheets()), (std::vector<std::u16string>{u"Data (2)", u"Data"}));
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Data (2)");
    t.sheet->Copy(t.sheet);
    EXPECT_EQ(sheetNames(t.book->Sheets()), (std::vector<std::u16string>{u"Data (2)", u"Data (3)", u"Data"}));
    // Copies are independent of the original.
    auto copy = testsupport::sheetNamed(t, u"Data (2)");
    copy->Range(u"A1")->setValue(host::Variant(u"changed"));
    EXPECT_EQ(t.sheet->Range(u"A1")->Value().toText(), u"x");
    t.sheet->Range(u"A2")->setValue(host::Variant(u"later"));
    EXPECT_TRUE(copy->Range(u"A2")->Value().isEmpty());
}

TEST(SheetVisibility, HiddenVeryHiddenAndTheLastVisibleSheet) {
    auto t = makeHost();
    auto second = testsupport::addSheet(t, u"Two");
    second->setVisible(host::xlSheetVeryHidden);
    EXPECT_EQ(second->Visible(), 2);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->setVisible(host::xlSheetHidden); }), 1004);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->Delete(); }), 1004);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.sheet->setVisible(7); }), 1004);
    second->setVisible(host::xlSheetVisible);
    t.sheet->setVisible(host::xlSheetHidden);
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Two");  // hiding the active sheet moves on
}

TEST(SheetDelete, DeletedSheetsLeaveTheCollectionsAndTheirHandlesFail) {
    auto t = makeHost();
    auto two = testsupport::addSheet(t, u"Two");
    two->Activate();
    two->Delete();
    EXPECT_EQ(t.book->Sheets()->Count(), 1);
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Sheet1");
    EXPECT_EQ(testsupport::hostErrorOf([&] { two->Name(); }), 424);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.book->Sheets()->Item(u"Two"); }), 9);
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.book->Sheets()->Item(2); }), 9);
}

TEST(SheetIdentity, OneEngineSheetIsOneWorksheetWhileItIsHeld) {
    auto t = makeHost();
    auto two = testsupport::addSheet(t, u"Two");
    // Every road to the same sheet hands out the same object.
    EXPECT_EQ(t.book->Sheets()->Item(u"Two"), two);
    EXPECT_EQ(t.book->Sheets()->Item(2), two);
    EXPECT_EQ(t.book->Worksheets()->Item(2), two);
    EXPECT_EQ(t.app->worksheetOf(two->sheet()), two);
    two->Activate();
    EXPECT_EQ(t.app->ActiveSheet(), two);
    EXPECT_EQ(t.book->ActiveSheet(), two);
    EXPECT_EQ(t.app->Range(u"B2")->Worksheet(), two);
    EXPECT_NE(t.book->Sheets()->Item(1), two);
    EXPECT_EQ(t.book->Sheets()->Item(1), t.sheet);
    // So does the book, also from a sheet's Parent.
    EXPECT_EQ(two->Parent(), t.book);
    EXPECT_EQ(t.app->ActiveWorkbook(), t.book);
    EXPECT_EQ(t.app->Workbooks()->Item(1), t.book);
    // A copy is a sheet of its own.
    t.sheet->Copy(nullptr);
    EXPECT_NE(t.app->ActiveSheet(), t.sheet);
    EXPECT_EQ(t.app->ActiveSheet()->Name(), u"Sheet1 (2)");
    EXPECT_EQ(t.book->Sheets()->Item(u"Sheet1 (2)"), t.app->ActiveSheet());
}

TEST(SheetIdentity, AKeptHandleOnADeletedSheetFailsAfterOtherSheetsComeAndGo) {
    auto t = makeHost();
    testsupport::addSheet(t, u"Two");
    const host::WorksheetPtr kept = t.book->Sheets()->Item(u"Two");
    kept->Delete();
    testsupport::addSheet(t, u"Two");  // a new sheet by the same name is another object
    EXPECT_NE(t.book->Sheets()->Item(u"Two"), kept);
    EXPECT_EQ(testsupport::hostErrorOf([&] { kept->Name(); }), 424);
    EXPECT_EQ(testsupport::hostErrorOf([&] { kept->Range(u"A1"); }), 424);
    EXPECT_EQ(t.book->Sheets()->Item(u"Two")->Name(), u"Two");
}

TEST(SheetKinds, ChartSheetsAreInSheetsOnly) {
    auto t = makeHost();
    auto chart = testsupport::addSheet(t, u"Chart1", host::xlChart);
    EXPECT_EQ(t.book->Sheets()->Count(), 2);
    EXPECT_EQ(t.book->Worksheets()->Count(), 1);
    EXPECT_EQ(testsupport::hostErrorOf([&] { chart->Cells(); }), 438);
}

TEST(Drawings, ShapesTextsGroupsAndCollectionsCountAndDelete) {
    auto t = makeHost();
    auto& d = t.sheet->model().drawings();
    d.push_back(DrawingObject{host::msoTextBox, u"TextBox 1", u"hello there", {}, {}, -1});
    d.push_back(DrawingObject{host::msoPicture, u"Picture 2", {}, {}, {}, -1});
    d.push_back(DrawingObject{host::msoChart, u"Chart 3", {}, {}, {}, -1});
    DrawingObject art{host::msoSmartArt, u"Diagram 4", {}, {}, {}, -1};
    art.groupItems.push_back(DrawingObject{host::msoAutoShape, u"Item", {}, u"inner words", {}, -1});
    d.push_back(art);

    auto shapes = t.sheet->Shapes();
    EXPECT_EQ(shapes->Count(), 4);
    EXPECT_EQ(shapes->Item(1)->TextFrameText(), u"hello there");
    EXPECT_EQ(testsupport::hostErrorOf([&] { shapes->Item(2)->TextFrameText(); }), 1004);
    EXPECT_EQ(shapes->Item(4)->GroupItems()->Item(1)->TextEffectText(), u"inner words");
    EXPECT_EQ(testsupport::hostErrorOf([&] { shapes->Item(1)->GroupItems(); }), 1004);
    EXPECT_EQ(t.sheet->Pictures()->Count(), 1);
    EXPECT_EQ(t.sheet->ChartObjects()->Count(), 1);
    EXPECT_EQ(t.sheet->DrawingObjects()->Count(), 4);
    t.sheet->Pictures()->Delete();
    EXPECT_EQ(t.sheet->DrawingObjects()->Count(), 3);
    t.sheet->DrawingObjects()->Delete();
    EXPECT_EQ(t.sheet->Shapes()->Count(), 0);
}

TEST(Comments, CountedRowByRowAndDeletable) {
    auto t = makeHost();
    t.sheet->Range(u"B1")->AddComment(u"second");
    t.sheet->Range(u"A1")->AddComment(u"first");
    auto comments = t.sheet->Comments();
    ASSERT_EQ(comments->Count(), 2);
    EXPECT_EQ(comments->Item(1)->Text(), u"first");
    comments->Item(2)->Delete();
    EXPECT_EQ(t.sheet->Comments()->Count(), 1);
}

TEST(Workbooks, CountAddCloseAndTheActiveWorkbook) {
    auto t = makeHost();
    auto books = t.app->Workbooks();
    EXPECT_EQ(books->Count(), 1);
    auto second = books->Add();
    EXPECT_EQ(second->Name(), u"Book2");
    EXPECT_EQ(t.app->ActiveWorkbook()->Name(), u"Book2");
    second->Close(false);
    EXPECT_EQ(books->Count(), 1);
    EXPECT_EQ(t.app->ActiveWorkbook()->Name(), u"Book1");
    EXPECT_EQ(testsupport::hostErrorOf([&] { books->Item(u"Book2"); }), 9);
    EXPECT_EQ(testsupport::hostErrorOf([&] { books->Open(u"/no/such/file.xlsx"); }), 1004);
    t.book->Close(false);
    EXPECT_EQ(books->Count(), 0);
    EXPECT_EQ(t.app->ActiveWorkbook(), nullptr);
    EXPECT_EQ(t.app->ActiveSheet(), nullptr);
    EXPECT_EQ(t.app->Selection(), nullptr);
}

TEST(Settings, KeptSoThatCallersCanSeeWhatWasLeft) {
    auto t = makeHost();
    EXPECT_EQ(t.app->Version(), u"16.0");
    t.app->setScreenUpdating(false);
    t.app->setCalculation(host::xlCalculationManual);
    t.app->setDisplayAlerts(false);
    t.app->setEnableEvents(false);
    t.app->setEnableCancelKey(host::xlErrorHandler);
    t.app->setStatusBar(host::Variant(u"Processing...!"));
    t.app->AutoCorrect()->setReplaceText(false);
    EXPECT_FALSE(t.app->ScreenUpdating());
    EXPECT_EQ(t.app->Calculation(), -4135);
    EXPECT_FALSE(t.app->DisplayAlerts());
    EXPECT_FALSE(t.app->EnableEvents());
    EXPECT_EQ(t.app->EnableCancelKey(), 2);
    EXPECT_EQ(t.app->StatusBar().toText(), u"Processing...!");
    EXPECT_FALSE(t.app->AutoCorrect()->ReplaceText());
    t.app->setStatusBar(host::Variant(false));
    EXPECT_TRUE(t.app->StatusBar().isBoolean());
    EXPECT_EQ(testsupport::hostErrorOf([&] { t.app->setCalculation(12); }), 1004);
}

}  // namespace
