#pragma once
// A book in plain memory implementing the file layer's sinks and sources, and a text dump
// of everything the readers deliver, for round-trip tests against checked-in expectations.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "files/book_interfaces.h"

namespace files::test {

class MemorySheet : public SheetSink, public SheetSource {
public:
    std::u16string sheetName;
    int sheetType = -4167, sheetVisibility = -1;
    std::map<std::pair<long, long>, Cell> cells;  // (row, col): row by row
    std::vector<ValidationRule> rules;
    std::vector<DrawingObject> objects;
    std::vector<Area> selected{Area{1, 1, 1, 1}};
    long activeR = 1, activeC = 1;
    std::shared_ptr<FileData> data;

    // SheetSink
    void setCell(long row, long col, Cell cell) override { cells[{row, col}] = std::move(cell); }
    void enterText(long row, long col, const std::u16string& text) override {
        cells[{row, col}].value = host::Variant(text);
    }
    void setSelection(std::vector<Area> areas, long row, long col) override {
        selected = std::move(areas);
        activeR = row;
        activeC = col;
    }
    void addValidation(ValidationRule rule) override { rules.push_back(std::move(rule)); }
    void addDrawing(DrawingObject object) override { objects.push_back(std::move(object)); }
    void setFileData(std::shared_ptr<FileData> d) override { data = std::move(d); }

    // SheetSource
    std::u16string name() const override { return sheetName; }
    int type() const override { return sheetType; }
    int visibility() const override { return sheetVisibility; }
    void forEachCellByRows(const CellVisitor& visit) const override {
        for (const auto& [at, cell] : cells) visit(at.first, at.second, cell);
    }
    const std::vector<ValidationRule>& validations() const override { return rules; }
    const std::vector<DrawingObject>& drawings() const override { return objects; }
    std::vector<Area> selection() const override { return selected; }
    long activeRow() const override { return activeR; }
    long activeCol() const override { return activeC; }
    std::shared_ptr<FileData> fileData() const override { return data; }
    size_t editCount() const override { return 0; }
    void follow(std::vector<Area>&, size_t) const override {}
};

class MemoryBook : public BookSink, public BookSource {
public:
    std::vector<std::unique_ptr<MemorySheet>> sheets;
    size_t active = 0;
    std::u16string title;
    std::shared_ptr<FileData> data;

    SheetSink& addSheet(const std::u16string& name, int type, int visibility) override {
        sheets.push_back(std::make_unique<MemorySheet>());
        sheets.back()->sheetName = name;
        sheets.back()->sheetType = type;
        sheets.back()->sheetVisibility = visibility;
        return *sheets.back();
    }
    void setActiveSheet(size_t index) override { active = index; }
    void setTitle(const std::u16string& t) override { title = t; }
    void setFileData(std::shared_ptr<FileData> d) override { data = std::move(d); }

    size_t sheetCount() const override { return sheets.size(); }
    const SheetSource& sheet(size_t index) const override { return *sheets[index]; }
    size_t activeSheet() const override { return active; }
    std::shared_ptr<FileData> fileData() const override { return data; }

    MemorySheet& operator[](size_t index) { return *sheets[index]; }
};

// One line per sheet, cell, comment, rule and drawing object, in a stable order.
std::string dump(const MemoryBook& book);

// The path of a checked-in test file under tests/files/data.
std::string dataPath(const std::string& relative);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// A scratch folder removed when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string path(const std::string& name) const { return dir_ + "/" + name; }

private:
    std::string dir_;
};

}  // namespace files::test
