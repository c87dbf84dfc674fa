#pragma once
// FileError — a workbook file that cannot be read or written. The message always names the
// file and the problem, so that a user can act on it.
#include <stdexcept>
#include <string>

namespace files {

class FileError : public std::runtime_error {
public:
    FileError(const std::string& file, const std::string& problem)
        : std::runtime_error(file + ": " + problem), file_(file), problem_(problem) {}
    const std::string& file() const { return file_; }
    const std::string& problem() const { return problem_; }

private:
    std::string file_;
    std::string problem_;
};

// A problem found inside a package part; the caller adds the file name.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace files
