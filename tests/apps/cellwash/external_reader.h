#pragma once
// Programs other than ours that read what cellwash writes: Debian's python3 with openpyxl,
// and LibreOffice headless. A test that needs one skips, saying why, when it is missing.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace cli_test {

struct Output {
    int status;
    std::string text;  // stdout and stderr together
};

inline Output shell(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "cannot start: " + command};
    std::string text;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) text.append(buffer.data(), n);
    const int raw = ::pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text};
}

inline std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

// The python3 that has openpyxl (the one on PATH may not).
inline const char* kPython = "/usr/bin/python3";

inline bool haveOpenpyxl() {
    static const bool found = shell(std::string(kPython) + " -c 'import openpyxl'").status == 0;
    return found;
}

inline bool haveLibreOffice() {
    static const bool found = shell("command -v soffice").status == 0;
    return found;
}

// A script under tests/scale.
inline std::string scaleScript(const std::string& name) {
    return std::string(kPython) + " " + quoted(std::filesystem::path(CW_SOURCE_DIR) / "tests" / "scale" / name);
}

// Every sheet of `book` as csv files named BOOK-SHEET.csv in `outDir`, by LibreOffice with a
// profile of its own there (so that runs beside each other do not meet).
inline Output exportSheetsWithLibreOffice(const std::filesystem::path& book, const std::filesystem::path& outDir) {
    return shell(
        "soffice -env:UserInstallation=file://" + (outDir / "profile").string() +
        " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1'"
        " --outdir " +
        quoted(outDir) + " " + quoted(book));
}

}  // namespace cli_test
