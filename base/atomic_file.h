#pragma once
// Replacing a file so that it is never half-written and nothing of the old one is lost:
// the new content goes to a temporary file beside the target, is flushed to the disk, takes
// the target's mode (and owner, where allowed), and then takes its place by one rename. A
// symbolic link is written through, to the file it names. A read-only target is refused.
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace base {

// Why a file could not be replaced; the file is then as it was and no temporary is left.
class FileWriteError : public std::runtime_error {
public:
    // "cannot ACTION FILE: REASON"
    FileWriteError(const std::filesystem::path& file, const std::string& action, const std::string& reason)
        : std::runtime_error("cannot " + action + " " + file.string() + ": " + reason),
          problem_("cannot " + action + " it: " + reason) {}
    const std::string& problem() const { return problem_; }  // "cannot ACTION it: REASON"

private:
    std::string problem_;
};

// `write` fills the temporary file whose path it is given (and may throw; the temporary is
// then removed and the exception passed on).
void replaceFile(const std::filesystem::path& target,
                 const std::function<void(const std::filesystem::path& temporary)>& write);
void replaceFileContent(const std::filesystem::path& target, std::string_view content);
// The same with content that `produce` hands to the writer it is given piece by piece, so
// that it is never held whole (a workbook's archive).
void replaceFileContentPieceByPiece(
    const std::filesystem::path& target,
    const std::function<void(const std::function<void(std::string_view)>& write)>& produce);

// On SIGINT, SIGTERM or SIGHUP, a replacement in progress removes its temporary file before
// the process ends as the signal asks. Programs call this once at start.
void removeTemporariesOnSignals();

// True when no process `pid` runs any more: what it left behind (named after its PID) is stale.
bool processHasEnded(long pid);

// Temporaries that replacements of processes no longer running left in `folder`.
void removeStaleTemporaries(const std::filesystem::path& folder);

}  // namespace base
