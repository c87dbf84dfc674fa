#include "apps/cellwash/book_files.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "apps/cellwash/cli_failure.h"
#include "apps/cellwash/scratch_folder.h"
#include "base/atomic_file.h"
#include "files/engine_binding.h"
#include "files/file_error.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// The format the name says: "csv" or "xlsx" (xlsm too), or "" when it says none we write.
std::string formatOfName(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == ".csv") return "csv";
    if (ext == ".xlsx" || ext == ".xlsm") return "xlsx";
    return "";
}

std::string replacedAll(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); !what.empty() && at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// Standard input is read whole into a csv file of a scratch folder and opened from there;
// the book keeps what it read, so the file goes at once.
engine::BookPtr openStandardInput(host::embedded::EmbeddedApplication& app) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / "stdin.csv";
    {
        std::ofstream copy(file, std::ios::binary);
        copy << std::cin.rdbuf();
        if (!copy) throw Failure(kFileError, "standard input could not be read");
    }
    try {
        auto book = files::openWorkbook(host::utf16(file.string()));
        app.addBook(book);
        return book;
    } catch (const files::FileError& e) {
        throw Failure(kFileError, replacedAll(e.what(), file.string(), "standard input"));
    } catch (const host::Error& e) {
        throw Failure(kFileError, "standard input: " + e.description());
    }
}

// The hidden "<name>_Undo" and "<name>_Redo" copies of the book's sheets that the add-in keeps
// for its one level of undo, removed; returns their names.
std::vector<std::string> removeUndoCopies(engine::Book& book) {
    std::vector<engine::SheetPtr> copies;
    for (const auto& sheet : book.sheets()) {
        const std::u16string name = sheet->name();
        if (sheet->visible() == host::xlSheetVisible || name.size() <= 5) continue;
        const std::u16string suffix = name.substr(name.size() - 5);
        if (suffix != u"_Undo" && suffix != u"_Redo") continue;
        const auto original = book.sheetNamed(name.substr(0, name.size() - 5));
        if (original && original->name() == name.substr(0, name.size() - 5)) copies.push_back(sheet);
    }
    std::vector<std::string> names;
    for (const auto& copy : copies) {
        names.push_back(host::utf8(copy->name()));
        book.removeSheet(copy);
    }
    return names;
}

// Saves into a scratch folder under a name that says the format, and returns the bytes.
std::string savedBytes(const engine::Book& book, const std::string& format, std::vector<std::string>& notes) {
    ScratchFolder scratch;
    const fs::path file = scratch.path() / ("result." + format);
    for (const auto& note : files::saveWorkbook(book, host::utf16(file.string()))) notes.push_back(host::utf8(note));
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

bool writesToStandardOutput(const OutputChoice& choice) {
    return choice.outputPath && *choice.outputPath == kStandardStream;
}

void checkOutputChoice(const OutputChoice& choice, const std::string& workbook) {
    if (choice.outputPath && choice.inPlace) throw Failure(kUsage, "give either -o FILE or --in-place, not both");
    if (workbook == kStandardStream && choice.inPlace)
        throw Failure(kUsage, "--in-place cannot save over standard input: give -o FILE, or -o - for standard output");
    if (choice.format && !choice.outputPath)
        throw Failure(kUsage, "--format says how -o writes: give -o - or -o FILE with it");
    if (!choice.outputPath) return;
    const bool toStdout = writesToStandardOutput(choice);
    const std::string named = toStdout ? "" : formatOfName(*choice.outputPath);
    if (choice.format && !named.empty() && *choice.format != named)
        throw Failure(kUsage, "-o " + *choice.outputPath + " is " + named + " by its name, not " + *choice.format);
    if (toStdout && choice.format.value_or("csv") == "xlsx" && ::isatty(STDOUT_FILENO))
        throw Failure(kUsage,
                      "xlsx is not written to a terminal: redirect standard output (-o - --format xlsx > "
                      "out.xlsx), or write csv");
}

engine::BookPtr openBook(host::embedded::EmbeddedApplication& app, const std::string& path) {
    if (path == kStandardStream) return openStandardInput(app);
    std::error_code error;
    if (fs::is_directory(path, error)) throw Failure(kFileError, path + ": this is a folder, not a workbook file");
    if (!fs::is_regular_file(path, error)) throw Failure(kFileError, path + ": no such file");
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

std::optional<std::string> writeBook(engine::Book& book, const std::string& inputPath, const OutputChoice& choice,
                                     std::vector<std::string>& notes, std::ostream& data) {
    checkOutputChoice(choice, inputPath);
    const std::optional<std::string> target = choice.inPlace ? std::optional(inputPath) : choice.outputPath;
    if (!target) return std::nullopt;
    if (!choice.undoCopy)
        for (const auto& name : removeUndoCopies(book))
            notes.push_back("the undo copy " + name + " is left out (--no-undo-copy)");
    try {
        if (*target == kStandardStream) {
            data << savedBytes(book, choice.format.value_or("csv"), notes) << std::flush;
            if (!data) throw Failure(kFileError, "standard output could not be written");
            return target;
        }
        if (formatOfName(*target).empty() && choice.format) {
            std::error_code error;
            if (fs::exists(*target, error) && fs::equivalent(*target, inputPath, error) && !choice.inPlace)
                throw Failure(kUsage, *target + " is the workbook itself: use --in-place to save over it");
            const std::string bytes = savedBytes(book, *choice.format, notes);
            base::replaceFileContent(*target, bytes);
            return target;
        }
        files::SaveOptions options;
        options.overwriteSource = choice.inPlace;
        for (const auto& note : files::saveWorkbook(book, host::utf16(*target), options))
            notes.push_back(host::utf8(note));
    } catch (const files::FileError& e) {
        throw Failure(kFileError, e.what());
    } catch (const base::FileWriteError& e) {
        throw Failure(kFileError, e.what());
    }
    return target;
}

engine::SheetPtr sheetNamed(const engine::Book& book, const std::string& name) {
    if (auto sheet = book.sheetNamed(host::utf16(name))) return sheet;
    std::string names;
    for (const auto& sheet : book.sheets()) names += (names.empty() ? "" : ", ") + host::utf8(sheet->name());
    throw Failure(kUsage, "the workbook has no sheet named \"" + name + "\" (its sheets: " + names + ")");
}

engine::SheetPtr activateSheet(engine::Book& book, const std::string& name) {
    auto sheet = sheetNamed(book, name);
    try {
        book.setActiveSheet(sheet);
    } catch (const host::Error& e) {
        throw Failure(kUsage, "sheet \"" + name + "\" cannot be activated: " + e.description());
    }
    return sheet;
}

}  // namespace cli
