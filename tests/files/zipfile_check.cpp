#include "zipfile_check.h"

#include <cstdio>

namespace files::test {

std::string zipfileCheck(const std::string& archive) {
    const std::string check =
        "/usr/bin/python3 -c \"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
        "print(z.testzip(), [i.compress_type for i in z.infolist()])\" " +
        archive;
    FILE* pipe = ::popen(check.c_str(), "r");
    if (!pipe) return "";
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    ::pclose(pipe);
    return read ? line : "";
}

}  // namespace files::test
