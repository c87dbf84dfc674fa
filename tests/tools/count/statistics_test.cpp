// The statistics tools from their start: the dialog opens, counts on its first layout, and
// counts again when the user changes the scope or the shapes option.
#include "tests/tools/count/count_fixture.h"

#include "dialog/layout_steps.h"
#include "host/constants.h"
#include "host/text.h"

namespace counttest {
namespace {

using tools::count::StartCountTool1to3;

class Statistics : public CountToolTest {
protected:
    void start(std::u16string key) { StartCountTool1to3(key); }
    // Words, characters without and with spaces, visible and hidden sheets, as shown.
    static std::vector<std::u16string> figures(const forms::FormSnapshot& shot) {
        return {shot.text(u"ctrWords"), shot.text(u"ctrChars"), shot.text(u"ctrCharsSpaces"),
                shot.text(u"ctrSheetsVisible"), shot.text(u"ctrSheetsHidden")};
    }
    using Figures = std::vector<std::u16string>;
};

TEST_F(Statistics, CountsTheActiveSheetOnOpening) {
    useHost({{u"  abc   defgh  ", u"x"}});
    start(u"countActiveSheet");
    const forms::FormSnapshot& shot = firstShown();
    EXPECT_EQ(figures(shot), (Figures{u"3", u"9", u"16", u"1", u"0"}));
    EXPECT_EQ(shot.text(u"lblStatus"), u"Statistics: Active Sheet...");
    EXPECT_EQ(shot.text(u"lblMainHeader"), u"Cellwash - Count Tool");
    EXPECT_TRUE(shot.shown.at(u"frmCountTool1to3"));
    EXPECT_FALSE(shot.shown.at(u"frmCountTool4to5"));
    EXPECT_FALSE(shot.shown.at(u"frmDataOrganizer"));
    EXPECT_EQ(tools::count::statisticsTotals.words, 3);
}

TEST_F(Statistics, LaysTheDialogOutForTheCommandsScope) {
    useHost({{u"a"}});
    struct Row {
        std::u16string key, option;
    };
    for (const Row& row : {Row{u"countActiveSheet", u"optActiveSheet"}, Row{u"countAllSheet", u"optActiveWorkbook"},
                           Row{u"countSelectedCells", u"optSelectedCells"}}) {
        user.inspect([&](forms::Form& form) {
            auto& f = static_cast<dialog::FrmMain&>(form);
            EXPECT_TRUE(static_cast<forms::OptionButton*>(f.control(row.option))->Value()) << host::utf8(row.option);
            EXPECT_EQ(f.HeightTwips(), 4725);
            EXPECT_EQ(dialog::activeCTKey, u"CountTool1to3");
            EXPECT_TRUE(f.chkAllowAutoCount.Value());
            EXPECT_FALSE(f.chkIncludeShapes.Value());
        });
        start(row.key);
        EXPECT_EQ(user.remaining(), 0u);
    }
    EXPECT_TRUE(dialog::activeCTKey.empty());  // nothing is prepared once the dialog is closed
}

TEST_F(Statistics, AnEmptySheetOpensNoDialog) {
    for (const char16_t* key : {u"countActiveSheet", u"countAllSheet", u"countSelectedCells"}) {
        resetCountState();
        forms::ScriptedDriver fresh;
        forms::DriverScope freshScope(fresh);
        useHost({});
        testsupport::addSheet(t, u"Full")->model().enterText(1, 1, u"data");  // another sheet holds data
        t.book->Sheets()->Item(1)->Activate();
        start(key);
        ASSERT_EQ(fresh.shownForms().size(), 1u) << host::utf8(key);
        EXPECT_EQ(fresh.shownForms()[0].form, u"frmAlert");
        EXPECT_EQ(fresh.shownForms()[0].text(u"lblMessage"), u"Active Sheet is Empty!");
    }
}

TEST_F(Statistics, AllSheetsReadsWorksheetsAndCountsEverySheetByVisibility) {
    useHost({{u"one two"}});
    testsupport::addSheet(t, u"Hidden")->model().enterText(1, 1, u"three");
    testsupport::sheetNamed(t, u"Hidden")->setVisible(host::xlSheetHidden);
    testsupport::addSheet(t, u"Very")->model().enterText(2, 2, u"four five six");
    testsupport::sheetNamed(t, u"Very")->setVisible(host::xlSheetVeryHidden);
    testsupport::addSheet(t, u"Chart1", host::xlChart);
    t.book->Sheets()->Item(1)->Activate();
    start(u"countAllSheet");
    // Every worksheet's words, hidden ones too; the chart sheet and the very hidden sheet
    // count as visible sheets.
    EXPECT_EQ(figures(firstShown()), (Figures{u"6", u"22", u"25", u"3", u"1"}));
    EXPECT_EQ(firstShown().text(u"lblStatus"), u"Statistics: All Sheets...");
}

TEST_F(Statistics, AVeryHiddenSheetIsReportedVisible) {
    useHost({{u"a"}});
    testsupport::addSheet(t, u"Secret")->setVisible(host::xlSheetVeryHidden);
    t.book->Sheets()->Item(1)->Activate();
    start(u"countActiveSheet");
    EXPECT_EQ(firstShown().text(u"ctrSheetsVisible"), u"2");
    EXPECT_EQ(firstShown().text(u"ctrSheetsHidden"), u"0");
}

TEST_F(Statistics, NumbersDatesBooleansAndErrorsCountByTheirText) {
    useHost({{u"1234.5", u"1/2/2024", u"TRUE", u"=1/0", u"'007"}});
    start(u"countActiveSheet");
    // "1234.5" 6, "1/2/2024" 8, "True" 4, "#DIV/0!" 7, "007" 3: five words, 28 characters.
    EXPECT_EQ(figures(firstShown()), (Figures{u"5", u"28", u"28", u"1", u"0"}));
}

TEST_F(Statistics, ACharacterOutsideTheBasicPlaneCountsTwo) {
    useHost({{u"\U0001F600 ok"}});
    start(u"countActiveSheet");
    EXPECT_EQ(figures(firstShown()), (Figures{u"2", u"4", u"5", u"1", u"0"}));
}

TEST_F(Statistics, SelectionCountsItsPartOfTheUsedRange) {
    useHost({{u"a b", u"c"}, {u"d", u"e f g"}});
    select(u"B1:Z50");
    start(u"countSelectedCells");
    EXPECT_EQ(figures(firstShown()), (Figures{u"4", u"4", u"6", u"1", u"0"}));
    EXPECT_EQ(firstShown().text(u"lblStatus"), u"Statistics: Selected Cells...");
}

TEST_F(Statistics, SelectionOfSeveralAreasCountsEachArea) {
    useHost({{u"a b", u"c"}, {u"d", u"e f g"}});
    select(u"A1,B2");
    std::vector<std::u16string> statuses;
    user.onDoEvents = [&](int, forms::Form*) { statuses.push_back(dialog::frmMain().lblStatus.Caption()); };
    start(u"countSelectedCells");
    EXPECT_EQ(figures(firstShown()), (Figures{u"5", u"5", u"8", u"1", u"0"}));
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.front(), u"Analayzing...$A$1,$B$2");
}

// Enough rows that the cells are read in several blocks, with gaps and texts that are not
// the first cell's: every cell must be read once, whichever block it falls in.
TEST_F(Statistics, ManyRowsCountEveryCellOnce) {
    testsupport::Rows rows(50000, std::vector<std::u16string>(3));
    long filled = 0, numbers = 0;
    for (long r = 0; r < 50000; ++r)
        for (long c = 0; c < 3; ++c) {
            if ((r * 3 + c) % 7 == 0) continue;
            const bool number = (r + c) % 5 == 0;
            rows[r][c] = number ? u"12345" : u" ab  c";  // 1 word, 5 chars; 2 words, 3 and 6 chars
            ++(number ? numbers : filled);
        }
    useHost(rows);
    start(u"countActiveSheet");
    const auto text = [](long n) { return host::utf16(std::to_string(n)); };
    EXPECT_EQ(figures(firstShown()), (Figures{text(2 * filled + numbers), text(3 * filled + 5 * numbers),
                                              text(6 * filled + 5 * numbers), u"1", u"0"}));
    // The same cells as the first of two areas, and a single cell as the second.
    select(u"A1:C50000,B1");
    tools::count::CountStatsSelection();
    EXPECT_EQ(tools::count::statisticsTotals.words, 2 * filled + numbers + 2);
}

TEST_F(Statistics, BlankCellOutsideTheDataWithShapesShowsTheShapesAlone) {
    useHost({{u"cell words here"}});
    auto& drawings = t.sheet->model().drawings();
    drawings.push_back(shape(host::msoTextBox, u"TextBox 1", u"two  words"));
    drawings.push_back(shape(host::msoAutoShape, u"Rectangle 2", u""));  // a rectangle without text
    drawings.push_back(shape(host::msoAutoShape, u"Rectangle 3"));       // nor a text frame
    drawings.push_back(shape(host::msoAutoShape, u"Oval 4", u" round  one"));
    auto smartArt = shape(host::msoSmartArt, u"Diagram 5");
    smartArt.groupItems = {shape(host::msoAutoShape, u"Item 1", u"x", u"first item"),
                           shape(host::msoAutoShape, u"Item 2", u"no effect text"),
                           shape(host::msoAutoShape, u"Item 3", {}, u"third")};
    drawings.push_back(smartArt);
    auto group = shape(host::msoGroup, u"Group 6");
    group.groupItems = {shape(host::msoTextBox, u"Inner", u"grouped text")};
    drawings.push_back(group);
    drawings.push_back(shape(host::msoPicture, u"Picture 7"));
    select(u"E9");
    user.click(u"chkIncludeShapes");
    look();
    start(u"countSelectedCells");
    EXPECT_EQ(figures(firstShown()), (Figures{u"0", u"0", u"0", u"1", u"0"}));
    // "two  words" 2/8/10, " round  one" 2/8/11, "first item" 2/9/10, "third" 1/5/5; the group
    // and the picture add nothing.
    ASSERT_EQ(looks.size(), 1u);
    EXPECT_EQ(figures(looks[0]), (Figures{u"7", u"30", u"36", u"1", u"0"}));
    EXPECT_EQ(looks[0].text(u"lblStatus"), u"Statistics: Selected Cells and TextFrames...");
}

TEST_F(Statistics, ShapesOfTheActiveSheetJoinItsCells) {
    useHost({{u"a"}});
    t.sheet->model().drawings().push_back(shape(host::msoTextBox, u"TextBox 1", u"b c"));
    user.click(u"chkIncludeShapes");
    look();
    user.click(u"chkIncludeShapes");
    look();
    start(u"countActiveSheet");
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(figures(looks[0]), (Figures{u"3", u"3", u"4", u"1", u"0"}));
    EXPECT_EQ(looks[0].text(u"lblStatus"), u"Statistics: Active Sheet and TextFrames...");
    EXPECT_EQ(figures(looks[1]), (Figures{u"1", u"1", u"1", u"1", u"0"}));
    EXPECT_EQ(looks[1].text(u"lblStatus"), u"Statistics: Active Sheet...");
}

TEST_F(Statistics, TheUserSwitchesScopeFreely) {
    useHost({{u"a b", u"c"}});
    testsupport::addSheet(t, u"More")->model().enterText(1, 1, u"d e f");
    t.book->Sheets()->Item(1)->Activate();
    select(u"B1");
    user.click(u"optActiveWorkbook");
    look();
    user.click(u"optSelectedCells");
    look();
    user.click(u"optActiveSheet");
    look();
    start(u"countActiveSheet");
    ASSERT_EQ(looks.size(), 3u);
    EXPECT_EQ(looks[0].text(u"ctrWords"), u"6");
    EXPECT_EQ(looks[0].text(u"lblStatus"), u"Statistics: All Sheets...");
    EXPECT_EQ(looks[1].text(u"ctrWords"), u"1");
    EXPECT_EQ(looks[1].text(u"lblStatus"), u"Statistics: Selected Cells...");
    EXPECT_EQ(looks[2].text(u"ctrWords"), u"3");
    EXPECT_EQ(looks[2].text(u"ctrSheetsVisible"), u"2");
}

TEST_F(Statistics, WithoutAutoCountOnlyTheShapesOptionCounts) {
    useHost({{u"a b"}});
    user.setValue(u"chkAllowAutoCount", false);
    typeWhileOpen(1, 2, u"c d e");  // the sheet changes: a new count would show it
    user.click(u"optActiveWorkbook");
    user.moveForm(30, 40);  // a layout without auto count
    look();
    user.click(u"chkIncludeShapes");
    look();
    start(u"countActiveSheet");
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(looks[0].text(u"ctrWords"), u"2");
    EXPECT_EQ(looks[0].text(u"lblStatus"), u"Statistics: Active Sheet...");
    EXPECT_EQ(looks[1].text(u"ctrWords"), u"5");
    EXPECT_EQ(looks[1].text(u"lblStatus"), u"Statistics: All Sheets and TextFrames...");
}

TEST_F(Statistics, ADraggedDialogNoLongerCountsOnLayoutButANewOneDoes) {
    useHost({{u"a"}});
    typeWhileOpen(1, 2, u"b");
    user.moveForm(10, 10);  // moved without dragging: counts again
    look();
    typeWhileOpen(1, 3, u"c");
    user.mouseDown(u"lblMainHeader").moveForm(50, 60).resizeForm(400, 300);
    look();
    start(u"countActiveSheet");
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(looks[0].text(u"ctrWords"), u"2");
    EXPECT_EQ(looks[1].text(u"ctrWords"), u"2");
    start(u"countActiveSheet");  // a dialog created anew
    EXPECT_EQ(user.shownForms().back().text(u"ctrWords"), u"3");
}

TEST_F(Statistics, DraggingByTheTitleStripStopsTheCountOnLayoutToo) {
    useHost({{u"a"}});
    user.mouseDown(u"Frame4");
    typeWhileOpen(1, 2, u"b");
    user.moveForm(50, 60);
    look();
    start(u"countActiveSheet");
    ASSERT_EQ(looks.size(), 1u);
    EXPECT_EQ(looks[0].text(u"ctrWords"), u"1");
}

TEST_F(Statistics, StatusStepsWhileTheFrameAndExitAreDisabled) {
    useHost({{u"a"}});
    testsupport::addSheet(t, u"Two")->model().enterText(1, 1, u"b");
    testsupport::addSheet(t, u"Gone")->setVisible(host::xlSheetHidden);
    t.book->Sheets()->Item(1)->Activate();
    std::vector<std::u16string> statuses;
    bool enabledDuringCount = false;
    user.onDoEvents = [&](int, forms::Form* top) {
        auto* form = dynamic_cast<dialog::FrmMain*>(top);
        if (!form) {
            statuses.push_back(u"(closed)");
            return;
        }
        statuses.push_back(form->lblStatus.Caption());
        enabledDuringCount = enabledDuringCount || form->Frame7.Enabled() || form->cmdExit.Enabled();
    };
    user.inspect([](forms::Form& form) {
        auto& f = static_cast<dialog::FrmMain&>(form);
        EXPECT_TRUE(f.Frame7.Enabled());
        EXPECT_TRUE(f.cmdExit.Enabled());
        EXPECT_EQ(f.lblStatus.Caption(), u"Statistics: All Sheets...");
    });
    start(u"countAllSheet");
    const std::vector<std::u16string> expected = {
        u"Analayzing...Sheet1",
        u"Analayzing...Two",
        u"Analayzing...Gone",
        u"Counting Visible Sheets...0",
        u"Counting Visible Sheets...1",
        u"Counting Hidden Sheets...0",
        u"(closed)",  // the one yield after the dialog has closed
    };
    EXPECT_EQ(statuses, expected);
    EXPECT_FALSE(enabledDuringCount);
}

TEST_F(Statistics, OpensWithPleaseWaitWhenAutoCountIsOff) {
    useHost({{u"a b"}});
    // The dialog exists before its set-up (its initialisation has run) with auto count off.
    dialog::frmMain().chkAllowAutoCount.setValue(false);
    EXPECT_TRUE(dialog::suppressOptionClicks);
    user.click(u"optActiveWorkbook");
    look();
    user.click(u"chkIncludeShapes");
    look();
    std::u16string key = u"countActiveSheet";
    tools::count::ShowCountTool1to3Dialog(key);
    EXPECT_EQ(firstShown().text(u"lblStatus"), u"Analayzing...Please Wait");
    EXPECT_EQ(firstShown().text(u"ctrWords"), u"0");
    ASSERT_EQ(looks.size(), 2u);
    EXPECT_EQ(looks[0].text(u"lblStatus"), u"Analayzing...Please Wait");
    EXPECT_EQ(looks[0].text(u"ctrWords"), u"0");
    EXPECT_EQ(looks[1].text(u"lblStatus"), u"Statistics: All Sheets and TextFrames...");
    EXPECT_EQ(looks[1].text(u"ctrWords"), u"2");
}

TEST_F(Statistics, HintsFollowTheMouse) {
    useHost({{u"a"}});
    struct Hint {
        std::u16string control, text;
        double size;
    };
    const std::vector<Hint> hints = {
        {u"frmCountTool1to3", u"Click on Radio Buttons & Check Box to Start Count Process Automatically.", 10},
        {u"optActiveSheet", u"Click 'Active Sheet' Radio Button to Show only Current Sheet Statistics", 10},
        {u"optActiveWorkbook", u"Click 'Active Workbook' Radio Button to Show All Sheets Statistics", 10},
        {u"optSelectedCells", u"Click 'Selected Cells' Radio Button to Show only  Statistics of Selection", 10},
        {u"chkIncludeShapes",
         u"Select a Blank Cell & 'Selected Cells' and Checked it on to Show only TextFrames, AutoShapes.., Statistics",
         8},
    };
    for (const Hint& hint : hints) {
        user.mouseMove(hint.control);
        user.inspect([hint](forms::Form& form) {
            auto& f = static_cast<dialog::FrmMain&>(form);
            EXPECT_EQ(f.lblTips.Caption(), hint.text);
            EXPECT_EQ(f.lblTips.FontSize(), hint.size);
        });
    }
    user.click(u"chkIncludeShapes").mouseMove(u"chkIncludeShapes");
    user.inspect([](forms::Form& form) {
        auto& f = static_cast<dialog::FrmMain&>(form);
        EXPECT_EQ(f.lblTips.Caption(), u"Uncheck it to Exclude TextFrames, AutoShapes & Word Art Statistics");
        EXPECT_EQ(f.lblTips.FontSize(), 10);
    });
    start(u"countActiveSheet");
    EXPECT_EQ(user.remaining(), 0u);
    EXPECT_TRUE(user.ignoredActions().empty());
}

TEST_F(Statistics, CaptionsComeFromTheLanguageRow) {
    useHost({{u"a"}});
    shell::labelRow.assign(84, u"");
    for (std::size_t field = 73; field <= 83; ++field) shell::labelRow[field] = u"L" + dialog::decimalText(field);
    start(u"countActiveSheet");
    const forms::FormSnapshot& shot = firstShown();
    EXPECT_EQ(shot.text(u"lblWordsCap"), u"L73");
    EXPECT_EQ(shot.text(u"lblSheetsHiddenCap"), u"L77");
    EXPECT_EQ(shot.text(u"optActiveSheet"), u"L78");
    EXPECT_EQ(shot.text(u"optSelectedCells"), u"L80");
    EXPECT_EQ(shot.text(u"chkIncludeShapes"), u"L81");
    EXPECT_EQ(shot.text(u"btnCountManual"), u"L83");
    EXPECT_EQ(shot.text(u"ctrWords"), u"1");
}

TEST_F(Statistics, TotalsKeepTheirValuesAfterTheDialogCloses) {
    useHost({{u"a b c"}});
    start(u"countActiveSheet");
    EXPECT_FALSE(dialog::frmMainLoaded());
    EXPECT_EQ(tools::count::statisticsTotals.words, 3);
    EXPECT_EQ(tools::count::statisticsTotals.charsWithSpaces, 5);
    EXPECT_EQ(tools::count::statisticsTotals.sheetsVisible, 1);
}

}  // namespace
}  // namespace counttest
