#pragma once
// The duplicate cleaner as the user reaches it: the family's set-up with a command key, the
// scripted user's options, Yes (undo snapshot and dispatch), and what the sheet, the message
// window and the dialog show.
#include <string>
#include <vector>

#include "host/application.h"
#include "host/range.h"
#include "tests/dialog/dialog_fixture.h"
#include "tools/duplicates/duplicate_cleaner.h"
#include "tools/duplicates/duplicates_family.h"

namespace duplicatestest {

using Column = std::vector<std::u16string>;

inline testsupport::Rows rowsOf(const Column& entries) {
    testsupport::Rows rows;
    for (const auto& e : entries) rows.push_back({e});
    return rows;
}

inline std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// The deletion options under the names the dialog gives them.
inline const std::u16string kEntireRow = u"optDelEntireIfBlank";
inline const std::u16string kShiftUp = u"optDelEmptyCells";
inline const std::u16string kClear = u"optDelEntire";

class DuplicateRoad : public dialogtest::DialogFixture {
protected:
    DuplicateRoad() { tools::duplicates::registerFamily(shell::familySetUps(), dialog::toolRoutines()); }
    // Opens the dialog for `command`; the scripted user acts as queued before the call.
    void open(const std::u16string& command) {
        std::u16string key = command;
        tools::duplicates::setUpDuplicateCleanerDialog(key);
    }
    // The user picks the deletion option (empty: leaves the dialog's default) and presses Yes.
    void run(const std::u16string& command, const std::u16string& option = u"") {
        if (!option.empty()) user.selectOption(option).on(u"frmMain");
        user.click(u"cmdYes").on(u"frmMain");
        open(command);
    }
    // The user clears every deletion option before pressing Yes.
    void runWithNoOption(const std::u16string& command) {
        user.inspect([](forms::Form& f) {
            auto& form = dialogtest::mainOf(f);
            for (auto* option : {&form.optDelEntireIfBlank, &form.optDelEmptyCells, &form.optDelEntire})
                option->setValue(false);
        });
        run(command);
    }
    // The user presses Stop during the k-th yield of the next run (the driver counts every
    // yield of the test, so k is taken from the yields so far).
    void pressStopAtYield(int k) { user.click(u"cmdDO1to4Stop").atDoEvents(user.doEventsCount() + k); }
    Column columnA(long rows) const { return testsupport::column(*t.sheet, u"A1:A" + u16(std::to_string(rows))); }
    void useColumn(const Column& entries) {
        useHost(testsupport::makeHost(rowsOf(entries)));
        select(u"A1:A" + u16(std::to_string(entries.size())));
    }
};

}  // namespace duplicatestest
