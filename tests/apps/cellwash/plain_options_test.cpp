// Plain options end to end: each gives the tool's dialog the same settings and clicks as the
// --set/--click it stands for (same cells written, same message); a run always ends the dialog
// as asked; the selection as a user types it and columns by their header.
#include "cli_fixture.h"

namespace {

struct Pair {
    std::string tool, select, plain, dialog;
};

class PlainOptions : public Cli {
protected:
    // Runs the tool once with the plain options and once with the dialog's controls, each into
    // its own file; both must succeed and say the same thing.
    void expectSameRun(const Pair& p) {
        SCOPED_TRACE(p.tool + " " + p.plain);
        const auto a = runInto(p, p.plain, dir / "plain.xlsx");
        const auto b = runInto(p, p.dialog, dir / "dialog.xlsx");
        EXPECT_EQ(a["alerts"], b["alerts"]);
        EXPECT_EQ(a["figures"], b["figures"]);
        EXPECT_EQ(a["changed"], b["changed"]);
        EXPECT_EQ(a["dialog"], b["dialog"]);
        EXPECT_EQ(cellsOf(dir / "plain.xlsx"), cellsOf(dir / "dialog.xlsx"));
    }

    nlohmann::json runInto(const Pair& p, const std::string& options, const fs::path& file) {
        const auto r = run("run " + p.tool + " " + book().string() + " --select " + p.select + " " + options +
                           " --json -o " + file.string());
        EXPECT_EQ(r.status, 0) << options << "\n" << err() << r.out;
        return r.status == 0 ? json(r) : nlohmann::json{};
    }

    nlohmann::json cellsOf(const fs::path& file) {
        const auto r = run("show " + file.string() + " --sheet Customers --json");
        EXPECT_EQ(r.status, 0) << err();
        if (r.status != 0) return {};
        auto doc = json(r);
        return {doc["cells"], doc["sheets"], doc["shapes"]};
    }

