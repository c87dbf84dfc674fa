// What a save through the binary keeps: the target's mode, read-only files, links, the
// user's sheet with everything it had, the selected tab; and what runs that ended abruptly
// leave behind is cleaned.
#include <signal.h>
#include <sys/stat.h>

#include "cli_fixture.h"

namespace fs = std::filesystem;

namespace {

unsigned modeOf(const fs::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}

// Entries of `folder` whose names start with ".~": temporaries of a save.
std::vector<std::string> temporariesIn(const fs::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind(".~", 0) == 0) found.push_back(entry.path().filename().string());
    return found;
}

bool haveOpenpyxl() { return std::system("/usr/bin/python3 -c 'import openpyxl' >/dev/null 2>&1") == 0; }

// Runs a Python script with `dir` as its working folder; returns its stdout.
std::string python(const fs::path& dir, const std::string& script) {
    const fs::path file = dir / "script.py";
    std::ofstream(file) << script;
    const std::string command = "cd '" + dir.string() + "' && /usr/bin/python3 script.py 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

using Saving = Cli;

TEST_F(Saving, InPlaceAndOntoAnExistingFileKeepTheirMode) {
    ::chmod(book().c_str(), 0600);
    ASSERT_EQ(run("run remove-extra-spaces " + book().string() + " --select A2:A10 --in-place").status, 0) << err();
    EXPECT_EQ(modeOf(book()), 0600u);
    fs::copy_file(book(), out());
    ::chmod(out().c_str(), 0640);
    ASSERT_EQ(run("run remove-numbers " + book().string() + " --select A2:A10 -o " + out().string()).status, 0)
        << err();
    EXPECT_EQ(modeOf(out()), 0640u);
    EXPECT_EQ(temporariesIn(dir), std::vector<std::string>{});
}

TEST_F(Saving, AReadOnlyTargetIsRefusedWithExit3AndLeftAlone) {
    ::chmod(book().c_str(), 0444);
    const std::string before = slurp(book());
    auto r = run("run remove-extra-spaces " + book().string() + " --select A2:A10 --in-place");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(err(), "cellwash: " + book().string() + ": cannot write it: the file is read-only\n");
    EXPECT_EQ(slurp(book()), before);
    EXPECT_EQ(modeOf(book()), 0444u);

    std::ofstream(out()) << "someone's file";
    ::chmod(out().c_str(), 0444);
    r = run("run remove-extra-spaces " + book().string() + " --select A2:A10 -o " + out().string());
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(slurp(out()), "someone's file");
    EXPECT_EQ(temporariesIn(dir), std::vector<std::string>{});
}

TEST_F(Saving, ALinkedWorkbookIsUpdatedThroughItsLink) {
    fs::create_directories(dir / "store");
    fs::rename(book(), dir / "store" / "customers.xlsx");
    fs::create_symlink("store/customers.xlsx", book());
    const std::string before = slurp(dir / "store" / "customers.xlsx");
    ASSERT_EQ(run("run remove-extra-spaces " + book().string() + " --select A2:A10 --in-place").status, 0) << err();
    EXPECT_TRUE(fs::is_symlink(book()));
    EXPECT_NE(slurp(dir / "store" / "customers.xlsx"), before);
    EXPECT_EQ(columnA(dir / "store" / "customers.xlsx", 2)[1], u"Ada Lovelace");
}

TEST_F(Saving, TemporariesAndAddinFoldersOfEndedRunsAreRemovedByTheNext) {
    const std::string ended = std::to_string(endedProcess());
    std::ofstream(dir / (".~out.xlsx." + ended + ".tmp")) << "half a workbook";
    std::ofstream(dir / (".~out.xlsx." + ended + ".tmp.q1W2e3")) << "half a zip";
    const fs::path folder = fs::temp_directory_path() / ("cellwash-addin-" + ended + "-77");
    fs::create_directories(folder);
    std::ofstream(folder / "sample.xls") << "copy";
    ASSERT_EQ(run("run remove-extra-spaces " + book().string() + " --select A2:A10 -o " + out().string()).status, 0)
        << err();
    EXPECT_EQ(temporariesIn(dir), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(folder));
}

// Interrupted at any moment, a save leaves either no output or a whole one, and no temporary.
TEST_F(Saving, AnInterruptedSaveLeavesNoTemporaryAndNoBrokenOutput) {
    for (const int delayMs : {50, 150, 300, 500, 800, 1200}) {
        const std::string command = std::string(CELLWASH_BINARY) + " run remove-extra-spaces " + book().string() +
                                    " --select A2:A10 -o " + out().string() + " >/dev/null 2>&1";
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::usleep(static_cast<useconds_t>(delayMs) * 1000);
        ::kill(child, delayMs % 2 ? SIGINT : SIGTERM);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(temporariesIn(dir), std::vector<std::string>{}) << "killed after " << delayMs << " ms";
        if (fs::exists(out())) {
            EXPECT_EQ(columnA(out(), 2)[1], u"Ada Lovelace") << "killed after " << delayMs << " ms";
            fs::remove(out());
        }
    }
}

TEST_F(Saving, TheUsersSheetKeepsItsHyperlinksAndChartAndIsTheSelectedTab) {
    if (!haveOpenpyxl()) GTEST_SKIP() << "needs Debian's python3-openpyxl";
    python(dir, R"(
import openpyxl
from openpyxl.chart import BarChart, Reference
wb = openpyxl.Workbook(); ws = wb.active; ws.title = 'Main'
for i in range(1, 11):
    ws.cell(i, 1, f'  item   {i} '); ws.cell(i, 2, i * 3)
ws['C1'] = 'link'; ws['C1'].hyperlink = 'https://example.org/a'
chart = BarChart(); chart.add_data(Reference(ws, min_col=2, min_row=1, max_row=10)); ws.add_chart(chart, 'E2')
wb.create_sheet('Other')['A1'] = 'other'
wb.save('links.xlsx')
)");
    ASSERT_EQ(run("run remove-extra-spaces " + (dir / "links.xlsx").string() + " --select A1:A10 -o " + out().string())
                  .status,
              0)
        << err();
    const std::string seen = python(dir, R"(
import openpyxl
wb = openpyxl.load_workbook('out.xlsx')
for ws in wb:
    link = ws['C1'].hyperlink.target if ws['C1'].hyperlink else None
    print(ws.title, ws.sheet_state, bool(ws.sheet_view.tabSelected), link, len(ws._charts), repr(ws['A1'].value))
print('active', wb.active.title)
)");
    EXPECT_EQ(seen,
              "Main_Undo hidden False None 0 '  item   1 '\n"
              "Main visible True https://example.org/a 1 'item 1'\n"
              "Other visible False None 0 'other'\n"
              "active Main\n");
}

// A book that kept its texts in the cells (openpyxl writes them so) is saved the same way,
// without a shared string table, and what openpyxl reads back is every text as it was, spaces,
// markup characters, an escape form (openpyxl writes "_x0041_" as it is, which both readers
// take for "A") and text outside the basic plane included. A book that had a table keeps one.
TEST_F(Saving, TextsStayInTheCellsWhereTheBookKeptThemThere) {
    if (!haveOpenpyxl()) GTEST_SKIP() << "needs Debian's python3-openpyxl";
    python(dir, R"(
import openpyxl
wb = openpyxl.Workbook(); ws = wb.active; ws.title = 'Main'
texts = ['  two  spaces ', 'a < b & c > "d"', 'literal _x0041_ form', 'caf\u00e9 \U0001F600', 'line\nbreak', 'plain']
for i, t in enumerate(texts, 1):
    ws.cell(i, 1, t); ws.cell(i, 2, t)
wb.save('inline.xlsx')
)");
    ASSERT_EQ(run("run change-to-upper-case " + (dir / "inline.xlsx").string() + " --select A1:A6 -o " + out().string())
                  .status,
              0)
        << err();
    EXPECT_FALSE(files::ZipReader(out().string(), {}).contains("xl/sharedStrings.xml"));
    const std::string seen = python(dir, R"(
import openpyxl
wb = openpyxl.load_workbook('out.xlsx')
for ws in wb:
    print(ws.title, [(ws.cell(i, 1).value, ws.cell(i, 2).value) for i in range(1, 7)])
)");
    EXPECT_EQ(seen,
              "Main_Undo [('  two  spaces ', '  two  spaces '), ('a < b & c > \"d\"', 'a < b & c > \"d\"'), "
              "('literal A form', 'literal A form'), ('caf\u00e9 \U0001F600', 'caf\u00e9 \U0001F600'), "
              "('line\\nbreak', 'line\\nbreak'), ('plain', 'plain')]\n"
              "Main [('TWO SPACES', '  two  spaces '), ('A < B & C > \"D\"', 'a < b & c > \"d\"'), "
              "('LITERAL A FORM', 'literal A form'), ('CAF\u00c9 \U0001F600', 'caf\u00e9 \U0001F600'), "
              "('LINE\\nBREAK', 'line\\nbreak'), ('PLAIN', 'plain')]\n");

    const fs::path shared = dir / "shared.xlsx";
    fs::copy_file(fs::path(CW_SOURCE_DIR) / "tests" / "files" / "data" / "xlsxwriter" / "book.xlsx", shared);
    fs::remove(out());
    ASSERT_EQ(run("run change-to-upper-case " + shared.string() + " --select A1:C9 -o " + out().string()).status, 0)
        << err();
    files::ZipReader written(out().string(), {});
    ASSERT_TRUE(written.contains("xl/sharedStrings.xml"));
    EXPECT_EQ(written.read("xl/worksheets/sheet1.xml").find("inlineStr"), std::string::npos);
}

}  // namespace
