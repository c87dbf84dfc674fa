#include "files/office_convert.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "files/file_error.h"

namespace files {

namespace fs = std::filesystem;

ConvertedFile::~ConvertedFile() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
}

std::string findOfficeProgram() {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        for (const char* name : {"soffice", "libreoffice"}) {
            const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
            if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
        }
        start = end + 1;
    }
    return {};
}

ConvertedFile convertToXlsx(const std::string& path) {
    const std::string office = findOfficeProgram();
    if (office.empty())
        throw FileError(path,
                        "opening this kind of file needs LibreOffice; install the package libreoffice-calc-nogui");
    char pattern[] = "/tmp/cellwash-convert-XXXXXX";
    if (!::mkdtemp(pattern)) throw FileError(path, "no temporary folder could be made for converting it");
    const std::string folder = pattern;
    ConvertedFile result(folder, (fs::path(folder) / fs::path(path).filename()).replace_extension(".xlsx").string());
    // Its own profile folder, so that a running LibreOffice does not take the job over.
    const std::string profile = "-env:UserInstallation=file://" + folder + "/profile";
    std::vector<std::string> args = {office, "--headless", "--norestore", profile, "--convert-to",
                                     "xlsx", "--outdir",   folder,        path};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        !fs::exists(result.path()))
        throw FileError(path, "LibreOffice could not convert it to xlsx");
    return result;
}

}  // namespace files
