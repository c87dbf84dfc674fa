#include "files/engine_binding.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "files/background_reader.h"
#include "files/csv_file.h"
#include "files/file_data.h"
#include "files/file_error.h"
#include "files/office_convert.h"
#include "files/xlsx_reader.h"
#include "host/constants.h"
#include "host/error.h"
#include "host/text.h"

namespace files {

using engine::Book;
using engine::BookPtr;
using engine::Sheet;
using engine::SheetPtr;

namespace {

class EngineSheetSink : public SheetSink {
public:
    explicit EngineSheetSink(SheetPtr sheet) : sheet_(std::move(sheet)) {}
    void setCell(long row, long col, Cell cell) override { sheet_->setCell(row, col, std::move(cell)); }
    void setColumnCells(long col, std::vector<engine::ColumnStore::RowCell>&& cells) override {
        sheet_->appendCells(col, std::move(cells));
    }
    void enterText(long row, long col, const std::u16string& text) override { sheet_->enterText(row, col, text); }
    void setSelection(std::vector<Area> areas, long row, long col) override {
        sheet_->setSelection(std::move(areas), row, col);
    }
    void addValidation(ValidationRule rule) override { sheet_->validations().push_back(std::move(rule)); }
    void addDrawing(DrawingObject object) override { sheet_->drawings().push_back(std::move(object)); }
    void setFileData(std::shared_ptr<FileData> data) override {
        if (auto sheetData = std::dynamic_pointer_cast<SheetFileData>(data))
            sheetData->editsAtLoad = sheet_->editCount();
        sheet_->fileData = std::move(data);
    }

private:
    SheetPtr sheet_;
};

class EngineBookSink : public BookSink {
public:
    explicit EngineBookSink(BookPtr book) : book_(std::move(book)) {}
    SheetSink& addSheet(const std::u16string& name, int type, int visibility) override {
        SheetPtr sheet = book_->addSheet(name, type);
        sheet->setVisibleUnchecked(visibility);
        sheets_.push_back(std::make_unique<EngineSheetSink>(sheet));
        return *sheets_.back();
    }
    void setActiveSheet(size_t index) override {
        if (index < book_->sheets().size()) book_->setActiveSheet(book_->sheets()[index]);
    }
    void setTitle(const std::u16string& title) override { book_->title = title; }
    void setFileData(std::shared_ptr<FileData> data) override { book_->fileData = std::move(data); }

private:
    BookPtr book_;
    std::vector<std::unique_ptr<EngineSheetSink>> sheets_;
};

class EngineSheetSource : public SheetSource {
public:
    explicit EngineSheetSource(SheetPtr sheet) : sheet_(std::move(sheet)) {}
    std::u16string name() const override { return sheet_->name(); }
    int type() const override { return sheet_->type(); }
    int visibility() const override { return sheet_->visible(); }
    void forEachCellByRows(const CellVisitor& visit) const override {
        sheet_->forEachCellByRows(sheet_->usedArea(), [&](long row, long col, const Cell& cell) {
            visit(row, col, cell);
            return true;
        });
    }
    std::optional<Area> cellsArea() const override { return sheet_->cellsArea(); }
    void forEachCommentedCell(const CellVisitor& visit) const override {
        struct Commented {
            long row, col;
            const Cell* cell;
        };
        std::vector<Commented> cells;
        for (long col = 1; col <= sheet_->columnCount(); ++col) {
            const engine::ColumnStore* c = sheet_->column(col);
            if (!c || c->commentCount() == 0) continue;
            c->forEach(1, host::kMaxRows, [&](long row, const Cell& cell) {
                if (cell.comment()) cells.push_back({row, col, &cell});
                return true;
            });
        }
        std::sort(cells.begin(), cells.end(), [](const Commented& a, const Commented& b) {
            return std::tie(a.row, a.col) < std::tie(b.row, b.col);
        });
        for (const Commented& c : cells) visit(c.row, c.col, *c.cell);
    }
    const std::vector<ValidationRule>& validations() const override { return sheet_->validations(); }
    const std::vector<DrawingObject>& drawings() const override { return sheet_->drawings(); }
    std::vector<Area> selection() const override { return sheet_->selection(); }
    long activeRow() const override { return sheet_->activeRow(); }
    long activeCol() const override { return sheet_->activeCol(); }
    std::shared_ptr<FileData> fileData() const override { return sheet_->fileData; }
    size_t editCount() const override { return sheet_->editCount(); }
    void follow(std::vector<Area>& areas, size_t since) const override { sheet_->follow(areas, since); }

private:
    SheetPtr sheet_;
};

class EngineBookSource : public BookSource {
public:
    explicit EngineBookSource(const Book& book) : book_(book) {
        for (const SheetPtr& s : book.sheets()) sheets_.emplace_back(s);
    }
    size_t sheetCount() const override { return sheets_.size(); }
    const SheetSource& sheet(size_t index) const override { return sheets_[index]; }
    size_t activeSheet() const override {
        const long index = book_.indexOf(book_.activeSheet().get());
        return index > 0 ? static_cast<size_t>(index - 1) : 0;
    }
    std::shared_ptr<FileData> fileData() const override { return book_.fileData; }

private:
    const Book& book_;
    std::vector<EngineSheetSource> sheets_;
};

std::string extensionOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

BookPtr newBookFor(const std::u16string& path) {
    const std::string name = std::filesystem::path(host::utf8(path)).filename().string();
    auto book = std::make_shared<Book>(host::utf16(name));
    book->path = path;
    return book;
}

}  // namespace

BookPtr openWorkbook(const std::u16string& path, const OpenOptions& options) {
    const std::string file = host::utf8(path);
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) throw FileError(file, "this is a folder, not a workbook file");
    if (!std::filesystem::is_regular_file(file, error)) throw FileError(file, "there is no such file");
    const std::string ext = extensionOf(file);
    BookPtr book = newBookFor(path);
    EngineBookSink sink(book);
    if (ext == ".csv" || ext == ".txt" || ext == ".tsv") {
        readCsv(file, sink, ext == ".tsv" && !options.csvSeparator ? std::optional<char>('\t') : options.csvSeparator);
    } else if (ext == ".ods" || ext == ".xls") {
        // Read as the xlsx it was converted to, named so that saving writes that xlsx.
        const ConvertedFile converted = convertToXlsx(file);
        const std::string saved = std::filesystem::path(file).replace_extension(".xlsx").string();
        book = newBookFor(host::utf16(saved));
        EngineBookSink converter(book);
        readXlsx(converted.path(), converter, options.limits);
        auto data = std::dynamic_pointer_cast<WorkbookFileData>(book->fileData);
        data->sourcePath = file;
        data->openNotes.push_back(host::utf16(std::filesystem::path(file).filename().string()) +
                                  u" was converted by LibreOffice; it is saved as " +
                                  host::utf16(std::filesystem::path(saved).filename().string()));
    } else {
        // Inflating and parsing overlap with filling the engine.
        try {
            readInBackground([&](BookSink& queued) { readXlsx(file, queued, options.limits); }, sink);
        } catch (const host::Error& e) {
            throw FileError(file, "the engine refused its content: " + e.description());
        }
    }
    return book;
}

