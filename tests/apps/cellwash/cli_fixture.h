#pragma once
// The cellwash binary under test: run it on a copy of the example workbook in a folder of
// the test's own, capture stdout, stderr and the exit status, and read written files back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "files/engine_binding.h"
#include "host/text.h"

namespace fs = std::filesystem;

namespace cli_test {

struct Result {
    int status;
    std::string out;
};

// Runs cellwash with the arguments; stdout is captured, stderr goes to a file beside it.
inline Result cellwash(const std::string& arguments, const fs::path& errFile) {
    const std::string command = std::string(CELLWASH_BINARY) + " " + arguments + " 2>" + errFile.string();
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    const int raw = ::pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, out};
}

inline std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("cw_cli_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        fs::copy_file(fs::path(CW_SOURCE_DIR) / "examples" / "customers.xlsx", book());
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path book() const { return dir / "customers.xlsx"; }
    fs::path out() const { return dir / "out.xlsx"; }
    Result run(const std::string& arguments) { return cellwash(arguments, dir / "stderr.txt"); }
    std::string err() const { return slurp(dir / "stderr.txt"); }
    nlohmann::json json(const Result& r) { return nlohmann::json::parse(r.out); }

    // Column A of the written file's first sheet, rows 1..n.
    std::vector<std::u16string> columnA(const fs::path& file, long rows) {
        auto written = files::openWorkbook(host::utf16(file.string()));
        auto sheet = written->sheetNamed(u"Customers");
        std::vector<std::u16string> values;
        for (long r = 1; r <= rows; ++r) values.push_back(sheet->valueAt(r, 1).toText());
        return values;
    }

    fs::path dir;
};

}  // namespace cli_test

using cli_test::Cli;
using cli_test::Result;
using cli_test::slurp;
