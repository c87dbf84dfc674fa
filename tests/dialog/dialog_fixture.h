#pragma once
// A user at the embedded host with the add-in's dialog state fresh: one workbook built from
// rows, the host references set, a scripted driver installed, a recording ribbon.
#include <gtest/gtest.h>

#include "tests/support/alerts.h"

#include <string>
#include <vector>

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/stop_flag.h"
#include "forms/forms.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/frm_alert.h"
#include "shell/host_references.h"
#include "shell/undo_redo.h"
#include "tests/support/recording_ribbon.h"
#include "tests/support/sheet_builder.h"

namespace dialogtest {

class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override { useHost(testsupport::makeHost(initialRows())); }

    void TearDown() override {
        if (dialog::frmMainLoaded()) forms::Unload(dialog::frmMain());
        if (shell::frmAlertLoaded()) forms::Unload(shell::frmAlert());
        shell::hostApplication.reset();
        shell::ribbonUI.reset();
    }

    virtual testsupport::Rows initialRows() const { return {}; }

    void useHost(testsupport::TestHost host) {
        t = std::move(host);
        shell::hostApplication = t.app;
        shell::ribbonUI = ribbon;
        dialog::clearFamilyKeys();
        dialog::stopRequested = false;
        shell::undoEnabled = false;
        shell::redoEnabled = false;
    }

    void select(const std::u16string& address) { t.app->Range(address)->Select(); }

    // The message shown in frmAlert, the last time it was shown.
    std::u16string lastAlert() const { return testsupport::lastAlert(user); }
    int timesShown(const std::u16string& form) const {
        int n = 0;
        for (const auto& shown : user.shownForms()) n += shown.form == form;
        return n;
    }
    // Records the caption of a frmMain label at every DoEvents.
    void recordCaptionsOf(const std::u16string& label, std::vector<std::u16string>& into) {
        user.onDoEvents = [label, &into](int, forms::Form* top) {
            if (top && top->Name() == u"frmMain")
                into.push_back(static_cast<forms::Label*>(top->control(label))->Caption());
        };
    }

    testsupport::TestHost t;
    std::shared_ptr<testsupport::RecordingRibbonUI> ribbon = std::make_shared<testsupport::RecordingRibbonUI>();
    forms::ScriptedDriver user;
    forms::DriverScope scope{user};
};

inline dialog::FrmMain& mainOf(forms::Form& form) { return static_cast<dialog::FrmMain&>(form); }

}  // namespace dialogtest
