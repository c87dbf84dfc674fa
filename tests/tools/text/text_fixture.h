#pragma once
// The text cleaner as the user reaches it: the family's set-up with a command key, the
// scripted user's options, Yes, and what the sheet, the message window and the dialog show.
#include "tests/dialog/dialog_fixture.h"
#include "tools/text/text_cleaner_module.h"
#include "tools/text/text_family.h"

namespace texttest {

using testsupport::column;

class TextFixture : public dialogtest::DialogFixture {
protected:
    TextFixture() { tools::text::registerFamily(shell::familySetUps(), dialog::toolRoutines()); }
    // Opens the dialog for `command`; the scripted user acts as queued before the call.
    void open(const std::u16string& command) {
        std::u16string key = command;
        tools::text::setUpTextCleanerDialog(key);
    }
    // Opens the dialog for `command` and presses Yes after what is queued already.
    void run(const std::u16string& command) {
        user.click(u"cmdYes").on(u"frmMain");
        open(command);
    }
    // The text of a cell of the active sheet (an error as its literal).
    std::u16string text(const std::u16string& address) const {
        const host::Variant v = value(address);
        return v.isError() ? v.errorText() : v.toText();
    }
    host::Variant value(const std::u16string& address) const { return t.app->Range(address)->Value(); }
};

}  // namespace texttest
