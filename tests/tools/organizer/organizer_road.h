#pragma once
// The user's road to a data organizer tool, for tests: a host with one workbook, the
// command key's dialog set-up, the scripted user's options and Yes, and what the run left:
// cells, the message window's text, the progress read-outs seen at each yield, the undo copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog/family_keys.h"
#include "dialog/frm_main.h"
#include "dialog/stop_flag.h"
#include "forms/runtime.h"
#include "forms/scripted_driver.h"
#include "host/constants.h"
#include "host/range.h"
#include "host/worksheet.h"
#include "shell/host_references.h"
#include "shell/undo_redo.h"
#include "tests/support/printing.h"
#include "tests/support/recording_ribbon.h"
#include "tests/support/sheet_builder.h"
#include "tools/organizer/data_organizer_module.h"
#include "tools/organizer/organizer_family.h"
#include "tools/organizer/set_up_data_organizer_dialog.h"

namespace organizertest {

using testsupport::Rows;
using Texts = std::vector<std::u16string>;

class OrganizerRoad : public ::testing::Test {
protected:
    void SetUp() override {
        shell::hostApplication = t.app;
        shell::ribbonUI = ribbon;
        shell::undoEnabled = shell::redoEnabled = false;
        dialog::stopRequested = false;
        tools::organizer::registerFamily(shell::familySetUps(), dialog::toolRoutines());
        user.onDoEvents = [this](int, forms::Form* top) { recordProgress(top); };
    }
    void TearDown() override {
        shell::hostApplication.reset();
        shell::ribbonUI.reset();
    }

    void fill(const Rows& rows, long row = 1, long col = 1) { testsupport::fill(*t.sheet, rows, row, col); }
    void select(const std::u16string& address) { t.app->Range(address)->Select(); }

    // What dispatch does for the command key: keys emptied, the family's set-up called. The
    // scripted user (queued before) answers the dialog.
    void run(const std::u16string& commandKey) {
        dialog::clearFamilyKeys();
        std::u16string key = commandKey;
        tools::organizer::setUpDataOrganizerDialog(key);
    }
    // The usual answer: the options given, then Yes.
    forms::ScriptedDriver& yes() { return user.click(u"cmdYes"); }

    // The last text the message window showed ("" when it was never shown).
    std::u16string message() const {
        for (auto it = user.shownForms().rbegin(); it != user.shownForms().rend(); ++it)
            if (it->form == u"frmAlert") return it->text(u"lblMessage");
        return u"";
    }
    // The dialog as the user saw it when it opened.
    const forms::FormSnapshot& dialogShown() const {
        for (const auto& shot : user.shownForms())
            if (shot.form == u"frmMain") return shot;
        throw std::logic_error("frmMain was never shown");
    }

    Texts col(const std::u16string& address) const { return testsupport::column(*t.sheet, address); }
    Rows cells(const std::u16string& address) const { return testsupport::texts(*t.sheet, address); }
    std::u16string at(const std::u16string& address) const { return t.app->Range(address)->Value().toText(); }
    int fillOf(const std::u16string& address) const { return t.app->Range(address)->Interior()->ColorIndex(); }
    bool hasUndoCopy() const { return testsupport::sheetNamed(t, t.sheet->Name() + u"_Undo") != nullptr; }
    host::embedded::EmbeddedWorksheetPtr undoCopy() const {
        return testsupport::sheetNamed(t, t.sheet->Name() + u"_Undo");
    }

    testsupport::TestHost t = testsupport::makeHost();
    std::shared_ptr<testsupport::RecordingRibbonUI> ribbon = std::make_shared<testsupport::RecordingRibbonUI>();
    forms::ScriptedDriver user;
    forms::DriverScope scope{user};
    Texts progress;  // lblDOHeader1to4 at each yield, when it changed

private:
    void recordProgress(forms::Form* top) {
        if (!top || top->Name() != u"frmMain") return;
        const auto* label = dynamic_cast<const forms::Label*>(top->control(u"lblDOHeader1to4"));
        if (label && (progress.empty() || progress.back() != label->Caption())) progress.push_back(label->Caption());
    }
};

}  // namespace organizertest
