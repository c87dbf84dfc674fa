// Replacing files: content, mode, links, read-only targets, failures, stale temporaries and
// signals all leave either the old file or the new one, never a mix, and no temporary.
#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("cw_atomic_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir, ignored);
    }

    static void put(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    static std::string slurp(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static unsigned mode(const fs::path& file) {
        struct stat st {};
        ::stat(file.c_str(), &st);
        return st.st_mode & 07777;
    }
    // Every entry of the folder but the named ones: temporaries that should not be there.
    std::vector<std::string> strays(std::initializer_list<std::string> expected) const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (std::find(expected.begin(), expected.end(), name) == expected.end()) found.push_back(name);
        }
        return found;
    }

    fs::path dir;
};

using Strings = std::vector<std::string>;

TEST_F(AtomicFile, ANewFileGetsTheContentAndTheUmasksMode) {
    const mode_t mask = ::umask(022);
    base::replaceFileContent(dir / "new.xlsx", "new content");
    ::umask(mask);
    EXPECT_EQ(slurp(dir / "new.xlsx"), "new content");
    EXPECT_EQ(mode(dir / "new.xlsx"), 0644u);
    EXPECT_EQ(strays({"new.xlsx"}), Strings{});
}

// Content handed over in pieces lands whole; a producer that fails half way leaves the old
// file as it was and no temporary.
TEST_F(AtomicFile, ContentInPiecesLandsWholeOrNotAtAll) {
    const fs::path file = dir / "book.xlsx";
    put(file, "old");
    base::replaceFileContentPieceByPiece(file, [](const std::function<void(std::string_view)>& write) {
        write("first, ");
        write("");
        write(std::string(100000, 'x'));
        write(", last");
    });
    EXPECT_EQ(slurp(file), "first, " + std::string(100000, 'x') + ", last");
    EXPECT_THROW(base::replaceFileContentPieceByPiece(file,
                                                      [](const std::function<void(std::string_view)>& write) {
                                                          write("half");
                                                          throw std::runtime_error("the producer failed");
                                                      }),
                 std::runtime_error);
    EXPECT_EQ(slurp(file), "first, " + std::string(100000, 'x') + ", last");
    EXPECT_EQ(strays({"book.xlsx"}), Strings{});
}

TEST_F(AtomicFile, AnExistingFileKeepsItsModeWhetherPrivateOrShared) {
    for (const unsigned wanted : {0600u, 0640u, 0664u}) {
        const fs::path file = dir / "book.xlsx";
        put(file, "old");
        ::chmod(file.c_str(), wanted);
        base::replaceFileContent(file, "replaced");
        EXPECT_EQ(slurp(file), "replaced");
        EXPECT_EQ(mode(file), wanted);
    }
    EXPECT_EQ(strays({"book.xlsx"}), Strings{});
}

TEST_F(AtomicFile, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    const fs::path file = dir / "locked.xlsx";
    put(file, "precious");
    ::chmod(file.c_str(), 0444);
    try {
        base::replaceFileContent(file, "overwritten");
        FAIL() << "a read-only file was replaced";
    } catch (const base::FileWriteError& e) {
        EXPECT_EQ(e.problem(), "cannot write it: the file is read-only");
        EXPECT_EQ(std::string(e.what()), "cannot write " + file.string() + ": the file is read-only");
    }
    EXPECT_EQ(slurp(file), "precious");
    EXPECT_EQ(mode(file), 0444u);
    EXPECT_EQ(strays({"locked.xlsx"}), Strings{});
}

