#include "tools/duplicates/duplicate_walks.h"

#include <optional>
#include <string>
#include <vector>

#include "host/application.h"
#include "host/constants.h"
#include "host/range.h"
#include "shell/object_required.h"
#include "shell/resume_next.h"
#include "tools/duplicates/entry_key.h"

namespace tools::duplicates {

using shell::objectOf;
using shell::resumeNext;

namespace {

// What a walk needs at every row, fetched once.
struct WalkContext {
    const host::Application& app;
    host::WorksheetFunctionPtr functions;
    host::RangePtr target;
};

WalkContext contextOf(const host::Application& app, const host::RangePtr& target) {
    WalkContext context{app, nullptr, target};
    resumeNext([&] { context.functions = app.WorksheetFunction(); });
    return context;
}

std::int32_t rowCountOf(const host::RangePtr& target) {
    std::int32_t rows = 0;
    resumeNext([&] { rows = static_cast<std::int32_t>(objectOf(objectOf(target).Rows()).Count()); });
    return rows;
}

// The cell in row `row`, column 1 of the target and its entry; nothing when it is skipped.
struct RowEntry {
    host::RangePtr cell;
    host::Variant text;
    std::u16string criterion;
};

std::optional<RowEntry> entryAt(const WalkContext& c, std::int32_t row) {
    std::optional<RowEntry> found;
    resumeNext([&] {
        host::RangePtr cell = objectOf(c.target).Cells(row, 1);
        if (auto entry = entryOf(objectOf(cell), objectOf(c.functions)))
            found = RowEntry{std::move(cell), *entry, literalCriterion(entry->text())};
    });
    return found;
}

// COUNTIF over `range`; nothing when the host refuses the count.
std::optional<double> countOf(const WalkContext& c, const host::RangePtr& range, const std::u16string& criterion) {
    std::optional<double> count;
    resumeNext([&] { count = objectOf(c.functions).CountIf(range, host::Variant(criterion)); });
    return count;
}

void removeBy(WalkReporter& reporter, const host::RangePtr& cell) {
    resumeNext([&] { removeCell(objectOf(cell), reporter.deletionMode()); });
}

// The second pass of DC2: the surviving copy of each listed entry, found by Find.
void secondPass(const WalkContext& c, const std::vector<host::Variant>& list, std::int32_t total,
                WalkReporter& reporter) {
    for (const host::Variant& entry : list) {
        resumeNext([&] {
            host::RangePtr found = objectOf(c.target).Find(literalFindText(entry.text()), host::xlValues, host::xlWhole,
                                                           host::xlByRows, host::xlNext, false);
            if (!found) return;
            const std::u16string address = found->Address();
            removeCell(objectOf(c.app.Range(address)), reporter.deletionMode());
        });
        if (!reporter.secondPassItemDone(total)) break;
    }
}

}  // namespace

void walkDuplicates(const host::Application& app, const host::RangePtr& target, bool removeAll,
                    WalkReporter& reporter) {
    const WalkContext c = contextOf(app, target);
    const std::int32_t n = rowCountOf(target);
    reporter.showCount(n);
    // Entries whose count fell to two: their last copy goes in pass two. It grows as it fills:
    // room for every row up front was tens of megabytes at the height where memory peaks.
    std::vector<host::Variant> list;
    for (std::int32_t row = n; row >= 1; --row) {
        if (auto entry = entryAt(c, row)) {
            // One count serves both questions: nothing changes the cells between them.
            const auto count = countOf(c, target, entry->criterion);
            if (removeAll && count == 2.0 && list.size() <= static_cast<std::size_t>(n))
                list.push_back(std::move(entry->text));
            if (count > 1.0) removeBy(reporter, entry->cell);
        }
        if (!reporter.itemDone(n + static_cast<std::int32_t>(list.size()))) break;
    }
    if (removeAll) secondPass(c, list, n + static_cast<std::int32_t>(list.size()), reporter);
}

void walkUniques(const host::Application& app, const host::RangePtr& target, WalkReporter& reporter) {
    const WalkContext c = contextOf(app, target);
    const std::int32_t n = rowCountOf(target);
    reporter.showCount(n);
    for (std::int32_t row = n; row >= 1; --row) {
        if (const auto entry = entryAt(c, row))
            if (countOf(c, target, entry->criterion) == 1.0) removeBy(reporter, entry->cell);
        if (!reporter.itemDone(n)) break;
    }
}

void walkSecondList(const host::Application& app, const host::RangePtr& target, WalkReporter& reporter) {
    const WalkContext c = contextOf(app, target);
    host::RangePtr first, second;
    std::int32_t rows = 0, secondCells = 0;
    resumeNext([&] { second = objectOf(objectOf(target).Columns()).Item(2); });
    resumeNext([&] { secondCells = static_cast<std::int32_t>(objectOf(second).Count()); });
    reporter.showCount(secondCells);
    resumeNext([&] { first = objectOf(objectOf(target).Columns()).Item(1); });
    resumeNext([&] { rows = static_cast<std::int32_t>(objectOf(first).Count()); });
    const WalkContext firstColumn{app, c.functions, first};
    for (std::int32_t row = 1; row <= rows; ++row) {
        if (const auto entry = entryAt(firstColumn, row)) {
            const auto count = countOf(c, second, entry->criterion);
            if (count && *count >= 1.0) resumeNext([&] { objectOf(entry->cell).ClearContents(); });
        }
        if (!reporter.itemDone(secondCells)) break;
    }
}

}  // namespace tools::duplicates
