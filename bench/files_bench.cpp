// Workbook files benchmark: a 1,048,576-row x 4-column xlsx (shared strings, numbers, a
// formula column) loaded into the engine and saved again, with the peak memory the load
// took, beside LibreOffice's own time to convert the same file to csv when it is installed.
// Then hostile files: 256 MiB of whitespace between the rows of a sheet (read with the bound
// on inflation lifted, to time the reading itself) and a 4 MiB archive whose sheet inflates
// to 4 GiB, refused. Prints "name: value unit" lines.
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "files/engine_binding.h"
#include "files/file_error.h"
#include "files/office_convert.h"
#include "files/xlsx_reader.h"
#include "files/zip_archive.h"
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
            "<Override PartName=\"/xl/workbook.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
            "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
            "<Override PartName=\"/xl/sharedStrings.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
            "</Types>");
    zip.add("_rels/.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" +
                rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.add("xl/workbook.xml", "<workbook xmlns=\"" + main +
                                   "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                   "<sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    zip.add("xl/_rels/workbook.xml.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" +
                rel +
                "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                "<Relationship Id=\"rId2\" Type=\"" +
                rel + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>");
    zip.add("xl/worksheets/sheet1.xml", std::move(sheet), true);
    zip.add("xl/sharedStrings.xml", std::move(strings));
    const std::string bytes = zip.close();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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

// Linux lets a process restart its peak resident size ("VmHWM") from the present one.
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    return static_cast<bool>(clear);
}

long statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + field.size());
    return 0;
}

long residentKilobytes() { return statusKilobytes("VmRSS:"); }

// A workbook whose one sheet holds `spaces` bytes of whitespace between its two rows.
void makeWhitespaceWorkbook(const std::string& path, size_t spaces) {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::string sheet = "<worksheet xmlns=\"" + main + "\"><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";
    sheet.append(spaces, ' ');
    sheet += "<row r=\"2\"><c r=\"A2\"><v>2</v></c></row></sheetData></worksheet>";
    files::ZipWriter zip;
    zip.add("[Content_Types].xml",
            "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>");
    zip.add("_rels/.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" +
                rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.add("xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel +
                                   "\">"
                                   "<sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    zip.add("xl/_rels/workbook.xml.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" +
                rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>");
    zip.add("xl/worksheets/sheet1.xml", std::move(sheet), true);
    const std::string bytes = zip.close();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The tests' generator of hostile workbooks writes the 4 GiB bomb as a 4 MiB archive.
bool makeBomb(const std::string& path) {
    const std::filesystem::path script =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "tests/apps/cellwash/hostile_xlsx.py";
    if (!std::filesystem::exists("/usr/bin/python3") || !std::filesystem::exists(script)) return false;
    const std::string command = "/usr/bin/python3 " + script.string() + " " + path + " --size 4G";
    return std::system(command.c_str()) == 0;
}

void runHostileBench(const std::string& folder) {
    const std::string whitespace = folder + "/whitespace.xlsx";
    makeWhitespaceWorkbook(whitespace, 256u << 20);
    files::InflateLimits admitting;
    admitting.maxRatio = 0;
    DiscardingBook discarding;
    malloc_trim(0);  // what earlier runs freed would otherwise hide what this one takes
    const bool peakReset = resetPeak();
    const long before = residentKilobytes();
    const double load = bench::secondsOf([&] { files::readXlsx(whitespace, discarding, admitting); });
    bench::report("hostile_whitespace_256MiB_load", load, "s");
    if (peakReset)
        bench::report("hostile_whitespace_256MiB_load_added_memory",
                      static_cast<double>(statusKilobytes("VmHWM:") - before) / 1024.0, "MB");
    std::filesystem::remove(whitespace);

    const std::string bomb = folder + "/bomb.xlsx";
    if (!makeBomb(bomb)) {
        std::printf("zip_bomb_4GiB_refusal: /usr/bin/python3 or the generator is missing\n");
        return;
    }
    bool refused = false;
    const double refusal = bench::secondsOf([&] {
        try {
            files::openWorkbook(host::utf16(bomb));
        } catch (const files::FileError&) {
            refused = true;
        }
    });
    if (refused)
        bench::report("zip_bomb_4GiB_refusal", refusal, "s");
    else
        std::printf("zip_bomb_4GiB_refusal: the bomb was not refused\n");
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

    const long before = peakKilobytes();
    double cpu = cpuSeconds();
    start = std::chrono::steady_clock::now();
    auto book = files::openWorkbook(host::utf16(input));
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
    bench::report("xlsx_load_peak_per_cell_xml",
                  static_cast<double>(loadPeak) * 1024.0 / static_cast<double>(cellBytes), "x");
    const double office = officeSeconds(input, folder);
    if (office >= 0)
        bench::report("libreoffice_convert_to_csv", office, "s");
    else
        std::printf("libreoffice_convert_to_csv: not installed\n");
    runHostileBench(folder);
    if (!std::getenv("CW_BENCH_KEEP"))
        std::filesystem::remove_all(folder);
    else
        std::printf("kept %s\n", input.c_str());
}
