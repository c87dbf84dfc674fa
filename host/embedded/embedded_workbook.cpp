#include "host/embedded/embedded_workbook.h"

#include <string>
#include <vector>

#include "engine/text_functions.h"
#include "host/constants.h"
#include "host/embedded/embedded_application.h"
#include "host/embedded/embedded_worksheet.h"
#include "host/error.h"

namespace host::embedded {

namespace {

bool sameName(const std::u16string& a, const std::u16string& b) { return engine::foldCase(a) == engine::foldCase(b); }

// Sheets or Worksheets of a book, as a live view.
class SheetList : public host::Sheets {
public:
    SheetList(std::shared_ptr<EmbeddedWorkbook> book, bool worksheetsOnly)
        : book_(std::move(book)), worksheetsOnly_(worksheetsOnly) {}

    long Count() const override { return static_cast<long>(members().size()); }
    WorksheetPtr Item(long index) const override {
        const auto list = members();
        if (index < 1 || index > static_cast<long>(list.size())) throw Error(errSubscript, "Subscript out of range");
        return wrap(list[index - 1]);
    }
    WorksheetPtr Item(const std::u16string& name) const override {
        for (const auto& s : members())
            if (sameName(s->name(), name)) return wrap(s);
        throw Error(errSubscript, "Subscript out of range");
    }
    WorksheetPtr Add(const WorksheetPtr& before) override {
        auto target = std::dynamic_pointer_cast<EmbeddedWorksheet>(before);
        engine::Book& book = book_->model();
        long n = 1;
        while (book.sheetNamed(u"Sheet" + utf16Number(n))) ++n;
        auto sheet = wrap(book.addSheet(u"Sheet" + utf16Number(n), xlWorksheet, target ? target->sheet() : nullptr));
        sheet->Activate();
        return sheet;
    }

private:
    static std::u16string utf16Number(long n) {
        std::u16string s;
        for (char c : std::to_string(n)) s.push_back(static_cast<char16_t>(c));
        return s;
    }
    std::vector<engine::SheetPtr> members() const {
        std::vector<engine::SheetPtr> list;
        for (const auto& s : book_->model().sheets())
            if (!worksheetsOnly_ || s->type() == xlWorksheet) list.push_back(s);
        return list;
    }
    EmbeddedWorksheetPtr wrap(const engine::SheetPtr& sheet) const {
        return EmbeddedWorksheet::of(sheet, book_->app());
    }

    std::shared_ptr<EmbeddedWorkbook> book_;
    bool worksheetsOnly_;
};

}  // namespace

std::shared_ptr<EmbeddedWorkbook> EmbeddedWorkbook::of(const engine::BookPtr& book,
                                                       const std::weak_ptr<EmbeddedApplication>& app) {
    if (!book) return nullptr;
    // Only this function fills the slot, always with an EmbeddedWorkbook.
    if (auto held = book->hostObject.lock()) return std::static_pointer_cast<EmbeddedWorkbook>(held);
    auto made = std::shared_ptr<EmbeddedWorkbook>(new EmbeddedWorkbook(book, app));
    book->hostObject = made;
    return made;
}

WorksheetPtr EmbeddedWorkbook::ActiveSheet() const { return EmbeddedWorksheet::of(book_->activeSheet(), app_); }

SheetsPtr EmbeddedWorkbook::Sheets() const {
    return std::make_shared<SheetList>(std::const_pointer_cast<EmbeddedWorkbook>(shared_from_this()), false);
}

SheetsPtr EmbeddedWorkbook::Worksheets() const {
    return std::make_shared<SheetList>(std::const_pointer_cast<EmbeddedWorkbook>(shared_from_this()), true);
}

void EmbeddedWorkbook::Activate() {
    if (auto app = app_.lock()) app->setActiveBook(shared_from_this());
}

void EmbeddedWorkbook::Close(bool saveChanges) {
    auto app = app_.lock();
    if (!app || book_->closed()) throw Error(errObjectRequired, "Object required");
    if (saveChanges) app->saveBook(*book_, FullName());
    book_->markClosed();
    app->removeBook(book_.get());
}

}  // namespace host::embedded
