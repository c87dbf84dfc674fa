#pragma once
// A folder of this process's own under the temporary directory, for what passes through a
// pipe: the csv read from standard input, a result written for standard output. It is
// removed when done; one that an ended process left behind (killed mid-run) is removed by
// the next run that makes one.
#include <filesystem>

namespace cli {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace cli