std::vector<std::u16string> saveWorkbook(const Book& book, const std::u16string& path, const SaveOptions& options) {
    const std::string file = host::utf8(path);
    const std::string ext = extensionOf(file);
    // The tools' COUNTIF and Find indexes can be as big as the cells' texts; writing needs
    // none of them, and a later tool rebuilds what it asks for.
    for (const SheetPtr& sheet : book.sheets()) sheet->dropIndexes();
    EngineBookSource source(book);
    if (ext == ".csv") {
        if (source.sheetCount() == 0) throw FileError(file, "the workbook has no sheet to save");
        // A book read from a csv file keeps its layout and the fields the tools left alone.
        const auto read = std::dynamic_pointer_cast<const CsvFileData>(source.fileData());
        writeCsv(source.sheet(source.activeSheet()), file, read.get());
        std::vector<std::u16string> notes;
        if (source.sheetCount() > 1) {
            std::u16string left;  // named, so that a hidden undo copy left out is not a surprise
            for (size_t i = 0; i < source.sheetCount(); ++i)
                if (i != source.activeSheet()) left += (left.empty() ? u"" : u", ") + source.sheet(i).name();
            notes.push_back(u"only the active sheet is saved in a csv file (not saved: " + left + u")");
        }
        return notes;
    }
    if (ext != ".xlsx" && ext != ".xlsm") throw FileError(file, "workbooks can be saved as .xlsx, .xlsm or .csv only");
    std::vector<std::u16string> notes = writeXlsx(source, file, options);
    if (const auto data = std::dynamic_pointer_cast<WorkbookFileData>(book.fileData)) data->saveNotes = notes;
    return notes;
}

std::vector<std::u16string> saveNotes(const Book& book) {
    const auto data = std::dynamic_pointer_cast<WorkbookFileData>(book.fileData);
    return data ? data->saveNotes : std::vector<std::u16string>{};
}

std::vector<std::u16string> openNotes(const Book& book) {
    const auto data = std::dynamic_pointer_cast<WorkbookFileData>(book.fileData);
    return data ? data->openNotes : std::vector<std::u16string>{};
}

BookPtr openForHost(const std::u16string& path) {
    try {
        return openWorkbook(path);
    } catch (const FileError& e) {
        throw host::Error(host::errApplication, e.what());
    }
}

void saveForHost(const Book& book, const std::u16string& path) {
    SaveOptions options;
    options.overwriteSource = true;
    try {
        saveWorkbook(book, path, options);
    } catch (const FileError& e) {
        throw host::Error(host::errApplication, e.what());
    }
}

}  // namespace files
