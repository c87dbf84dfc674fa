#pragma once
// Runs the plugsweep program on a Wine prefix in a temporary folder, without a
// terminal, and collects what it prints and how it ends.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

struct RunResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};

inline std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

inline RunResult runPlugsweep(const std::filesystem::path& prefix, const std::vector<std::string>& arguments) {
    std::string command = "WINEPREFIX=" + shellQuoted(prefix.string()) + " HOME=" + shellQuoted(prefix.string()) + " " +
                          shellQuoted(PLUGSWEEP_PATH);
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " </dev/null 2>&1";
    RunResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace testing_support
