#pragma once
// Converting .ods and legacy .xls files to xlsx with LibreOffice's converter, into a
// temporary folder that goes away with the ConvertedFile.
#include <string>

namespace files {

class ConvertedFile {
public:
    ConvertedFile(std::string folder, std::string path) : folder_(std::move(folder)), path_(std::move(path)) {}
    ~ConvertedFile();
    ConvertedFile(const ConvertedFile&) = delete;
    ConvertedFile& operator=(const ConvertedFile&) = delete;
    ConvertedFile(ConvertedFile&& other) noexcept : folder_(std::move(other.folder_)), path_(std::move(other.path_)) {
        other.folder_.clear();
    }
    const std::string& path() const { return path_; }

private:
    std::string folder_, path_;
};

// Throws FileError when LibreOffice is not installed (naming the package) or fails.
ConvertedFile convertToXlsx(const std::string& path);
// The LibreOffice program on PATH, or "" when there is none.
std::string findOfficeProgram();

}  // namespace files
