#include "files/background_reader.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace files {

namespace {

struct CellEvent {
    static constexpr std::uint32_t kNoText = std::numeric_limits<std::uint32_t>::max();
    size_t sheet;
    long row, col;
    Cell cell;
    // A plain ASCII text, its bytes in the batch's `texts`, that this side makes into the
    // value: the worker, which parses, is the slower of the two threads.
    std::uint32_t textAt = 0, textSize = kNoText;
};

using Targets = std::vector<SheetSink*>;
using Action = std::function<void(BookSink&, Targets&)>;

// Cells in bulk; anything else as an action that runs after `at` of the batch's cells.
struct Batch {
    std::vector<CellEvent> cells;
    std::string texts;
    std::vector<std::pair<size_t, Action>> actions;
    bool last = false;
    std::exception_ptr error;
};

struct Cancelled {};

class Channel {
public:
    void push(Batch batch) {
        std::unique_lock lock(mutex_);
        space_.wait(lock, [&] { return queue_.size() < kDepth || cancelled_; });
        if (cancelled_) throw Cancelled{};
        queue_.push_back(std::move(batch));
        ready_.notify_one();
    }
    Batch pop() {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [&] { return !queue_.empty(); });
        Batch batch = std::move(queue_.front());
        queue_.pop_front();
        space_.notify_one();
        return batch;
    }
    void cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        space_.notify_all();
    }

private:
    static constexpr size_t kDepth = 8;  // bounds the cells in flight
    std::mutex mutex_;
    std::condition_variable ready_, space_;
    std::deque<Batch> queue_;
    bool cancelled_ = false;
};

class QueuedBook;

class QueuedSheet : public SheetSink {
public:
    QueuedSheet(QueuedBook& book, size_t index) : book_(book), index_(index) {}
    void setCell(long row, long col, Cell cell) override;
    void setAsciiTextCell(long row, long col, Cell cell, std::string_view text, RecentTexts&) override;
    void enterText(long row, long col, const std::u16string& text) override;
    void setSelection(std::vector<Area> areas, long row, long col) override;
    void addValidation(ValidationRule rule) override;
    void addDrawing(DrawingObject object) override;
    void setFileData(std::shared_ptr<FileData> data) override;

private:
    QueuedBook& book_;
    size_t index_;
};

class QueuedBook : public BookSink {
public:
    explicit QueuedBook(Channel& channel) : channel_(channel) {}
    SheetSink& addSheet(const std::u16string& name, int type, int visibility) override {
        act([=](BookSink& b, Targets& t) { t.push_back(&b.addSheet(name, type, visibility)); });
        sheets_.push_back(std::make_unique<QueuedSheet>(*this, sheets_.size()));
        return *sheets_.back();
    }
    void setActiveSheet(size_t index) override {
        act([=](BookSink& b, Targets&) { b.setActiveSheet(index); });
    }
    void setTitle(const std::u16string& title) override {
        act([=](BookSink& b, Targets&) { b.setTitle(title); });
    }
    void setFileData(std::shared_ptr<FileData> data) override {
        act([data](BookSink& b, Targets&) { b.setFileData(data); });
    }

    void cell(size_t sheet, long row, long col, Cell cell) {
        batch_.cells.push_back({sheet, row, col, std::move(cell)});
        if (batch_.cells.size() >= kBatch) flush();
    }
    void textCell(size_t sheet, long row, long col, Cell cell, std::string_view text) {
        const auto at = static_cast<std::uint32_t>(batch_.texts.size());
        batch_.texts.append(text);
        batch_.cells.push_back({sheet, row, col, std::move(cell), at, static_cast<std::uint32_t>(text.size())});
        if (batch_.cells.size() >= kBatch || batch_.texts.size() >= kBatchTexts) flush();
    }
    void act(Action action) {
        batch_.actions.emplace_back(batch_.cells.size(), std::move(action));
        if (batch_.actions.size() >= kBatch) flush();
    }
    void flush(bool last = false, std::exception_ptr error = nullptr) {
        batch_.last = last;
        batch_.error = error;
        channel_.push(std::move(batch_));
        batch_ = Batch{};
        batch_.cells.reserve(kBatch);
    }

private:
    static constexpr size_t kBatch = 16384;
    static constexpr size_t kBatchTexts = size_t{1} << 20;  // long texts make shorter batches
    Channel& channel_;
    Batch batch_;
    std::vector<std::unique_ptr<QueuedSheet>> sheets_;
};

