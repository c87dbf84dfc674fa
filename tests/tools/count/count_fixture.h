#pragma once
// Tests of the count tools on the embedded host: a workbook from compact rows, the add-in's
// state as a freshly loaded library has it, and a scripted user who can look at frmMain at
// any moment.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/stop_flag.h"
#include "engine/sheet_objects.h"
#include "forms/runtime.h"
#include "forms/scripted_driver.h"
#include "forms/snapshot.h"
#include "host/range.h"
#include "shell/frm_alert.h"
#include "shell/host_references.h"
#include "shell/language_state.h"
#include "tests/support/sheet_builder.h"
#include "tools/count/count_family.h"
#include "tools/count/count_tool_module.h"

namespace counttest {

inline void resetCountState() {
    if (dialog::frmMainLoaded()) forms::Unload(dialog::frmMain());
    tools::count::statisticsTotals = {};
    tools::count::entryTally = {};
    dialog::clearFamilyKeys();
    dialog::stopRequested = false;
    dialog::suppressOptionClicks = false;
    shell::labelRow.clear();
    shell::hostApplication.reset();
}

// A drawing object of the embedded host's sheets, as the tests place them.
inline engine::DrawingObject shape(int type, std::u16string name, std::optional<std::u16string> frameText = {},
                                   std::optional<std::u16string> effectText = {}) {
    engine::DrawingObject o;
    o.type = type;
    o.name = std::move(name);
    o.frameText = std::move(frameText);
    o.effectText = std::move(effectText);
    return o;
}

class CountToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        tools::count::registerFamily(shell::familySetUps(), dialog::toolRoutines());
        resetCountState();
    }
    void TearDown() override { resetCountState(); }

    void useHost(const testsupport::Rows& rows) {
        t = testsupport::makeHost(rows);
        shell::hostApplication = t.app;
    }
    void select(const std::u16string& address) { t.app->Range(address)->Select(); }

    // Queues a look at the dialog: what it shows at that point of the script.
    forms::ScriptedDriver& look() {
        return user.inspect([this](forms::Form& form) { looks.push_back(forms::snapshot(form)); });
    }
    // A user action that changes the sheet while the dialog is open.
    forms::ScriptedDriver& typeWhileOpen(long row, long col, std::u16string text) {
        return user.inspect([this, row, col, text](forms::Form&) { t.sheet->model().enterText(row, col, text); });
    }

    // The alert texts shown so far.
    std::vector<std::u16string> alerts() const {
        std::vector<std::u16string> out;
        for (const forms::FormSnapshot& shown : user.shownForms())
            if (shown.form == u"frmAlert") out.push_back(shown.text(u"lblMessage"));
        return out;
    }
    bool dialogWasShown() const {
        for (const forms::FormSnapshot& shown : user.shownForms())
            if (shown.form == u"frmMain") return true;
        return false;
    }
    // frmMain as it was shown, after its first layout (and the count that layout started).
    const forms::FormSnapshot& firstShown() const {
        for (const forms::FormSnapshot& shown : user.shownForms())
            if (shown.form == u"frmMain") return shown;
        throw std::logic_error("frmMain was not shown");
    }

    forms::ScriptedDriver user;
    forms::DriverScope scope{user};
    testsupport::TestHost t;
    std::vector<forms::FormSnapshot> looks;
};

}  // namespace counttest
