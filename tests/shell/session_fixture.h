#pragma once
// Tests along the user's road: a host session with the add-in registered, and the add-in's
// process-wide state as a freshly loaded library has it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "forms/scripted_driver.h"
#include "session/host_session.h"
#include "shell/command_catalogue.h"
#include "shell/family_keys.h"
#include "shell/host_references.h"
#include "shell/language_state.h"
#include "shell/legacy_menu.h"
#include "shell/undo_redo.h"

namespace shelltest {

// Process-wide state back to what the library has when it is loaded.
inline void resetAddinState() {
    shell::hostApplication.reset();
    shell::ribbonUI.reset();
    shell::languageCode.clear();
    shell::languageCodes.clear();
    shell::labelRow.clear();
    shell::msgNoWorkbook.clear();
    shell::msgListUpdated.clear();
    shell::screenTips.clear();
    shell::superTips.clear();
    shell::undoEnabled = false;
    shell::redoEnabled = false;
    shell::clearFamilyKeys();
    shell::menuButtons.reset();
    shell::lastToolButton.reset();
}

// Stale values in all four family keys, as set-ups leave them when their dialog is cancelled.
inline void setStaleFamilyKeys() {
    shell::activeDOKey = u"DataOrganizer1";
    shell::activeTCKey = u"TC1to8_RNUM";
    shell::activeDCKey = u"DuplicateCleaner2";
    shell::activeCTKey = u"CountTool4";
}

// True when every family key is empty except the one the command's own family may have set.
inline bool otherFamilyKeysEmpty(shell::TargetFamily target) {
    using enum shell::TargetFamily;
    const bool ownDO = target == DataOrganizer, ownTC = target == TextCleaner;
    const bool ownDC = target == DuplicateCleaner || target == DuplicatePreventer;
    const bool ownCT = target == CountTool1to3 || target == CountTool4to5;
    return (ownDO || shell::activeDOKey.empty()) && (ownTC || shell::activeTCKey.empty()) &&
           (ownDC || shell::activeDCKey.empty()) && (ownCT || shell::activeCTKey.empty());
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override { resetAddinState(); }
    void TearDown() override {
        session.reset();
        resetAddinState();
    }

    session::HostSession& start(session::HostSessionOptions options = {}) {
        session = std::make_unique<session::HostSession>(std::move(options));
        return *session;
    }
    session::HostSession& legacyHost() { return start({.version = u"11.0"}); }
    forms::ScriptedDriver& user() { return session->user(); }

    std::unique_ptr<session::HostSession> session;
};

}  // namespace shelltest