void QueuedSheet::setCell(long row, long col, Cell cell) { book_.cell(index_, row, col, std::move(cell)); }
void QueuedSheet::setAsciiTextCell(long row, long col, Cell cell, std::string_view text, RecentTexts&) {
    book_.textCell(index_, row, col, std::move(cell), text);
}
void QueuedSheet::enterText(long row, long col, const std::u16string& text) {
    book_.act([=, i = index_](BookSink&, Targets& t) { t[i]->enterText(row, col, text); });
}
void QueuedSheet::setSelection(std::vector<Area> areas, long row, long col) {
    book_.act([=, i = index_](BookSink&, Targets& t) { t[i]->setSelection(areas, row, col); });
}
void QueuedSheet::addValidation(ValidationRule rule) {
    book_.act([rule, i = index_](BookSink&, Targets& t) { t[i]->addValidation(rule); });
}
void QueuedSheet::addDrawing(DrawingObject object) {
    book_.act([object, i = index_](BookSink&, Targets& t) { t[i]->addDrawing(object); });
}
void QueuedSheet::setFileData(std::shared_ptr<FileData> data) {
    book_.act([data, i = index_](BookSink&, Targets& t) { t[i]->setFileData(data); });
}

// What the applying side keeps from batch to batch: the sheets made, and by sheet the texts
// met lately, which a repeat shares.
struct Applied {
    Targets sheets;
    std::vector<RecentTexts> recent;

    RecentTexts& recentOf(size_t sheet) {
        if (sheet >= recent.size()) recent.resize(sheet + 1);
        return recent[sheet];
    }
};

// Hands a batch's cells to the sheets column by column (a column's cells come in row order),
// running each action after the cells read before it.
void apply(Batch& batch, BookSink& target, Applied& applied) {
    Targets& sheets = applied.sheets;
    struct Column {
        size_t sheet;
        long col;
        std::vector<engine::ColumnStore::RowCell> cells;
    };
    std::vector<Column> columns;
    std::unordered_map<std::uint64_t, size_t> place;  // (sheet, column) -> its place in `columns`
    auto store = [&] {
        for (Column& c : columns) sheets[c.sheet]->setColumnCells(c.col, std::move(c.cells));
        columns.clear();
        place.clear();
    };
    size_t next = 0, last = 0;
    for (size_t c = 0; c <= batch.cells.size(); ++c) {
        if (next < batch.actions.size() && batch.actions[next].first == c) store();
        while (next < batch.actions.size() && batch.actions[next].first == c)
            batch.actions[next++].second(target, sheets);
        if (c == batch.cells.size()) break;
        CellEvent& e = batch.cells[c];
        if (e.textSize != CellEvent::kNoText)
            e.cell.value =
                applied.recentOf(e.sheet).ascii(std::string_view(batch.texts).substr(e.textAt, e.textSize), e.col);
        // Cells come row by row: the column after the last one used is most often the one.
        const size_t guess = last + 1 < columns.size() ? last + 1 : 0;
        if (guess < columns.size() && columns[guess].col == e.col && columns[guess].sheet == e.sheet) {
            last = guess;
        } else {
            const std::uint64_t key = (std::uint64_t{e.sheet} << 32) | static_cast<std::uint64_t>(e.col);
            const auto [at, added] = place.try_emplace(key, columns.size());
            if (added) columns.push_back({e.sheet, e.col, {}});
            last = at->second;
        }
        columns[last].cells.push_back({e.row, std::move(e.cell)});
    }
    store();
}

}  // namespace

void readInBackground(const std::function<void(BookSink&)>& read, BookSink& target) {
    Channel channel;
    std::thread worker([&] {
        QueuedBook queued(channel);
        try {
            read(queued);
            queued.flush(true);
        } catch (const Cancelled&) {
            // the applying side failed and has its own error to report
        } catch (...) {
            try {
                queued.flush(true, std::current_exception());
            } catch (const Cancelled&) {}
        }
    });
    Applied applied;
    std::exception_ptr failure;
    try {
        for (;;) {
            Batch batch = channel.pop();
            if (batch.error) std::rethrow_exception(batch.error);
            apply(batch, target, applied);
            if (batch.last) break;
        }
    } catch (...) {
        failure = std::current_exception();
        channel.cancel();
        // Drain so that a worker waiting for space sees the cancellation and ends.
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace files