    // The message the run's message window showed.
    std::string messageOf(const Result& r) {
        const auto report = json(r);
        return report["alerts"].empty() ? "" : report["alerts"].back()["message"].get<std::string>();
    }
};

TEST_F(PlainOptions, DuplicateModesGiveTheSameClicksAsTheOptionButtons) {
    for (const auto& [mode, control] : {std::pair{"entire-row", "optDelEntireIfBlank"},
                                        std::pair{"shift-up", "optDelEmptyCells"}, std::pair{"clear", "optDelEntire"}})
        expectSameRun({"remove-duplicates-keep-first", "A1:A10", std::string("--mode ") + mode,
                       std::string("--set ") + control + "=true"});
    expectSameRun({"remove-uniques-all", "B1:B10", "--mode clear", "--set optDelEntire=true"});
}

TEST_F(PlainOptions, TheDuplicateModesDoWhatTheirNamesSay) {
    ASSERT_EQ(run("run remove-duplicates-keep-first " + book().string() + " --select A1:A10 --mode clear -o " +
                  out().string())
                  .status,
              0)
        << err();
    EXPECT_EQ(columnA(out(), 10)[8], u"");  // row 9, the second "alan turing", left empty
    ASSERT_EQ(run("run remove-duplicates-keep-first " + book().string() + " --select A1:A10 --mode entire-row -o " +
                  out().string())
                  .status,
              0)
        << err();
    EXPECT_EQ(columnA(out(), 10)[8], u"Edsger  Dijkstra");  // row 9 deleted, row 10 moved up
}

TEST_F(PlainOptions, EmptyRowsAndColumnsOptions) {
    expectSameRun({"remove-rows", "B1:B10", "--mode any-empty --no-clean-spaces",
                   "--set optDelEntire=true --set chkCleanWhiteSpaces=false"});
    expectSameRun({"remove-rows", "A1:D10", "--mode entire-row --scope sheet",
                   "--set optDelEntireIfBlank=true --set chkRemoveAS=true"});
    expectSameRun({"remove-cols", "A1:D10", "--mode entire-column --clean-spaces",
                   "--set optDelEntireIfBlank=true --set chkCleanWhiteSpaces=true"});
}

TEST_F(PlainOptions, TextCleanerOptions) {
    expectSameRun({"remove-ud", "A1:C10", "--chars @.", "--set txtUserDefinedChars=@."});
    expectSameRun({"remove-ud", "A1:C10", "--non-printable", "--set CheckBox5=true"});
    expectSameRun({"rem-x-chars-after-x-chars", "C1:C10", "--start 1 --search @ --count 3",
                   "--set txtStartPos=1 --set txtNthChars=@ --set txtNoOfChars=3"});
    expectSameRun({"rem-all-chars-after-x-chars", "C1:C10", "--search @ --replace '(at)'",
                   "--set txtNthChars=@ --set chkReplaceChars=true --set 'txtReplaceChars=(at)'"});
    expectSameRun({"rem-before-x-chars", "A1:A10", "--count 2", "--set txtNoOfChars=2"});
}

TEST_F(PlainOptions, ColouringAndTransposeOptions) {
    expectSameRun({"color-nth-row", "A1:D10", "--nth 3 --colour grey-50", "--set txtNthRow=3 --click lblGrey50"});
    expectSameRun({"color-duplicate-rows", "A1:A10", "--colour light-yellow", "--click lblLightYellow"});
    expectSameRun({"transpose-rows-to-column", "A1:A10", "--rows 4", "--set txtNthRow=4"});
}

TEST_F(PlainOptions, CountAndObjectOptions) {
    expectSameRun({"count-active-sheet", "A1:D10", "--scope workbook --shapes",
                   "--set optActiveWorkbook=true --set chkIncludeShapes=true"});
    expectSameRun({"count-duplicates", "A1:A10", "--entries unique", "--set optCountUnique=true"});
    expectSameRun({"remove-objects", "A1:D10", "--scope sheet --only comments",
                   "--set optDelEntireIfBlank=true --set chkCleanWhiteSpaces=true"});
    expectSameRun({"remove-sheets", "A1:D10", "--include-hidden", "--set chkCleanWhiteSpaces=true"});
    expectSameRun({"btnDupPreventer_30", "A1:A10", "--preventer off --no-whole-column",
                   "--set optDeAct=true --set chkSelCol=false"});
}

TEST_F(PlainOptions, TheColourIsChosenByNameOrIndex) {
    for (const std::string colour : {"grey-50", "Gray-50", "48"}) {
        const auto r = run("run color-duplicate-rows " + book().string() + " --select A1:A10 --colour " + colour +
                           " --json -o " + out().string());
        ASSERT_EQ(r.status, 0) << colour << err();
        const auto shown = json(run("show " + out().string() + " --json"));
        std::vector<std::string> filled;
        for (const auto& cell : shown["cells"])
            if (cell.value("fill", 0) == 48) filled.push_back(cell["address"]);
        EXPECT_EQ(filled, (std::vector<std::string>{"A3", "A9"})) << colour;  // "alan turing" twice
    }
    const auto list = run("run color-nth-row --colour list");
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("grey-50        48  Grey 50 %  (--click lblGrey50)"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("light-yellow   36"), std::string::npos) << list.out;
    const auto bad = run("run color-nth-row " + book().string() + " --colour mauve");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(err().find("--colour \"mauve\" is not a colour of the palette"), std::string::npos) << err();
}

TEST_F(PlainOptions, AClickIsFollowedByYes) {
    // A swatch click alone used to close the dialog unanswered: nothing done, exit 0.
    const auto r = run("run color-nth-row " + book().string() + " --select A1:D10 --click lblGrey50 --json");
    ASSERT_EQ(r.status, 0) << err();
    EXPECT_EQ(messageOf(r), "Every 2 Row is colored in Your Selection");
    EXPECT_GT(json(r)["changed"]["cells"].get<int>(), 0);
    const auto no = run("run color-nth-row " + book().string() + " --select A1:D10 --click lblGrey50 --no");
    EXPECT_EQ(no.status, 0) << err();
    EXPECT_NE(no.out.find("answered No: the tool did not run"), std::string::npos) << no.out;
    EXPECT_NE(no.out.find("changed: 0 cell(s)\n"), std::string::npos) << no.out;
}

TEST_F(PlainOptions, ADialogLeftOpenAfterYesExitsOneAndSaysSo) {
    // The count page has no Yes step: pressing Yes there leaves the dialog up.
    const std::string before = slurp(book());
    const auto r = run("run count-active-sheet " + book().string() + " --click cmdYes --in-place --json");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(err().find("cellwash: the dialog was still open after Yes was pressed; nothing was written"),
              std::string::npos)
        << err();
    EXPECT_EQ(json(r)["unfinished"], "the dialog was still open after Yes was pressed; nothing was written");
    EXPECT_TRUE(json(r)["written"].is_null());
    EXPECT_EQ(slurp(book()), before);
}

TEST_F(PlainOptions, ARefusalOfWhatTheDialogHeldExitsOne) {
    const auto r = run("run color-nth-row " + book().string() + " --select A1:D10 --nth 0 --json -o " + out().string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(messageOf(r), "Nth Row must be a whole number of 1 or more");
    EXPECT_FALSE(fs::exists(out()));
    const auto greyed = run("undo " + book().string());
    EXPECT_EQ(greyed.status, 1);
    EXPECT_NE(err().find("\"Undo\" is greyed out on the ribbon"), std::string::npos) << err();
}

TEST_F(PlainOptions, OptionsTheDialogDoesNotShowAreUsageErrors) {
    struct Case {
        std::string arguments, says;
    };
    const Case cases[] = {
        {"remove-duplicates-keep-first --mode all",
         "--mode of remove-duplicates-keep-first takes entire-row|shift-up|clear, not \"all\""},
        {"remove-duplicates-keep-first --nth 3",
         "--nth is not an option of remove-duplicates-keep-first (its plain options: --mode;"},
        {"color-nth-row --nth three", "--nth takes a whole number, not \"three\""},
        {"remove-numbers --replace x", "--replace is not an option of remove-numbers (its plain options: none;"},
    };
    for (const auto& c : cases) {
        const auto r = run("run " + c.arguments.substr(0, c.arguments.find(' ')) + " " + book().string() +
                           c.arguments.substr(c.arguments.find(' ')) + " -o " + out().string());
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_NE(err().find(c.says), std::string::npos) << err();
        EXPECT_FALSE(fs::exists(out()));
    }
}

TEST_F(PlainOptions, ToolHelpListsThePlainOptionsBesideTheDialogsCaptions) {
    const auto help = run("run remove-duplicates-keep-first --help");
    ASSERT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--mode entire-row          Delete Entrie Row (If duplicate Found)\n"
                            "                             = --set optDelEntireIfBlank=true"),
              std::string::npos)
        << help.out;
    EXPECT_NE(help.out.find("--mode clear               Delete Duplicate Text Entry (Leave Empty Cell)"),
              std::string::npos)
        << help.out;
    const auto positional = run("run rem-x-chars-after-x-chars --help");
    EXPECT_NE(positional.out.find("--count N                  No. of Characters :"), std::string::npos)
        << positional.out;
    EXPECT_NE(positional.out.find("= --set chkReplaceChars=true --set txtReplaceChars=TEXT"), std::string::npos);
}