TEST_F(AtomicFile, ALinkIsWrittenThroughAndStaysALink) {
    fs::create_directories(dir / "real");
    put(dir / "real" / "book.xlsx", "old");
    ::chmod((dir / "real" / "book.xlsx").c_str(), 0600);
    fs::create_symlink("real/book.xlsx", dir / "link.xlsx");           // relative
    fs::create_symlink(dir / "link.xlsx", dir / "link-to-link.xlsx");  // absolute, two hops
    base::replaceFileContent(dir / "link-to-link.xlsx", "through two links");
    EXPECT_TRUE(fs::is_symlink(dir / "link.xlsx"));
    EXPECT_TRUE(fs::is_symlink(dir / "link-to-link.xlsx"));
    EXPECT_EQ(slurp(dir / "real" / "book.xlsx"), "through two links");
    EXPECT_EQ(mode(dir / "real" / "book.xlsx"), 0600u);
    EXPECT_EQ(strays({"real", "link.xlsx", "link-to-link.xlsx"}), Strings{});
}

TEST_F(AtomicFile, ALinkToAFileNotYetThereCreatesItsTarget) {
    fs::create_symlink("later.csv", dir / "link.csv");
    base::replaceFileContent(dir / "link.csv", "a,b\n");
    EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
    EXPECT_EQ(slurp(dir / "later.csv"), "a,b\n");
}

TEST_F(AtomicFile, AWriterThatFailsLeavesTheOldFileAndNoTemporary) {
    const fs::path file = dir / "book.xlsx";
    put(file, "old");
    EXPECT_THROW(base::replaceFile(file,
                                   [](const fs::path& temporary) {
                                       std::ofstream(temporary) << "half";
                                       throw std::runtime_error("disk on fire");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(slurp(file), "old");
    EXPECT_EQ(strays({"book.xlsx"}), Strings{});
}

TEST_F(AtomicFile, AFolderOrAMissingFolderIsAClearError) {
    fs::create_directories(dir / "a-folder");
    EXPECT_THROW(base::replaceFileContent(dir / "a-folder", "x"), base::FileWriteError);
    EXPECT_TRUE(fs::is_directory(dir / "a-folder"));
    EXPECT_THROW(base::replaceFileContent(dir / "no-such" / "book.xlsx", "x"), base::FileWriteError);
}

TEST_F(AtomicFile, TheTemporaryIsPrivateWhileItIsWritten) {
    unsigned seen = 0;
    base::replaceFile(dir / "book.xlsx", [&](const fs::path& temporary) {
        seen = mode(temporary);
        std::ofstream(temporary, std::ios::trunc) << "secret";
    });
    EXPECT_EQ(seen, 0600u);
}

// A process that is certainly gone: a child that has ended and been reaped.
pid_t deadProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(AtomicFile, TemporariesOfEndedRunsAreRemovedAndThoseOfLiveOnesKept) {
    const std::string dead = std::to_string(deadProcess());
    const std::string live = std::to_string(::getppid());
    put(dir / (".~out.xlsx." + dead + ".tmp"), "stale");
    put(dir / (".~out.xlsx." + dead + ".tmp.Ab12Cd"), "stale, from the zip library");
    put(dir / (".~other.csv." + live + ".tmp"), "someone is writing this");
    put(dir / ".~lock.book.xlsx#", "an office lock file, not ours");
    put(dir / "notes.tmp", "not ours");
    base::replaceFileContent(dir / "out.xlsx", "new");
    EXPECT_EQ(strays({"out.xlsx", ".~other.csv." + live + ".tmp", ".~lock.book.xlsx#", "notes.tmp"}), Strings{});
}

TEST_F(AtomicFile, AnInterruptedReplacementRemovesItsTemporaryAndEndsAsTheSignalAsks) {
    const fs::path file = dir / "book.xlsx";
    put(file, "old");
    for (const int signal : {SIGINT, SIGTERM}) {
        const pid_t child = ::fork();
        if (child == 0) {
            base::removeTemporariesOnSignals();
            base::replaceFile(file, [&](const fs::path& temporary) {
                std::ofstream(temporary) << "half-written";
                ::raise(signal);
            });
            ::_exit(0);  // not reached: the signal ends the process
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signal;
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(slurp(file), "old");
        EXPECT_EQ(strays({"book.xlsx"}), Strings{}) << "signal " << signal;
    }
}

}  // namespace
