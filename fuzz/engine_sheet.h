#pragma once
// A sheet sink over a real engine sheet, so that what a reader delivers also goes through
// the engine's own checks, and a transcript of the events, to compare two reads.
#include <cstdio>
#include <memory>
#include <string>

#include "book_dump.h"
#include "engine/book.h"
#include "engine/sheet.h"
#include "files/book_interfaces.h"
#include "host/text.h"

namespace fuzz {

inline engine::BookPtr freshBook() {
    auto book = std::make_shared<engine::Book>(u"fuzz.xlsx");
    book->addSheet(u"Sheet1");
    return book;
}

class EngineSheetSink : public files::SheetSink {
public:
    explicit EngineSheetSink(engine::SheetPtr sheet) : sheet_(std::move(sheet)) {}

    void setCell(long row, long col, files::Cell cell) override {
        note("cell", row, col, host::utf16(valueText(cell.value)) + u"|" + cell.formula());
        sheet_->setCell(row, col, std::move(cell));
    }
    void enterText(long row, long col, const std::u16string& text) override {
        note("text", row, col, text);
        sheet_->enterText(row, col, text);
    }
    void setSelection(std::vector<files::Area> areas, long row, long col) override {
        note("selection", row, col, std::u16string(areas.size(), u'*'));
        sheet_->setSelection(std::move(areas), row, col);
    }
    void addValidation(files::ValidationRule rule) override {
        note("validation", rule.anchorRow, rule.anchorCol, rule.formula1 + u"|" + rule.formula2);
        sheet_->validations().push_back(std::move(rule));
    }
    void addDrawing(files::DrawingObject object) override {
        note("drawing", object.type, 0, object.name);
        sheet_->drawings().push_back(std::move(object));
    }
    void setFileData(std::shared_ptr<files::FileData> data) override { sheet_->fileData = std::move(data); }

    const std::string& transcript() const { return transcript_; }

private:
    void note(const char* what, long a, long b, const std::u16string& detail) {
        char head[64];
        std::snprintf(head, sizeof head, "%s %ld %ld ", what, a, b);
        transcript_ += head + host::utf8(detail) + "\n";
    }

    engine::SheetPtr sheet_;
    std::string transcript_;
};

// A book sink over a real engine book: sheets are added to it as the reader names them.
class EngineBookSink : public files::BookSink {
public:
    EngineBookSink() : book_(std::make_shared<engine::Book>(u"fuzz")) {}

    files::SheetSink& addSheet(const std::u16string& name, int type, int) override {
        sheets_.push_back(std::make_unique<EngineSheetSink>(book_->addSheet(name, type)));
        return *sheets_.back();
    }
    void setActiveSheet(size_t index) override {
        if (index < book_->sheets().size()) book_->setActiveSheet(book_->sheets()[index]);
    }
    void setFileData(std::shared_ptr<files::FileData> data) override { book_->fileData = std::move(data); }

    const engine::Book& book() const { return *book_; }

private:
    engine::BookPtr book_;
    std::vector<std::unique_ptr<EngineSheetSink>> sheets_;
};

}  // namespace fuzz
