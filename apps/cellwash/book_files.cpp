#include "apps/cellwash/book_files.h"

#include <filesystem>

#include "apps/cellwash/cli_failure.h"
#include "files/engine_binding.h"
#include "files/file_error.h"
#include "host/error.h"
#include "host/text.h"

namespace cli {

engine::BookPtr openBook(host::embedded::EmbeddedApplication& app, const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw Failure(kFileError, path + ": this is a folder, not a workbook file");
    if (!std::filesystem::is_regular_file(path, error)) throw Failure(kFileError, path + ": no such file");
    try {
        auto book = files::openWorkbook(host::utf16(path));
        app.addBook(book);
        return book;
    } catch (const files::FileError& e) {
        throw Failure(kFileError, e.what());
    } catch (const host::Error& e) {
        throw Failure(kFileError, path + ": " + e.description());
    }
}

std::optional<std::string> writeBook(const engine::Book& book, const std::string& inputPath, const OutputChoice& choice,
                                     std::vector<std::string>& notes) {
    if (choice.outputPath && choice.inPlace) throw Failure(kUsage, "give either -o FILE or --in-place, not both");
    const std::optional<std::string> target = choice.inPlace ? std::optional(inputPath) : choice.outputPath;
    if (!target) return std::nullopt;
    try {
        files::SaveOptions options;
        options.overwriteSource = choice.inPlace;
        for (const auto& note : files::saveWorkbook(book, host::utf16(*target), options))
            notes.push_back(host::utf8(note));
    } catch (const files::FileError& e) {
        throw Failure(kFileError, e.what());
    }
    return target;
}

engine::SheetPtr activateSheet(engine::Book& book, const std::string& name) {
    auto sheet = book.sheetNamed(host::utf16(name));
    if (!sheet) throw Failure(kUsage, "the workbook has no sheet named \"" + name + "\"");
    try {
        book.setActiveSheet(sheet);
    } catch (const host::Error& e) {
        throw Failure(kUsage, "sheet \"" + name + "\" cannot be activated: " + e.description());
    }
    return sheet;
}

}  // namespace cli
