#include "registry/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace registry {

namespace {

std::string systemError(const std::string& what, const std::filesystem::path& file) {
    return "cannot " + what + " " + file.string() + ": " + std::strerror(errno);
}

bool writeAll(int fd, const std::string& text) {
    for (size_t written = 0; written < text.size();) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

// The new file takes the old one's mode and owner (the prefix's user, under sudo).
void takeOver(int fd, const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) { /* not ours to give away: it stays ours */ }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
}

}  // namespace

std::string replaceFileContent(const std::filesystem::path& file, const std::string& text) {
    std::error_code error;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(file, error)) target = std::filesystem::canonical(file, error);
    if (error) target = file;
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();

    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return systemError("write", file);
    std::string problem;
    if (!writeAll(fd, text)) problem = systemError("write", temp);
    if (problem.empty()) takeOver(fd, target);
    if (problem.empty() && ::fsync(fd) != 0) problem = systemError("write", temp);
    if (::close(fd) != 0 && problem.empty()) problem = systemError("write", temp);
    if (problem.empty() && ::rename(temp.c_str(), target.c_str()) != 0) problem = systemError("replace", target);
    if (!problem.empty()) ::unlink(temp.c_str());
    return problem;
}

}  // namespace registry