TEST_F(PlainOptions, TheSelectionAsAUserTypesIt) {
    const auto whole = [&](const std::string& select) {
        const auto r = run("run change-to-upper-case " + book().string() + " --select " + select + " --json");
        EXPECT_EQ(r.status, 0) << select << err();
        return r.status == 0 ? json(r)["changed"]["cells"].get<int>() : -1;
    };
    EXPECT_EQ(whole("B:B"), whole("B1:B10"));
    EXPECT_EQ(whole("B"), whole("B1:B10"));
    EXPECT_EQ(whole("2:3"), whole("A2:D3"));
    EXPECT_EQ(whole("'A1:A3, B5'"), whole("A1:A3") + whole("B5"));
    const auto bad = run("run change-to-upper-case " + book().string() + " --select A1:");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(err().find("--select \"A1:\" is not an address such as B2:B40, A:A, 2:10 or A1:B9,D4"),
              std::string::npos);
}

TEST_F(PlainOptions, AColumnByItsHeaderSelectsTheCellsUnderIt) {
    const auto byHeader = run("run change-to-upper-case " + book().string() + " --column city -o " + out().string());
    ASSERT_EQ(byHeader.status, 0) << err();
    const auto byAddress =
        run("run change-to-upper-case " + book().string() + " --select B2:B10 -o " + (dir / "b.xlsx").string());
    ASSERT_EQ(byAddress.status, 0) << err();
    EXPECT_EQ(slurp(dir / "stderr.txt"), "");
    EXPECT_EQ(json(run("show " + out().string() + " --json"))["cells"],
              json(run("show " + (dir / "b.xlsx").string() + " --json"))["cells"]);
    EXPECT_NE(slurp(out()).size(), 0u);
    EXPECT_EQ(json(run("show " + out().string() + " --range B1 --json"))["cells"][0]["value"],
              "City");  // the header stays
}

TEST_F(PlainOptions, AnUnknownOrAmbiguousHeaderIsAUsageErrorListingTheHeaders) {
    const auto unknown = run("run change-to-upper-case " + book().string() + " --column Mail");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(err().find("--column \"Mail\" names no column; the headers in row 1: A \"Name\", B \"City\", "
                         "C \"Email\", D \"Orders\""),
              std::string::npos)
        << err();
    ASSERT_EQ(run("type " + book().string() + " D1 NAME --in-place").status, 0) << err();
    const auto ambiguous = run("run change-to-upper-case " + book().string() + " --column name");
    EXPECT_EQ(ambiguous.status, 2);
    EXPECT_NE(err().find("--column \"name\" names 2 columns; the headers in row 1: A \"Name\""), std::string::npos)
        << err();
    const auto both = run("run change-to-upper-case " + book().string() + " --column City --select A1");
    EXPECT_EQ(both.status, 2);
}

}  // namespace
