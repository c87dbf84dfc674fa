#include "base/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace fs = std::filesystem;

namespace base {

namespace {

// Temporaries are named ".~NAME.PID.tmp" so that a later run can tell whose they were.
constexpr std::string_view kPrefix = ".~";
constexpr std::string_view kSuffix = ".tmp";

[[noreturn]] void fail(const std::string& what, const fs::path& file, int error = errno) {
    throw FileWriteError(file, what, std::strerror(error));
}

// The file a chain of symbolic links ends at (which need not exist yet).
fs::path resolveLinks(fs::path file) {
    std::error_code error;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(file, error)); ++hops) {
        if (hops == 40) fail("follow the links of", file, ELOOP);
        const fs::path next = fs::read_symlink(file, error);
        if (error) fail("follow the link", file, error.value());
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    return file;
}

// --- the temporary in progress, reachable from a signal handler (one replacement at a time:
// the programs save one file after another) ---
constexpr size_t kMaxPath = 4096;
std::array<char, kMaxPath> pendingPath{};
std::atomic<bool> pending{false};

void onSignal(int number) {
    if (pending.load()) ::unlink(pendingPath.data());
    ::signal(number, SIG_DFL);
    ::raise(number);
}

class PendingTemporary {
public:
    explicit PendingTemporary(const fs::path& file) : file_(file) {
        const std::string& text = file.native();
        if (text.size() < kMaxPath) {
            std::memcpy(pendingPath.data(), text.c_str(), text.size() + 1);
            pending.store(true);
        }
    }
    ~PendingTemporary() {
        pending.store(false);
        if (!kept_) ::unlink(file_.c_str());
    }
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;
    void keep() { kept_ = true; }

private:
    fs::path file_;
    bool kept_ = false;
};

void refuseReadOnly(const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return;  // a new file
    if (S_ISDIR(st.st_mode)) throw FileWriteError(target, "write", "it is a folder, not a file");
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0)
        throw FileWriteError(target, "write", "the file is read-only");
}

// The temporary takes the target's mode and owner, or a new file's mode under the umask.
void takeOver(int fd, const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) { /* not ours to give away: it stays ours */
        }
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

void syncFile(const fs::path& file, const fs::path& target) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) fail("write", target);
    takeOver(fd, target);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced) fail("write", target, error);
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems cannot sync a folder; the rename has happened either way
    ::close(fd);
}

// The temporary exists before any content reaches it, readable by its owner only until it
// takes the target's mode: a private workbook is never briefly readable by others.
void createPrivately(const fs::path& temporary, const fs::path& target) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) fail("write", target);
    ::fchmod(fd, 0600);
    ::close(fd);
}

// The PID in ".~NAME.PID.tmp" or ".~NAME.PID.tmp.XXXXXX", or 0 when the name is not a temporary's.
long ownerOf(const std::string& name) {
    if (name.rfind(kPrefix, 0) != 0) return 0;
    const size_t suffix = name.rfind(kSuffix);
    if (suffix == std::string::npos) return 0;
    const size_t dot = name.rfind('.', suffix - 1);
    if (dot == std::string::npos || dot + 1 >= suffix || dot < kPrefix.size()) return 0;
    long pid = 0;
    for (size_t i = dot + 1; i < suffix; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 1'000'000'000) return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

}  // namespace

bool processHasEnded(long pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

void replaceFile(const fs::path& requested, const std::function<void(const fs::path&)>& write) {
    const fs::path target = resolveLinks(requested);
    refuseReadOnly(target);
    removeStaleTemporaries(target.parent_path());
    const fs::path temporary = target.parent_path() / (std::string(kPrefix) + target.filename().string() + "." +
                                                       std::to_string(::getpid()) + std::string(kSuffix));
    PendingTemporary guard(temporary);
    createPrivately(temporary, target);
    write(temporary);
    syncFile(temporary, target);
    if (::rename(temporary.c_str(), target.c_str()) != 0) fail("replace", target);
    guard.keep();
    syncFolder(target.parent_path());
}

void replaceFileContent(const fs::path& target, std::string_view content) {
    replaceFileContentPieceByPiece(target, [&](const std::function<void(std::string_view)>& write) { write(content); });
}

void replaceFileContentPieceByPiece(const fs::path& target,
                                    const std::function<void(const std::function<void(std::string_view)>&)>& produce) {
    replaceFile(target, [&](const fs::path& temporary) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) fail("write", target);
        const auto write = [&](std::string_view piece) {
            for (size_t written = 0; written < piece.size();) {
                const ssize_t n = ::write(fd, piece.data() + written, piece.size() - written);
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) fail("write", target, errno);
                written += static_cast<size_t>(n);
            }
        };
        try {
            produce(write);
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (::close(fd) != 0) fail("write", target);
    });
}

void removeTemporariesOnSignals() {
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;  // e.g. nohup
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(number, &action, nullptr);
    }
}

void removeStaleTemporaries(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (processHasEnded(ownerOf(name)) && it->is_regular_file(error)) fs::remove(it->path(), error);
    }
}

}  // namespace base
