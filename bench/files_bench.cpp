// Workbook files benchmark: a 1,048,576-row x 4-column xlsx (shared strings, numbers, a
// formula column) loaded into the engine and saved again, with the peak memory the load
// took, beside LibreOffice's own time to convert the same file to csv when it is installed.
// Prints "name: value unit" lines.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "files/engine_binding.h"
#include "files/office_convert.h"
#include "files/xlsx_reader.h"
#include "files/zip_archive.h"
#include "host/embedded/embedded_application.h"
#include "host/text.h"

namespace {

constexpr long kRows = 1048576;
constexpr long kColumns = 4;

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Reading into a sink that keeps nothing: the file layer's own speed, without the engine.
class DiscardingBook : public files::BookSink, public files::SheetSink {
public:
    files::SheetSink& addSheet(const std::u16string&, int, int) override { return *this; }
    void setActiveSheet(size_t) override {}
    void setFileData(std::shared_ptr<files::FileData>) override {}
    void setCell(long, long, files::Cell) override { ++cells; }
    void enterText(long, long, const std::u16string&) override {}
    void setSelection(std::vector<files::Area>, long, long) override {}
    void addValidation(files::ValidationRule) override {}
    void addDrawing(files::DrawingObject) override {}
    long cells = 0;
};

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Writes the benchmark workbook; returns the size of its cell XML in bytes.
size_t makeWorkbook(const std::string& path) {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::string sheet = "<worksheet xmlns=\"" + main + "\"><sheetData>";
    sheet.reserve(static_cast<size_t>(kRows) * 120);
    char line[256];
    for (long r = 1; r <= kRows; ++r) {
        const double amount = static_cast<double>(r % 9973) * 1.25;
        std::snprintf(line, sizeof line,
                      "<row r=\"%ld\"><c r=\"A%ld\" t=\"s\"><v>%ld</v></c><c r=\"B%ld\"><v>%ld</v></c>"
                      "<c r=\"C%ld\"><v>%.2f</v></c><c r=\"D%ld\"><f>B%ld*C%ld</f><v>%.2f</v></c></row>",
                      r, r, r % 5000, r, r, r, amount, r, r, r, amount * static_cast<double>(r));
        sheet += line;
    }
    sheet += "</sheetData></worksheet>";
    std::string strings = "<sst xmlns=\"" + main + "\" count=\"" + std::to_string(kRows) + "\" uniqueCount=\"5000\">";
    for (int i = 0; i < 5000; ++i) strings += "<si><t>customer " + std::to_string(i) + "</t></si>";
    strings += "</sst>";
    const size_t cellBytes = sheet.size();
    files::ZipWriter zip;
    zip.add("[Content_Types].xml",
            "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
            "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
            "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
            "</Types>");
    zip.add("_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                           "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.add("xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                               "<sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    zip.add("xl/_rels/workbook.xml.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
            "<Relationship Id=\"rId2\" Type=\"" + rel + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
    zip.add("xl/worksheets/sheet1.xml", std::move(sheet), true);
    zip.add("xl/sharedStrings.xml", std::move(strings));
    const std::string bytes = zip.close();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return cellBytes;
}

// LibreOffice converting the same file to csv, in seconds; negative when it is not installed.
double officeSeconds(const std::string& path, const std::string& folder) {
    const std::string office = files::findOfficeProgram();
    if (office.empty()) return -1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        const std::string profile = "-env:UserInstallation=file://" + folder + "/profile";
        execl(office.c_str(), office.c_str(), "--headless", "--norestore", profile.c_str(), "--convert-to", "csv",
              "--outdir", folder.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds(start) : -1;
}

}  // namespace

void runFilesBench() {
    char pattern[] = "/tmp/cellwash-files-bench-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const std::string input = folder + "/bench.xlsx", output = folder + "/saved.xlsx";
    const size_t cellBytes = makeWorkbook(input);
    const double cells = static_cast<double>(kRows * kColumns);

    auto start = std::chrono::steady_clock::now();
    DiscardingBook discarding;
    files::readXlsx(input, discarding);
    const double parse = seconds(start);

    auto app = host::embedded::EmbeddedApplication::create();
    const long before = peakKilobytes();
    double cpu = cpuSeconds();
    start = std::chrono::steady_clock::now();
    auto book = files::openWorkbook(*app, host::utf16(input));
    const double load = seconds(start);
    const double loadCpu = cpuSeconds() - cpu;
    const long loadPeak = peakKilobytes() - before;
    cpu = cpuSeconds();
    start = std::chrono::steady_clock::now();
    files::saveWorkbook(*book, host::utf16(output));
    const double save = seconds(start);
    const double saveCpu = cpuSeconds() - cpu;
    book.reset();

    bench::report("xlsx_read_without_engine_rate", cells / parse / 1e6, "Mcells/s");
    bench::report("xlsx_load_4M_cells", load, "s");
    bench::report("xlsx_load_cpu", loadCpu, "s");
    bench::report("xlsx_load_rate", cells / load / 1e6, "Mcells/s");
    bench::report("xlsx_save_4M_cells", save, "s");
    bench::report("xlsx_save_cpu", saveCpu, "s");
    bench::report("xlsx_save_rate", cells / save / 1e6, "Mcells/s");
    bench::report("xlsx_cell_xml", static_cast<double>(cellBytes) / 1e6, "MB");
    bench::report("xlsx_load_peak_memory", static_cast<double>(loadPeak) / 1024.0, "MB");
    bench::report("xlsx_load_peak_per_cell_xml", static_cast<double>(loadPeak) * 1024.0 / static_cast<double>(cellBytes), "x");
    const double office = officeSeconds(input, folder);
    if (office >= 0) bench::report("libreoffice_convert_to_csv", office, "s");
    else std::printf("libreoffice_convert_to_csv: not installed\n");
    if (!std::getenv("CW_BENCH_KEEP")) std::filesystem::remove_all(folder);
    else std::printf("kept %s\n", input.c_str());
}
