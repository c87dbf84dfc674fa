#pragma once
// The object model's Workbook over an engine book: its sheet collections, activation and
// closing, which reach the application. Like a worksheet, the same book yields the same
// Workbook while one is held (Book::hostObject).
#include <memory>
#include <string>

#include "engine/book.h"
#include "host/application.h"

namespace host::embedded {

class EmbeddedApplication;

class EmbeddedWorkbook : public host::Workbook, public std::enable_shared_from_this<EmbeddedWorkbook> {
public:
    // The handle on `book` (nullptr for none): the one already handed out while it is held,
    // else a new one belonging to `app`.
    static std::shared_ptr<EmbeddedWorkbook> of(const engine::BookPtr& book,
                                                const std::weak_ptr<EmbeddedApplication>& app);

    engine::Book& model() const { return *book_; }
    const engine::BookPtr& book() const { return book_; }
    std::shared_ptr<EmbeddedApplication> app() const { return app_.lock(); }

    std::u16string Name() const override { return book_->name(); }
    std::u16string FullName() const override { return book_->fullName(); }
    WorksheetPtr ActiveSheet() const override;
    SheetsPtr Sheets() const override;
    SheetsPtr Worksheets() const override;
    void Activate() override;
    void Close(bool saveChanges = false) override;

private:
    EmbeddedWorkbook(engine::BookPtr book, std::weak_ptr<EmbeddedApplication> app)
        : book_(std::move(book)), app_(std::move(app)) {}

    engine::BookPtr book_;
    std::weak_ptr<EmbeddedApplication> app_;
};

using EmbeddedWorkbookPtr = std::shared_ptr<EmbeddedWorkbook>;

}  // namespace host::embedded
