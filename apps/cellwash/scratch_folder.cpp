#include "apps/cellwash/scratch_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "apps/cellwash/cli_failure.h"
#include "base/atomic_file.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

// "cellwash-pipe-PID-N": the PID tells whether the process that made it still runs.
constexpr std::string_view kPrefix = "cellwash-pipe-";

void removeFoldersOfEndedRuns(const fs::path& temp) {
    std::error_code error;
    for (fs::directory_iterator it(temp, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kPrefix, 0) != 0) continue;
        const long pid = std::atol(name.c_str() + kPrefix.size());
        std::error_code ignored;
        if (base::processHasEnded(pid) && it->is_directory(ignored)) fs::remove_all(it->path(), ignored);
    }
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::error_code error;
    const fs::path temp = fs::temp_directory_path(error);
    if (error) throw Failure(kFileError, "no temporary folder: " + error.message());
    removeFoldersOfEndedRuns(temp);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder =
            temp / (std::string(kPrefix) + std::to_string(::getpid()) + "-" + std::to_string(random()));
        if (fs::create_directory(folder, error)) {
            fs::permissions(folder, fs::perms::owner_all, error);
            path_ = folder;
            return;
        }
    }
    throw Failure(kFileError, "cannot make a temporary folder in " + temp.string());
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

}  // namespace cli
